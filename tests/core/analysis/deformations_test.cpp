// Internal forces and displacements at any point against an independent stiffness solution, a
// second method (virtual work), textbook properties and the statics of a cut.
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "core/analysis/deformations.h"
#include "core/base/arithmetic_fault.h"
#include "portal_stiffness.h"
#include "test_inputs.h"

namespace strevo {
namespace {

constexpr double kRelative = 1e-9;
constexpr SystemType kSystems[] = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                   SystemType::FixedFrame};

struct Solved {
  InputSet in;
  SharedResults r;
  Deformation d;
};

Solved Solve(const InputSet& in, SystemType system) {
  Solved s{in, {}, {}};
  ComputeResults(in, system, s.r);
  s.d = ComputeDeformation(in, system, s.r);
  return s;
}

// Exact for polynomials up to the third degree, as M·m is on each piece.
template <class F>
double Simpson(F&& f, double from, double to) {
  return (to - from) / 6 * (f(from) + 4 * f((from + to) / 2) + f(to));
}

// Virtual work with the pinned-and-rolling portal as the released system, split where either
// moment line kinks.
double VirtualWork(const Solved& s, Member member, double from, double to,
                   const std::function<double(double)>& unitMoment, std::vector<double> kinks) {
  const double EI = kBendingStiffnessPerCm4 * (member == Member::Beam ? s.in.I2 : s.in.I1);
  kinks.push_back(from);
  kinks.push_back(to);
  std::sort(kinks.begin(), kinks.end());
  double sum = 0;
  for (std::size_t i = 0; i + 1 < kinks.size(); ++i) {
    if (kinks[i] >= from && kinks[i + 1] <= to && kinks[i + 1] > kinks[i]) {
      sum += Simpson(
          [&](double x) { return ForcesOn(PortalLinesOf(s.in, s.r), member, x).M * unitMoment(x); },
          kinks[i], kinks[i + 1]);
    }
  }
  return sum / EI * 1000;
}

TEST(Deformations, AgreeWithTheStiffnessSolutionAtTheNodes) {
  std::mt19937 random(20261207);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 200; ++run) {
      const InputSet in = testing::RandomPortal(random);
      const Solved s = Solve(in, system);
      const testing::PortalDisplacements ref = testing::SolvePortalDisplacements(in, system);
      const double toMm = 1000 / kBendingStiffnessPerCm4;  // the reference has EI = I
      const double scale = std::max({std::abs(ref.sway), std::abs(ref.deflectionP), 1e-12}) * toMm;
      const double angle =
          std::max({std::abs(ref.theta1), std::abs(ref.theta2), std::abs(ref.thetaP), 1e-12}) /
          kBendingStiffnessPerCm4;
      const auto where = [&] {
        return ::testing::Message() << testing::SystemName(system) << " run " << run;
      };
      EXPECT_NEAR(s.d.u, ref.sway * toMm, kRelative * scale) << where();
      EXPECT_NEAR(DisplacementAt(s.d, Member::Beam, in.a), -ref.deflectionP * toMm,
                  kRelative * scale)
          << where();
      EXPECT_NEAR(s.d.phiA, ref.thetaA / kBendingStiffnessPerCm4, kRelative * angle) << where();
      EXPECT_NEAR(s.d.phi2, ref.theta1 / kBendingStiffnessPerCm4, kRelative * angle) << where();
      EXPECT_NEAR(s.d.phi4, ref.theta2 / kBendingStiffnessPerCm4, kRelative * angle) << where();
      EXPECT_NEAR(s.d.phiB, ref.thetaB / kBendingStiffnessPerCm4, kRelative * angle) << where();
      EXPECT_NEAR(RotationAt(s.d, Member::Beam, in.a), ref.thetaP / kBendingStiffnessPerCm4,
                  kRelative * angle)
          << where();
      // The ends do not move where the supports and the rigid members hold them.
      EXPECT_NEAR(DisplacementAt(s.d, Member::Beam, in.L), 0, kRelative * scale) << where();
      EXPECT_NEAR(DisplacementAt(s.d, Member::LeftColumn, 0), 0, kRelative * scale) << where();
      if (system != SystemType::KinkedBeam) {
        EXPECT_NEAR(DisplacementAt(s.d, Member::RightColumn, in.h), 0, kRelative * scale)
            << where();
      }
    }
  }
}

