// The exact stability analysis of the portal: αcr against the textbook's sway equations and the
// tests' own finite-element model, first order against the closed forms, second order against
// the model and against equilibrium on the deformed portal.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/frame_stability.h"
#include "core/analysis/solution.h"
#include "core/base/arithmetic_fault.h"
#include "frame_fe.h"
#include "test_inputs.h"

namespace strevo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEIPerCm4 = 2.1;  // kNm² for 1 cm4 of steel
constexpr std::array<SystemType, 3> kSystems = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                                SystemType::FixedFrame};
constexpr std::array<Member, 3> kMembers = {Member::LeftColumn, Member::Beam, Member::RightColumn};

// The root of f between lo and hi, where f changes sign once.
template <class F>
double Root(F f, double lo, double hi) {
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) / 2;
    ((f(lo) < 0) == (f(mid) < 0) ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

FrameLoads Loads(double q, BeamPointLoad point, double wD, double wS,
                 std::array<double, 4> horizontal, double columnWeight) {
  FrameLoads loads;
  loads.q = q;
  loads.pointLoads = {point};
  loads.wD = wD;
  loads.wS = wS;
  loads.topLeft = horizontal[0];
  loads.topRight = horizontal[1];
  loads.footLeft = horizontal[2];
  loads.footRight = horizontal[3];
  loads.columnWeight = columnWeight;
  return loads;
}

double Length(const Portal& portal, Member member) {
  return member == Member::Beam ? portal.L : portal.h;
}

const ExactLine& LineOf(const FrameResponse& response, Member member) {
  return response.lines[static_cast<std::size_t>(member)];
}

TEST(CriticalLoad, SwayOfTheTwoHingedAndTheFixedFrameFollowsTheTextbook) {
  // φ·tan φ = 6K with pinned feet, φ·cot φ = −6K with clamped ones; φ = h·√(P/EI1).
  const double h = 5, L = 8, I1 = 5000, P0 = 100;
  for (const double K : {0.5, 1.0, 3.0}) {
    const double pinned =
        Root([&](double phi) { return phi * std::tan(phi) - 6 * K; }, 1e-9, kPi / 2 - 1e-12);
    const double clamped =
        Root([&](double phi) { return phi / std::tan(phi) + 6 * K; }, kPi / 2 + 1e-12, kPi - 1e-12);
    for (const SystemType system : {SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
      const Portal portal{system, h, L, I1, K * I1 * L / h};
      const double phi = system == SystemType::FixedFrame ? clamped : pinned;
      const double expected = phi * phi * kEIPerCm4 * I1 / (h * h) / P0;
      const CriticalLoad critical = CriticalLoadOf(portal, {-P0, 0, -P0});
      EXPECT_NEAR(critical.factor, expected, 1e-7 * expected) << "K = " << K;
      EXPECT_EQ(critical.mode, BucklingMode::Sway);
      // The tests' model meets the equation too, so that it may judge where none is at hand.
      EXPECT_NEAR(testing::CriticalFactorByFe(portal, {-P0, 0, -P0}), expected, 1e-5 * expected);
    }
  }
}

TEST(CriticalLoad, ARigidBeamGivesTheColumnsTheEffectiveLengthTwoOrOne) {
  const double h = 4, I1 = 3000;
  const double euler = kPi * kPi * kEIPerCm4 * I1 / (h * h);
  const CriticalLoad pinned =
      CriticalLoadOf({SystemType::TwoHingedFrame, h, 6, I1, 1e6 * I1}, {-1, 0, -1});
  const CriticalLoad clamped =
      CriticalLoadOf({SystemType::FixedFrame, h, 6, I1, 1e6 * I1}, {-1, 0, -1});
  EXPECT_NEAR(pinned.factor, euler / 4, 1e-5 * euler);
  EXPECT_NEAR(clamped.factor, euler, 1e-5 * euler);
  EXPECT_EQ(pinned.mode, BucklingMode::Sway);
  EXPECT_EQ(clamped.mode, BucklingMode::Sway);
}

TEST(CriticalLoad, AgreesWithTheFiniteElementModelForUnequalForces) {
  struct Case {
    Portal portal;
    NormalForces forces;
  };
  const std::vector<Case> cases = {
      {{SystemType::KinkedBeam, 5, 8, 5000, 8000}, {-300, -20, -150}},
      {{SystemType::KinkedBeam, 4, 12, 8000, 20000}, {-100, 50, -400}},
      {{SystemType::KinkedBeam, 6, 6, 3000, 3000}, {-200, -100, -200}},
      {{SystemType::TwoHingedFrame, 5, 8, 5000, 8000}, {-300, -20, -150}},
      {{SystemType::TwoHingedFrame, 4, 12, 8000, 20000}, {-100, 80, -400}},
      {{SystemType::TwoHingedFrame, 7, 5, 12000, 2000}, {-50, -200, 0}},
      {{SystemType::FixedFrame, 5, 8, 5000, 8000}, {-300, -20, -150}},
      {{SystemType::FixedFrame, 4, 12, 8000, 20000}, {-100, 80, -400}},
      {{SystemType::FixedFrame, 3, 10, 2000, 6000}, {100, -30, -500}},
  };
  for (const Case& c : cases) {
    const double expected = testing::CriticalFactorByFe(c.portal, c.forces);
    EXPECT_NEAR(CriticalLoadOf(c.portal, c.forces).factor, expected, 1e-4 * expected)
        << testing::SystemName(c.portal.system) << " h = " << c.portal.h << " L = " << c.portal.L;
  }
}

TEST(CriticalLoad, AStronglyCompressedBeamBucklesWithoutSway) {
  struct Case {
    NormalForces forces;
    SystemType system;
    BucklingMode mode;
  };
  const Case cases[] = {{{-50, -100, -50}, SystemType::TwoHingedFrame, BucklingMode::Sway},
                        {{-50, -1500, -50}, SystemType::TwoHingedFrame, BucklingMode::Symmetric},
                        {{-400, -100, -400}, SystemType::FixedFrame, BucklingMode::Sway},
                        {{-400, -1500, -400}, SystemType::FixedFrame, BucklingMode::Symmetric}};
  for (const Case& c : cases) {
    const Portal portal{c.system, 4, 10, 10000, 2000};
    const double lowest = testing::CriticalFactorByFe(portal, c.forces);
    // Holding the beam sideways leaves the lowest factor where it is only for a mode that
    // does not sway.
    const bool sways = testing::CriticalFactorByFe(portal, c.forces, true) > 1.01 * lowest;
    ASSERT_EQ(sways, c.mode == BucklingMode::Sway) << "the case no longer shows its mode";
    const CriticalLoad critical = CriticalLoadOf(portal, c.forces);
    EXPECT_NEAR(critical.factor, lowest, 1e-4 * lowest) << testing::SystemName(c.system);
    EXPECT_EQ(critical.mode, c.mode) << testing::SystemName(c.system) << " N = " << c.forces.beam;
  }
}

TEST(CriticalLoad, NoneWithoutCompressionAndAFaultWithoutStiffness) {
  const Portal portal{SystemType::FixedFrame, 4, 8, 5000, 5000};
  EXPECT_TRUE(std::isinf(CriticalLoadOf(portal, {20, 5, 30}).factor));
  EXPECT_TRUE(std::isinf(CriticalLoadOf(portal, {0, 0, 0}).factor));
  EXPECT_THROW(CriticalLoadOf({SystemType::FixedFrame, 0, 8, 5000, 5000}, {-1, 0, -1}),
               ArithmeticFault);
  EXPECT_THROW(CriticalLoadOf({SystemType::TwoHingedFrame, 4, 8, 0, 5000}, {-1, 0, -1}),
               ArithmeticFault);
}

TEST(FrameAnalysis, FirstOrderIsTheClosedForm) {
  std::mt19937 random(30);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 20; ++run) {
      const InputSet in = testing::RandomPortal(random);
      const Portal portal = PortalOf(in, system);
      const LoadCase load = LoadCaseOf(in);
      const Solution closed = Solve(portal, load);
      const FrameResponse exact = AnalyseFrame(
          portal, Loads(load.q, {load.a, load.F}, load.wD, load.wS, {}, 0), Theory::FirstOrder);
      const Reactions& r = closed.reactions;
      const double scale = 1 + std::abs(r.AH) + std::abs(r.AV) + std::abs(r.MA) + std::abs(r.BH) +
                           std::abs(r.BV) + std::abs(r.MB);
      const double tolerance = 1e-8 * scale * std::max(in.h, in.L);
      EXPECT_NEAR(exact.reactions.AH, r.AH, tolerance);
      EXPECT_NEAR(exact.reactions.AV, r.AV, tolerance);
      EXPECT_NEAR(exact.reactions.MA, r.MA, tolerance);
      EXPECT_NEAR(exact.reactions.BH, r.BH, tolerance);
      EXPECT_NEAR(exact.reactions.BV, r.BV, tolerance);
      EXPECT_NEAR(exact.reactions.MB, r.MB, tolerance);
      EXPECT_EQ(exact.iterations, 0);
      for (const Member member : kMembers) {
        const MemberLines& lines = closed.lines[static_cast<std::size_t>(member)];
        for (int i = 0; i < 20; ++i) {
          const double s = Length(portal, member) * (i + 0.37) / 19.74;
          const MemberForces forces = LineOf(exact, member).At(s);
          EXPECT_NEAR(forces.M, lines.M.At(s), tolerance) << MemberName(member) << " s = " << s;
          EXPECT_NEAR(forces.Q, lines.Q.At(s), tolerance) << MemberName(member) << " s = " << s;
          EXPECT_NEAR(forces.N, lines.N.At(s), tolerance) << MemberName(member) << " s = " << s;
        }
      }
    }
  }
}

