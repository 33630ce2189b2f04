// Loads anywhere on the beam in a design: partial loads and several point loads reach every
// combination factored, wind's mirrored, and the design forces' field point follows them.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/design/design_result.h"
#include "frame_fe.h"
#include "portal_stiffness.h"

namespace strevo {
namespace {

Design BeamLoadsDesign() {
  Design d;
  d.system = SystemType::TwoHingedFrame;
  d.h = 6;
  d.L = 15;
  d.columns = {"HE 300 A", 0};
  d.beam = {"IPE 450", 0};
  d.selfWeight = false;
  DesignCase roof{"Dach", Action::Permanent, 'A', false, {4, 0, 0, 0, 0}};
  DesignCase crane{"Kran", Action::Imposed, 'E', false, {0, 30, 4, 0, 0}};
  crane.points = {{9, 25}, {11.5, 25}};
  DesignCase wind{"Wind", Action::Wind, 'A', false, {0, 0, 0, 2, 1}};
  wind.partial = {{-2.5, 0, 3}, {-1.2, 3, 15}};
  d.loadCases = {roof, crane, wind};
  return d;
}

// The combination's loads as the tests' own stiffness solver takes them: each case's q on the
// beam, its point loads, and (no partial loads there) only cases without them.
TEST(BeamLoads, CombinationsOfSeveralPointLoadsAgreeWithTheStiffnessSolver) {
  Design d = BeamLoadsDesign();
  d.loadCases.pop_back();  // the solver has no partial loads
  const DesignResult result = ComputeDesign(d);
  ASSERT_FALSE(result.combinations.empty());
  for (const CombinationResult& c : result.combinations) {
    testing::FrameLoads loads{d.h, d.L, result.portal.I1, result.portal.I2, 0, 0, 0, {}, {}};
    for (const CaseFactor& f : c.combination.factors) {
      const DesignCase& dc = result.cases[f.loadCase];
      loads.q += f.factor * dc.loads.q;
      if (dc.loads.F != 0) {
        loads.pointLoads.push_back({dc.loads.a, f.factor * dc.loads.F});
      }
      for (const BeamPointLoad& p : dc.points) {
        loads.pointLoads.push_back({p.a, f.factor * p.F});
      }
    }
    const testing::PortalReactions r = testing::SolveFrameByStiffness(loads, d.system).reactions;
    const Reactions& got = c.solution.reactions;
    EXPECT_NEAR(got.AH, r.AH, 1e-9 * 300) << c.combination.label;
    EXPECT_NEAR(got.AV, r.AV, 1e-9 * 300) << c.combination.label;
    EXPECT_NEAR(got.BV, r.BV, 1e-9 * 300) << c.combination.label;
    EXPECT_NEAR(got.BH, r.BH, 1e-9 * 300) << c.combination.label;
  }
}

TEST(BeamLoads, WindFromTheRightMirrorsItsPartialLoads) {
  const DesignResult result = ComputeDesign(BeamLoadsDesign());
  const Portal& portal = result.portal;
  for (const CombinationResult& c : result.combinations) {
    // The combination's loads, each case's partial loads at L − x where its wind is mirrored.
    FrameLoads loads;
    for (const CaseFactor& f : c.combination.factors) {
      const DesignCase& dc = result.cases[f.loadCase];
      loads.q += f.factor * dc.loads.q;
      loads.wD += f.factor * (f.mirrored ? -dc.loads.wS : dc.loads.wD);
      loads.wS += f.factor * (f.mirrored ? -dc.loads.wD : dc.loads.wS);
      for (const PartialBeamLoad& p : dc.partial) {
        const double from = f.mirrored ? portal.L - p.to : p.from;
        loads.partialLoads.push_back({f.factor * p.q, from, from + (p.to - p.from)});
      }
      for (const BeamPointLoad& p : dc.points) {
        loads.pointLoads.push_back({f.mirrored ? portal.L - p.a : p.a, f.factor * p.F});
      }
      if (dc.loads.F != 0) {
        loads.pointLoads.push_back({dc.loads.a, f.factor * dc.loads.F});
      }
    }
    const testing::FeResponse fe = testing::AnalyseByFe(portal, loads, Theory::FirstOrder, 30);
    const double scale = std::abs(fe.reactions.AV) + std::abs(fe.reactions.BV);
    EXPECT_NEAR(c.solution.reactions.AV, fe.reactions.AV, 1e-6 * scale) << c.combination.label;
    EXPECT_NEAR(c.solution.reactions.BV, fe.reactions.BV, 1e-6 * scale) << c.combination.label;
    EXPECT_NEAR(c.solution.reactions.AH, fe.reactions.AH, 1e-6 * scale) << c.combination.label;
    EXPECT_NEAR(c.values.M2, fe.moments[1].M.front(), 1e-6 * scale * portal.L);
  }
}

TEST(BeamLoads, DesignFieldPointJumpsThroughZeroUnderAPointLoad) {
  // One point load alone on the beam: the shear jumps through zero under it, so the design
  // forces' X3 is a, with second order and the sway imperfection as much as without.
  Design d = BeamLoadsDesign();
  DesignCase load{"Last", Action::Permanent, 'A', false, {0, 0, 0, 0, 0}};
  load.points = {{6, 200}};
  d.loadCases = {load};
  const DesignResult result = ComputeDesign(d);
  for (const CombinationResult& c : result.combinations) {
    EXPECT_DOUBLE_EQ(c.values.X3, 6) << c.combination.label;
    if (c.combination.state == LimitState::Serviceability) {
      continue;
    }
    ASSERT_TRUE(c.stability.has_value());
    EXPECT_NEAR(c.stability->designValues.X3, 6, 1e-12) << c.combination.label;
  }
}

}  // namespace
}  // namespace strevo