TEST(Deformations, InsideTheMembersTheyAgreeWithVirtualWork) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> fraction(0, 1);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 100; ++run) {
      const InputSet in = testing::RandomPortal(random);
      const Solved s = Solve(in, system);
      const double scale = 1e-9 + std::abs(s.d.u) + std::abs(s.d.w);
      // A unit load down at x on the beam: a simple beam's triangle, nothing in the columns.
      const double x = in.L * fraction(random);
      const double w = VirtualWork(
          s, Member::Beam, 0, in.L,
          [&](double t) { return t <= x ? t * (in.L - x) / in.L : x * (in.L - t) / in.L; },
          {in.a, x});
      EXPECT_NEAR(DisplacementAt(s.d, Member::Beam, x), w, kRelative * scale);
      // A unit load to the right at height y of the left column.
      const double y = in.h * fraction(random);
      const double u = VirtualWork(s, Member::LeftColumn, 0, in.h,
                                   [&](double t) { return std::min(t, y); }, {y}) +
                       VirtualWork(s, Member::Beam, 0, in.L,
                                   [&](double t) { return y * (1 - t / in.L); }, {in.a});
      EXPECT_NEAR(DisplacementAt(s.d, Member::LeftColumn, y), u, kRelative * scale);
    }
  }
}

TEST(Deformations, LargestDeflectionIsTheExtremeOfTheBeam) {
  std::mt19937 random(5);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 50; ++run) {
      const Solved s = Solve(testing::RandomPortal(random), system);
      double largest = 0;
      for (int i = 0; i <= 2000; ++i) {
        const double w = DisplacementAt(s.d, Member::Beam, s.in.L * i / 2000);
        largest = std::max(largest, std::abs(w));
      }
      EXPECT_GE(std::abs(s.d.w), largest * (1 - 1e-12));
      EXPECT_LE(std::abs(s.d.w), largest * (1 + 1e-6) + 1e-12) << "no larger than sampled";
      EXPECT_DOUBLE_EQ(DisplacementAt(s.d, Member::Beam, s.d.xw), s.d.w);
      EXPECT_NEAR(RotationAt(s.d, Member::Beam, s.d.xw), 0,
                  1e-9 * (std::abs(s.d.phi2) + std::abs(s.d.phi4)));
    }
  }
}

TEST(Deformations, SymmetricLoadsDoNotSwayTheFrames) {
  for (const SystemType system : {SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    InputSet in = testing::DefaultInputs();
    in.F = 7;
    in.a = in.L / 2;
    in.wD = 1.5;
    in.wS = -1.5;  // pressing inwards from both sides
    const Solved s = Solve(in, system);
    EXPECT_NEAR(s.d.u, 0, 1e-9 * std::abs(s.d.w));
    EXPECT_NEAR(s.d.xw, in.L / 2, 1e-9);
    EXPECT_NEAR(s.d.phi2, -s.d.phi4, 1e-12 * std::abs(s.d.phi2));
  }
}

// Maxwell–Betti: the deflection at x under F at a equals the deflection at a under F at x.
TEST(Deformations, AreReciprocal) {
  for (const SystemType system : kSystems) {
    InputSet first = testing::DefaultInputs();
    first.q = 0;
    first.F = 10;
    first.a = 1.2;
    InputSet second = first;
    second.a = 3.7;
    const Solved one = Solve(first, system), two = Solve(second, system);
    EXPECT_NEAR(DisplacementAt(one.d, Member::Beam, second.a),
                DisplacementAt(two.d, Member::Beam, first.a), 1e-12 * std::abs(one.d.w));
  }
}

// The kinked beam under wD alone is statically determinate: by hand, the sway is
// wD·h⁴·5/(24·EI1) + wD·h³·L/(6·EI2).
TEST(Deformations, KinkedBeamSwayUnderWindByHand) {
  InputSet in = testing::DefaultInputs();
  in.q = 0;
  in.wD = 2;
  const Solved s = Solve(in, SystemType::KinkedBeam);
  const double EI1 = 2.1 * in.I1, EI2 = 2.1 * in.I2;
  const double byHand = 1000 * (in.wD * std::pow(in.h, 4) * 5 / 24 / EI1 +
                                in.wD * std::pow(in.h, 3) * in.L / 6 / EI2);
  EXPECT_NEAR(s.d.u, byHand, 1e-9 * byHand);
  EXPECT_NEAR(byHand, 84656.08, 0.01);
}

// The fault names the field and the value read from it: a typed "0,5" reads 0, and the
// message must say so.
TEST(Deformations, AMemberWithoutStiffnessFaultsNamingItsFieldAndValue) {
  const InputSet in = testing::DefaultInputs();
  SharedResults r;
  ComputeResults(in, SystemType::FixedFrame, r);
  const PortalLines lines = PortalLinesOf(in, r);
  const MomentLines moments = {lines[0].M, lines[1].M, lines[2].M};
  const struct {
    double I1, I2;
    FaultKind kind;
    const char* text;
  } cases[] = {
      {1, 0, FaultKind::DivisionByZero, "Division durch Null im Feld I2 = 0"},
      {0, 1.5, FaultKind::DivisionByZero, "Division durch Null im Feld I1 = 0"},
      {1e-310, 1.5, FaultKind::Overflow, "Überlauf im Feld I1 = 1e-310"},  // 1/EI too large
      {1, 1e308, FaultKind::Overflow, "Überlauf im Feld I2 = 1e+308"},     // EI too large
  };
  for (const auto& c : cases) {
    try {
      DeformationOf(SystemType::FixedFrame, in.L, c.I1, c.I2, moments);
      ADD_FAILURE() << c.text;
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.kind(), c.kind);
      EXPECT_EQ(FaultText(fault), c.text);
    }
  }
  EXPECT_NO_THROW(DeformationOf(SystemType::FixedFrame, in.L, 1e-200, 1.5, moments))
      << "small but with stiffness";
}