struct LoadedPortal {
  Portal portal;
  FrameLoads loads;
};

// Portals with every kind of load, each between two and ten times below its critical load.
std::vector<LoadedPortal> LoadedPortals() {
  return {
      {{SystemType::KinkedBeam, 5, 10, 8356, 8356}, Loads(20, {3, 30}, 2, 1, {3, 0, 0, 1}, 5)},
      {{SystemType::KinkedBeam, 4, 8, 5790, 11770},
       Loads(25, {6, 40}, -1.5, 0.5, {0, 2, 1, -0.5}, 3)},
      {{SystemType::TwoHingedFrame, 5, 10, 8356, 8356}, Loads(30, {3, 50}, 2, 1, {3, 0, 2, -1}, 5)},
      {{SystemType::TwoHingedFrame, 6, 15, 11770, 23130},
       Loads(45, {10, 80}, 0, 3, {0, 4, 0, 0}, 8)},
      {{SystemType::FixedFrame, 5, 10, 8356, 8356}, Loads(100, {3, 150}, 2, 1, {3, 0, 2, -1}, 10)},
      {{SystemType::FixedFrame, 7, 12, 5790, 16270}, Loads(60, {8, 100}, -2, -1, {0, -5, 0, 0}, 6)},
  };
}

TEST(FrameAnalysis, SecondOrderAgreesWithTheFiniteElementModel) {
  for (const LoadedPortal& c : LoadedPortals()) {
    const testing::FeResponse fe = testing::AnalyseByFe(c.portal, c.loads, Theory::SecondOrder);
    const double alpha = testing::CriticalFactorByFe(c.portal, fe.normalForces);
    ASSERT_TRUE(alpha > 2 && alpha < 10) << "αcr = " << alpha;
    const FrameResponse exact = AnalyseFrame(c.portal, c.loads, Theory::SecondOrder);
    const std::string name = testing::SystemName(c.portal.system);

    const Reactions& r = fe.reactions;
    const double forces = std::abs(r.AV) + std::abs(r.BV) + std::abs(r.AH) + std::abs(r.BH);
    EXPECT_NEAR(exact.reactions.AH, r.AH, 1e-4 * forces) << name;
    EXPECT_NEAR(exact.reactions.AV, r.AV, 1e-4 * forces) << name;
    EXPECT_NEAR(exact.reactions.BH, r.BH, 1e-4 * forces) << name;
    EXPECT_NEAR(exact.reactions.BV, r.BV, 1e-4 * forces) << name;
    EXPECT_NEAR(exact.sway, fe.sway, 1e-4 * std::abs(fe.sway)) << name;
    EXPECT_NEAR(exact.normalForces.leftColumn, fe.normalForces.leftColumn, 1e-4 * forces);
    EXPECT_NEAR(exact.normalForces.beam, fe.normalForces.beam, 1e-4 * forces);
    EXPECT_NEAR(exact.normalForces.rightColumn, fe.normalForces.rightColumn, 1e-4 * forces);

    double moments = 0;
    for (const testing::FeMemberMoments& m : fe.moments) {
      for (const double M : m.M) {
        moments = std::max(moments, std::abs(M));
      }
    }
    EXPECT_NEAR(exact.reactions.MA, r.MA, 1e-4 * moments) << name;
    EXPECT_NEAR(exact.reactions.MB, r.MB, 1e-4 * moments) << name;
    for (const Member member : kMembers) {
      const testing::FeMemberMoments& m = fe.moments[static_cast<std::size_t>(member)];
      for (std::size_t i = 0; i < m.s.size(); ++i) {
        EXPECT_NEAR(LineOf(exact, member).At(m.s[i]).M, m.M[i], 1e-4 * moments)
            << name << ' ' << MemberName(member) << " s = " << m.s[i];
      }
    }
  }
}

