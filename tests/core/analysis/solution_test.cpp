// One solution of the portal: the lines agree with the engine's stored values and with the
// tests' own stiffness solver, and loads superpose.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "core/analysis/solution.h"
#include "portal_stiffness.h"
#include "test_inputs.h"

namespace strevo {
namespace {

using testing::RandomPortal;

constexpr std::array<SystemType, 3> kSystems = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                                SystemType::FixedFrame};
constexpr std::array<Member, 3> kMembers = {Member::LeftColumn, Member::Beam, Member::RightColumn};

double Length(const Portal& portal, Member member) {
  return member == Member::Beam ? portal.L : portal.h;
}

const MemberLines& LinesOf(const Solution& s, Member member) {
  return s.lines[static_cast<std::size_t>(member)];
}

// Relative to the portal's largest force, so that a rounding error of a big value passes and
// a wrong term does not.
void ExpectNear(double actual, double expected, double scale, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-9 * scale) << what;
}

TEST(Solution, ReactionsAreTheStiffnessSolutionsAndTheLinesCarryTheFieldMoment) {
  std::mt19937 random(20);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 50; ++run) {
      const InputSet in = RandomPortal(random);
      SharedResults r;
      const Solution s = Solve(PortalOf(in, system), LoadCaseOf(in), &r);
      const double scale = 1 + std::abs(r.M1) + std::abs(r.M3) + std::abs(r.M4) + std::abs(r.MA) +
                           std::abs(r.MB) + std::abs(r.AV) + std::abs(r.BV);
      const testing::PortalReactions reference = testing::SolvePortalByStiffness(in, system);
      ExpectNear(s.reactions.AH, reference.AH, scale, "AH");
      ExpectNear(s.reactions.AV, reference.AV, scale, "AV");
      ExpectNear(s.reactions.BH, reference.BH, scale, "BH");
      ExpectNear(s.reactions.BV, reference.BV, scale, "BV");
      ExpectNear(LinesOf(s, Member::Beam).M.At(r.X3), r.M3, scale, "M3 at X3");
      ASSERT_TRUE(s.deformation.has_value());
    }
  }
}

TEST(Solution, AFactoredSumOfSolutionsIsTheSolutionOfTheFactoredLoads) {
  std::mt19937 random(21);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 50; ++run) {
      const InputSet one = RandomPortal(random), other = RandomPortal(random);
      const Portal portal = PortalOf(one, system);
      const LoadCase a = LoadCaseOf(one);
      LoadCase b = LoadCaseOf(other);
      b.a = portal.L * 0.3;  // a point load elsewhere would be a second load
      b.F = 0;
      const double fa = 1.35, fb = -0.9;
      const LoadCase summed{fa * a.q + fb * b.q, fa * a.F, a.a, fa * a.wD + fb * b.wD,
                            fa * a.wS + fb * b.wS};
      const Solution whole = Solve(portal, summed);
      const Solution sum = Superposed(portal, Solve(portal, a), fa, Solve(portal, b), fb);
      const double scale = 1 + std::abs(whole.reactions.MA) + std::abs(whole.reactions.AV) +
                           std::abs(whole.reactions.BV) + std::abs(whole.reactions.MB) +
                           std::abs(LinesOf(whole, Member::Beam).M.At(portal.L / 2));
      ExpectNear(sum.reactions.AH, whole.reactions.AH, scale, "AH");
      ExpectNear(sum.reactions.MA, whole.reactions.MA, scale, "MA");
      ExpectNear(sum.reactions.BV, whole.reactions.BV, scale, "BV");
      for (const Member member : kMembers) {
        for (int i = 0; i <= 20; ++i) {
          const double x = Length(portal, member) * i / 20;
          ExpectNear(LinesOf(sum, member).M.At(x), LinesOf(whole, member).M.At(x), scale, "M");
          ExpectNear(LinesOf(sum, member).Q.At(x), LinesOf(whole, member).Q.At(x), scale, "Q");
          ExpectNear(LinesOf(sum, member).N.At(x), LinesOf(whole, member).N.At(x), scale, "N");
        }
      }
      ASSERT_TRUE(sum.deformation && whole.deformation);
      const double sway = 1 + std::abs(whole.deformation->u) + std::abs(whole.deformation->w);
      EXPECT_NEAR(sum.deformation->u, whole.deformation->u, 1e-9 * sway);
      EXPECT_NEAR(sum.deformation->w, whole.deformation->w, 1e-9 * sway);
      EXPECT_NEAR(sum.deformation->phiA, whole.deformation->phiA, 1e-9 * sway);
    }
  }
}

TEST(Solution, ASumKeepsEveryKinkOfItsParts) {
  Portal portal{SystemType::FixedFrame, 4, 6, 2000, 3000};
  const Solution left = Solve(portal, {0, 10, 1.5, 0, 0});
  const Solution right = Solve(portal, {0, 10, 4.5, 0, 0});
  const Solution sum = Superposed(portal, left, 1, right, 1);
  const ForceLine& shear = LinesOf(sum, Member::Beam).Q;
  ASSERT_EQ(shear.pieces.size(), 3u);
  // Each point load steps the shear down by its size.
  EXPECT_NEAR(shear.At(1.5) - shear.At(1.5 + 1e-12), 10, 1e-6);
  EXPECT_NEAR(shear.At(4.5) - shear.At(4.5 + 1e-12), 10, 1e-6);
  EXPECT_NEAR(shear.At(0), sum.reactions.AV, 1e-9);
}

}  // namespace
}  // namespace strevo
