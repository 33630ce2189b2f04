// The one analysis of a frame model: loads anywhere on the beam against the tests' own
// finite-element model and stiffness solver, mirrored loads, partial loads that add up to a
// uniform one, frames other than the portal against the textbook, and the field point against a
// dense scan of the moment line.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/frame_analysis.h"
#include "core/analysis/frame_stability.h"
#include "frame_fe.h"
#include "portal_stiffness.h"
#include "test_inputs.h"

namespace strevo {
namespace {

constexpr std::array<SystemType, 3> kSystems = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                                SystemType::FixedFrame};
constexpr std::array<Member, 3> kMembers = {Member::LeftColumn, Member::Beam, Member::RightColumn};

const ExactLine& LineOf(const FrameResponse& response, Member member) {
  return response.lines[static_cast<std::size_t>(member)];
}

double Length(const Portal& portal, Member member) {
  return member == Member::Beam ? portal.L : portal.h;
}

// Partial loads that overlap, one over a corner, several point loads (two at one place), wind.
FrameLoads PiecewiseLoads() {
  FrameLoads loads;
  loads.q = 4;
  loads.partialLoads = {{12, 0, 3.5}, {-5, 2, 9}, {8, 6.5, 12}};
  loads.pointLoads = {{2.5, 30}, {7, -20}, {7, 45}, {10.25, 15}};
  loads.wD = 3;
  loads.wS = 1.5;
  loads.columnWeight = 6;
  return loads;
}

TEST(FrameModel, PiecewiseBeamLoadsAgreeWithTheFiniteElementModel) {
  for (const SystemType system : kSystems) {
    const Portal portal{system, 6, 12, 18260, 33740};
    for (const Theory theory : {Theory::FirstOrder, Theory::SecondOrder}) {
      FrameLoads loads = PiecewiseLoads();
      // Compression enough for second order to count: some 10 % beyond first order.
      for (BeamPointLoad& p : loads.pointLoads) {
        p.F *= 10;
      }
      const testing::FeResponse fe = testing::AnalyseByFe(portal, loads, theory, 48);
      const FrameResponse exact = AnalyseFrame(portal, loads, theory);
      const std::string name = testing::SystemName(system);
      const Reactions& r = fe.reactions;
      const double forces = std::abs(r.AV) + std::abs(r.BV) + std::abs(r.AH) + std::abs(r.BH);
      EXPECT_NEAR(exact.reactions.AH, r.AH, 1e-5 * forces) << name;
      EXPECT_NEAR(exact.reactions.AV, r.AV, 1e-5 * forces) << name;
      EXPECT_NEAR(exact.reactions.BH, r.BH, 1e-5 * forces) << name;
      EXPECT_NEAR(exact.reactions.BV, r.BV, 1e-5 * forces) << name;
      EXPECT_NEAR(exact.sway, fe.sway, 1e-5 * std::abs(fe.sway)) << name;
      double moments = 0;
      for (const testing::FeMemberMoments& m : fe.moments) {
        for (const double M : m.M) {
          moments = std::max(moments, std::abs(M));
        }
      }
      EXPECT_NEAR(exact.reactions.MA, r.MA, 1e-5 * moments) << name;
      EXPECT_NEAR(exact.reactions.MB, r.MB, 1e-5 * moments) << name;
      for (const Member member : kMembers) {
        const testing::FeMemberMoments& m = fe.moments[static_cast<std::size_t>(member)];
        for (std::size_t i = 0; i < m.s.size(); ++i) {
          EXPECT_NEAR(LineOf(exact, member).At(m.s[i]).M, m.M[i], 1e-5 * moments)
              << name << ' ' << MemberName(member) << " s = " << m.s[i];
        }
      }
    }
  }
}

TEST(FrameModel, SeveralPointLoadsAgreeWithTheStiffnessSolver) {
  for (const SystemType system : kSystems) {
    const Portal portal{system, 5, 10, 8356, 16270};
    FrameLoads loads;
    loads.q = 2;
    loads.wD = 1;
    loads.wS = -0.5;
    loads.pointLoads = {{1.5, 20}, {4, -35}, {8.5, 60}};
    testing::FrameLoads reference{portal.h, portal.L, portal.I1, portal.I2, loads.q,
                                  loads.wD, loads.wS, {},        {}};
    for (const BeamPointLoad& p : loads.pointLoads) {
      reference.pointLoads.push_back({p.a, p.F});
    }
    const testing::PortalReactions r = testing::SolveFrameByStiffness(reference, system).reactions;
    const Reactions exact = AnalyseFrame(portal, loads, Theory::FirstOrder).reactions;
    const std::string name = testing::SystemName(system);
    EXPECT_NEAR(exact.AH, r.AH, 1e-9 * 150) << name;
    EXPECT_NEAR(exact.AV, r.AV, 1e-9 * 150) << name;
    EXPECT_NEAR(exact.BH, r.BH, 1e-9 * 150) << name;
    EXPECT_NEAR(exact.BV, r.BV, 1e-9 * 150) << name;
    EXPECT_NEAR(exact.MA, r.MA, 1e-9 * 150) << name;
    EXPECT_NEAR(exact.MB, r.MB, 1e-9 * 150) << name;
  }
}

// x → L − x with wD' = −wS, wS' = −wD: the mirror image, for the frames (the kinked beam's
// pin and roller are not symmetric).
FrameLoads Mirror(FrameLoads loads, double L) {
  for (PartialBeamLoad& p : loads.partialLoads) {
    p = {p.q, L - p.to, L - p.from};
  }
  for (BeamPointLoad& p : loads.pointLoads) {
    p.a = L - p.a;
  }
  const double wD = loads.wD;
  loads.wD = -loads.wS;
  loads.wS = -wD;
  return loads;
}

TEST(FrameModel, MirroredLoadsGiveTheMirrorImage) {
  for (const SystemType system : {SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    const Portal portal{system, 6, 12, 18260, 33740};
    for (const Theory theory : {Theory::FirstOrder, Theory::SecondOrder}) {
      const FrameLoads loads = PiecewiseLoads();
      const FrameResponse a = AnalyseFrame(portal, loads, theory);
      const FrameResponse b = AnalyseFrame(portal, Mirror(loads, portal.L), theory);
      const double scale = std::abs(a.reactions.AV) + std::abs(a.reactions.BV);
      EXPECT_NEAR(b.reactions.AV, a.reactions.BV, 1e-9 * scale);
      EXPECT_NEAR(b.reactions.AH, a.reactions.BH, 1e-9 * scale);
      EXPECT_NEAR(b.reactions.MA, a.reactions.MB, 1e-9 * scale * portal.L);
      EXPECT_NEAR(b.sway, -a.sway, 1e-9 * std::abs(a.sway));
      for (int i = 0; i <= 24; ++i) {
        const double x = portal.L * i / 24, y = portal.h * i / 24;
        EXPECT_NEAR(LineOf(b, Member::Beam).At(x).M, LineOf(a, Member::Beam).At(portal.L - x).M,
                    1e-9 * scale * portal.L)
            << "x = " << x;
        EXPECT_NEAR(LineOf(b, Member::LeftColumn).At(y).M,
                    LineOf(a, Member::RightColumn).At(portal.h - y).M, 1e-9 * scale * portal.L);
      }
    }
  }
}

TEST(FrameModel, PartialLoadsAddUpToTheUniformLoad) {
  for (const SystemType system : kSystems) {
    const Portal portal{system, 5, 10, 8356, 8356};
    FrameLoads uniform;
    uniform.q = 30;
    uniform.wD = 2;
    FrameLoads whole = uniform, halves = uniform;
    whole.q = halves.q = 0;
    whole.partialLoads = {{30, 0, portal.L}};
    halves.partialLoads = {{30, 0, 3.7}, {30, 3.7, portal.L}};
    for (const Theory theory : {Theory::FirstOrder, Theory::SecondOrder}) {
      const FrameResponse expected = AnalyseFrame(portal, uniform, theory);
      for (const FrameLoads& loads : {whole, halves}) {
        const FrameResponse got = AnalyseFrame(portal, loads, theory);
        EXPECT_NEAR(got.reactions.AH, expected.reactions.AH, 1e-9 * 300);
        EXPECT_NEAR(got.reactions.BV, expected.reactions.BV, 1e-9 * 300);
        EXPECT_NEAR(got.reactions.MA, expected.reactions.MA, 1e-9 * 3000);
        EXPECT_NEAR(got.sway, expected.sway, 1e-9 * std::abs(expected.sway));
        for (const Member m : kMembers) {
          for (int i = 0; i <= 20; ++i) {
            const double s = Length(portal, m) * i / 20;
            EXPECT_NEAR(LineOf(got, m).At(s).M, LineOf(expected, m).At(s).M, 1e-9 * 3000)
                << MemberName(m) << " s = " << s;
            EXPECT_NEAR(LineOf(got, m).At(s).Q, LineOf(expected, m).At(s).Q, 1e-9 * 300);
          }
        }
      }
      // Cut at 3.7 m and nowhere else.
      const FrameResponse cut = AnalyseFrame(portal, halves, theory);
      ASSERT_EQ(LineOf(cut, Member::Beam).pieces.size(), 2u);
      EXPECT_DOUBLE_EQ(LineOf(cut, Member::Beam).pieces[0].end, 3.7);
    }
  }
}

// A frame that is no portal: the analysis reads members, not "the left column".
FrameModel ContinuousBeam(double span, double EI) {
  FrameModel model;
  model.nodes = {{0, 0}, {span, 0}, {2 * span, 0}};
  model.members = {{NodeId{0}, NodeId{1}, EI}, {NodeId{1}, NodeId{2}, EI}};
  model.supports = {{NodeId{0}, true, true, false},
                    {NodeId{1}, false, true, false},
                    {NodeId{2}, false, true, false}};
  return model;
}

TEST(FrameModel, AContinuousBeamFollowsTheTextbook) {
  // Two equal spans under q: the middle support takes 10/8·qL, the ends 3/8·qL, the moment
  // over the middle support is −qL²/8 (tension on top). The beam's n points up: q = −w.
  const double q = 12, span = 5;
  FrameLoading loading;
  loading.members = {{-q, {}, {}, 0}, {-q, {}, {}, 0}};
  const FrameAnalysis a = Analyse(ContinuousBeam(span, 20000), loading, Theory::FirstOrder);
  EXPECT_NEAR(a.reactions[0].Fy, 3.0 / 8 * q * span, 1e-9);
  EXPECT_NEAR(a.reactions[1].Fy, 10.0 / 8 * q * span, 1e-9);
  EXPECT_NEAR(a.reactions[2].Fy, 3.0 / 8 * q * span, 1e-9);
  EXPECT_NEAR(a.lines[0].At(span).M, -q * span * span / 8, 1e-9);
  // A point load P at midspan of the first span only: the middle moment is −3/32·P·l.
  FrameLoading point;
  point.members = {{0, {}, {{-40, span / 2}}, 0}, {}};
  const FrameAnalysis b = Analyse(ContinuousBeam(span, 20000), point, Theory::FirstOrder);
  EXPECT_NEAR(b.lines[1].At(0).M, -3.0 / 32 * 40 * span, 1e-9);
  ASSERT_EQ(b.lines[0].pieces.size(), 2u);
}

TEST(FrameModel, ColumnsBuckleAsEuler) {
  // A pinned column under 100 kN: αcr = π²EI/(100·l²); as a cantilever a quarter of that.
  const double EI = 5000, l = 4, pi = std::numbers::pi;
  FrameModel pinned;
  pinned.nodes = {{0, 0}, {0, l}};
  pinned.members = {{NodeId{0}, NodeId{1}, EI}};
  pinned.supports = {{NodeId{0}, true, true, false}, {NodeId{1}, true, false, false}};
  const double euler = pi * pi * EI / (l * l) / 100;
  EXPECT_NEAR(CriticalLoadOf(pinned, {-100}).factor, euler, 1e-9 * euler);
  FrameModel cantilever = pinned;
  cantilever.supports = {{NodeId{0}, true, true, true}};
  cantilever.swayRestraint = {{NodeId{1}, Direction::X, 1}};
  const CriticalLoad free = CriticalLoadOf(cantilever, {-100});
  EXPECT_NEAR(free.factor, euler / 4, 1e-9 * euler);
  EXPECT_EQ(free.mode, BucklingMode::Sway);
  // Held at the top as well, it buckles as a propped cantilever (β = 0.699…) without sway.
  cantilever.supports.push_back({NodeId{1}, true, false, false});
  const CriticalLoad held = CriticalLoadOf(cantilever, {-100});
  EXPECT_NEAR(held.factor, 20.190729 * EI / (l * l) / 100, 1e-6 * euler);
  EXPECT_EQ(held.mode, BucklingMode::Symmetric);
}

TEST(FrameModel, AxiallyFlexibleMembersShortenUnderLoad) {
  // The pinned column carries 100 kN: it shortens by N·l/EA, and the top moves down so.
  FrameModel column;
  column.axiallyRigid = false;
  column.nodes = {{0, 0}, {0, 4}};
  column.members = {{NodeId{0}, NodeId{1}, 5000, 2e6}};
  column.supports = {{NodeId{0}, true, true, false}, {NodeId{1}, true, false, false}};
  FrameLoading loading;
  loading.nodal = {{NodeId{1}, 0, -100, 0}};
  const FrameAnalysis a = Analyse(column, loading, Theory::FirstOrder);
  EXPECT_NEAR(a.normalForces[0], -100, 1e-9);
  EXPECT_NEAR(a.displacements[1].y, -100 * 4 / 2e6, 1e-15);
  EXPECT_NEAR(a.reactions[0].Fy, 100, 1e-9);
}

// The largest |M| among the moment line's extremes inside the beam, by a dense scan: where the
// slope changes its sign between neighbouring samples, or the line turns at a kink. A sample
// misses a kink's extreme by up to |Q|·L/n.
constexpr int kSamples = 200000;
double ScannedFieldMoment(const ExactLine& beam) {
  const double L = beam.pieces.back().end;
  const int n = kSamples;
  double largest = -1;
  double before = beam.At(0).M, here = beam.At(L / n).M;
  for (int i = 2; i <= n; ++i) {
    const double after = beam.At(L * i / n).M;
    if ((here - before) * (after - here) < 0) {
      largest = std::max(largest, std::abs(here));
    }
    before = here;
    here = after;
  }
  return largest;
}

TEST(FieldPoint, IsTheLargestExtremeOfPiecewiseLoadedBeams) {
  std::vector<FrameLoads> cases;
  cases.push_back(PiecewiseLoads());
  FrameLoads points;  // several point loads alone: the shear jumps through zero under one
  points.pointLoads = {{3, 40}, {6, 40}, {9, 15}};
  cases.push_back(points);
  FrameLoads ends;  // a partial load whose end is where the shear passes zero
  ends.partialLoads = {{10, 0, 6}, {10, 6, 12}};
  ends.wD = 4;
  cases.push_back(ends);
  for (const SystemType system : kSystems) {
    const Portal portal{system, 6, 12, 18260, 33740};
    for (const FrameLoads& loads : cases) {
      for (const Theory theory : {Theory::FirstOrder, Theory::SecondOrder}) {
        const FrameResponse response = AnalyseFrame(portal, loads, theory);
        const ExactLine& beam = LineOf(response, Member::Beam);
        const double X3 = FieldPointOf(beam);
        const double scanned = ScannedFieldMoment(beam);
        ASSERT_GE(scanned, 0) << testing::SystemName(system);
        double shear = 0;
        for (const ExactPiece& p : beam.pieces) {
          shear = std::max({shear, std::abs(p.Q(p.start)), std::abs(p.Q(p.end))});
        }
        EXPECT_NEAR(std::abs(beam.At(X3).M), scanned, 2 * shear * portal.L / kSamples)
            << testing::SystemName(system) << " X3 = " << X3;
      }
    }
  }
}

TEST(FieldPoint, ZeroShearAlongAStretchTakesItsFirstPoint) {
  // Two equal point loads symmetric on the two-hinged frame's beam and nothing else: the shear is
  // zero between them and the moment constant there.
  const Portal portal{SystemType::TwoHingedFrame, 5, 10, 8356, 8356};
  FrameLoads loads;
  loads.pointLoads = {{3, 50}, {7, 50}};
  const FrameResponse loaded = AnalyseFrame(portal, loads, Theory::FirstOrder);
  EXPECT_NEAR(FieldPointOf(LineOf(loaded, Member::Beam)), 3, 1e-12);
  // Without any load: midspan. Under a load that keeps the shear's sign: the end it favours.
  const FrameResponse unloaded = AnalyseFrame(portal, {}, Theory::FirstOrder);
  EXPECT_EQ(FieldPointOf(LineOf(unloaded, Member::Beam)), 5);
}

}  // namespace
}  // namespace strevo