TEST(FrameAnalysis, OnlyTheFirstOrderSuperposes) {
  const Portal portal{SystemType::TwoHingedFrame, 5, 10, 8356, 8356};
  const FrameLoads gravity = Loads(30, {3, 50}, 0, 0, {}, 5);
  const FrameLoads wind = Loads(0, {3, 0}, 2, 1, {3, 0, 0, 0}, 0);
  const FrameLoads both = Loads(30, {3, 50}, 2, 1, {3, 0, 0, 0}, 5);
  for (const Theory theory : {Theory::FirstOrder, Theory::SecondOrder}) {
    const FrameResponse a = AnalyseFrame(portal, gravity, theory);
    const FrameResponse b = AnalyseFrame(portal, wind, theory);
    const FrameResponse whole = AnalyseFrame(portal, both, theory);
    const double corner = LineOf(whole, Member::Beam).At(0).M;
    const double cornerSum = LineOf(a, Member::Beam).At(0).M + LineOf(b, Member::Beam).At(0).M;
    const double gap = std::abs(whole.sway - (a.sway + b.sway));
    if (theory == Theory::FirstOrder) {
      EXPECT_NEAR(corner, cornerSum, 1e-9 * std::abs(corner));
      EXPECT_NEAR(whole.reactions.AH, a.reactions.AH + b.reactions.AH, 1e-9 * std::abs(corner));
      EXPECT_LT(gap, 1e-9 * std::abs(whole.sway));
    } else {
      // The gravity loads' compression lets the wind's sway grow by about 1/(1 − 1/αcr).
      EXPECT_GT(std::abs(corner - cornerSum), 0.02 * std::abs(corner));
      EXPECT_GT(gap, 0.1 * std::abs(whole.sway));
    }
  }
}