TEST(MemberForces, EndsAreTheResultValuesAndCutsBalance) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> fraction(0, 1);
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 100; ++run) {
      InputSet in = testing::RandomPortal(random);
      in.q = std::abs(in.q) + 0.1;  // the field point's decision is made for a downward load
      SharedResults r;
      ComputeResults(in, system, r);
      const double tol = 1e-9 * (1 + std::abs(r.M1) + std::abs(r.M4) + std::abs(r.M3) +
                                 std::abs(r.AV) * in.L + std::abs(r.AH) * in.h);
      const auto at = [&](Member m, double s) { return ForcesOn(PortalLinesOf(in, r), m, s); };
      EXPECT_NEAR(at(Member::LeftColumn, 0).M, r.MA, tol);
      EXPECT_NEAR(at(Member::LeftColumn, in.h).M, r.M1, tol);
      EXPECT_NEAR(at(Member::LeftColumn, in.h).Q, r.Q1, tol);
      EXPECT_NEAR(at(Member::LeftColumn, in.h).N, r.N1, tol);
      EXPECT_NEAR(at(Member::Beam, 0).M, r.M2, tol);
      EXPECT_NEAR(at(Member::Beam, 0).Q, r.Q2, tol);
      EXPECT_NEAR(at(Member::Beam, 0).N, r.N2, tol);
      EXPECT_NEAR(at(Member::Beam, r.X3).M, r.M3, tol);
      EXPECT_NEAR(at(Member::Beam, in.L).M, r.M4, tol);
      EXPECT_NEAR(at(Member::Beam, in.L).Q, r.Q4, tol);
      EXPECT_NEAR(at(Member::Beam, in.L).N, r.N4, tol);
      EXPECT_NEAR(at(Member::RightColumn, 0).M, r.M5, tol);
      EXPECT_NEAR(at(Member::RightColumn, 0).Q, r.Q5, tol);
      EXPECT_NEAR(at(Member::RightColumn, 0).N, r.N5, tol);
      EXPECT_NEAR(at(Member::RightColumn, in.h).M, r.MB, tol);
      // The beam cut at x, taken from its right part: B's reactions and the loads right of x.
      const double x = in.L * fraction(random);
      const double fromTheRight = r.BV * (in.L - x) - in.q * (in.L - x) * (in.L - x) / 2 -
                                  (in.a > x ? in.F * (in.a - x) : 0) - r.BH * in.h +
                                  in.wS * in.h * in.h / 2 + r.MB;
      EXPECT_NEAR(at(Member::Beam, x).M, fromTheRight, tol);
      // Q is the slope of M.
      const double y = in.h * (0.1 + 0.8 * fraction(random)), e = 1e-6 * in.h;
      EXPECT_NEAR(at(Member::RightColumn, y).Q,
                  (at(Member::RightColumn, y + e).M - at(Member::RightColumn, y - e).M) / (2 * e),
                  1e-5 * (1 + std::abs(at(Member::RightColumn, y).Q)));
    }
  }
}

}  // namespace
}  // namespace strevo