TEST(FrameAnalysis, SecondOrderFindsNoEquilibriumBeyondTheCriticalLoad) {
  const Portal portal{SystemType::TwoHingedFrame, 5, 10, 8356, 8356};
  const auto loads = [](double f) { return Loads(30 * f, {3, 50 * f}, 2 * f, f, {3 * f}, 5 * f); };
  const double alpha = testing::CriticalFactorByFe(
      portal, testing::AnalyseByFe(portal, loads(1), Theory::SecondOrder).normalForces);
  EXPECT_NO_THROW(AnalyseFrame(portal, loads(0.9 * alpha), Theory::SecondOrder));
  EXPECT_THROW(AnalyseFrame(portal, loads(1.2 * alpha), Theory::SecondOrder), UnstableFrame);
  EXPECT_NO_THROW(AnalyseFrame(portal, loads(1.2 * alpha), Theory::FirstOrder));
}

TEST(FrameAnalysis, SecondOrderReactionsBalanceTheLoadsOnTheDeformedPortal) {
  for (const LoadedPortal& c : LoadedPortals()) {
    const Portal& p = c.portal;
    const FrameLoads& l = c.loads;
    const FrameResponse response = AnalyseFrame(p, l, Theory::SecondOrder);
    const Reactions& r = response.reactions;
    const BeamPointLoad& point = l.pointLoads.front();
    const double down = l.q * p.L + point.F + 2 * l.columnWeight;
    const double across = (l.wD + l.wS) * p.h + l.topLeft + l.topRight + l.footLeft + l.footRight;
    EXPECT_NEAR(r.AV + r.BV, down, 1e-9 * down);
    EXPECT_NEAR(r.AH - r.BH, -across, 1e-9 * down);
    if (p.system == SystemType::KinkedBeam) {
      continue;  // its roller moves by an amount the response does not give
    }
    // About A, with every load on the beam and the column tops shifted by the sway.
    const double u = response.sway;
    const double moment = -r.MA + r.MB + r.BV * p.L - l.q * p.L * (p.L / 2 + u) -
                          point.F * (point.a + u) - (l.wD + l.wS) * p.h * p.h / 2 -
                          (l.topLeft + l.topRight) * p.h - l.columnWeight * (p.L + 2 * u);
    EXPECT_NEAR(moment, 0, 1e-6 * down * p.L) << testing::SystemName(p.system);
  }
}

}  // namespace
}  // namespace strevo
