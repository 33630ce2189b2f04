// The closed forms against an independent direct-stiffness solution of the same portal.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "portal_stiffness.h"
#include "test_inputs.h"

namespace strevo {
namespace {

constexpr double kRelativeTolerance = 1e-6;

void ExpectAgreement(const InputSet& in, SystemType system) {
  SharedResults r;
  ComputeResults(in, system, r);
  const testing::PortalReactions ref = testing::SolvePortalByStiffness(in, system);
  // Values near zero are compared against the size of the loading, not against themselves.
  const double forceScale =
      std::abs(in.q * in.L) + std::abs(in.F) + (std::abs(in.wD) + std::abs(in.wS)) * in.h;
  const double momentScale = forceScale * std::max(in.h, in.L);
  const auto near = [&](double value, double reference, double scale, const char* name) {
    EXPECT_NEAR(value, reference, kRelativeTolerance * std::max(std::abs(reference), 1e-3 * scale))
        << name << " system " << static_cast<int>(system) << " q=" << in.q << " F=" << in.F
        << " a=" << in.a << " wD=" << in.wD << " wS=" << in.wS << " h=" << in.h << " L=" << in.L
        << " I1=" << in.I1 << " I2=" << in.I2;
  };
  near(r.AH, ref.AH, forceScale, "AH");
  near(r.AV, ref.AV, forceScale, "AV");
  near(r.BH, ref.BH, forceScale, "BH");
  near(r.BV, ref.BV, forceScale, "BV");
  near(r.MA, ref.MA, momentScale, "MA");
  near(r.MB, ref.MB, momentScale, "MB");
}

TEST(StiffnessCheck, DefaultInputsWithAPointLoad) {
  InputSet in = testing::DefaultInputs();
  in.F = 10;
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    ExpectAgreement(in, system);
  }
}

TEST(StiffnessCheck, RandomPortalsAgreeWithTheClosedForms) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> load(-20, 20), length(0.5, 15), inertia(10, 100000);
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    for (int run = 0; run < 250; ++run) {
      InputSet in;
      in.q = load(random);
      in.F = load(random);
      in.wD = load(random);
      in.wS = load(random);
      in.h = length(random);
      in.L = length(random);
      in.a = in.L * std::uniform_real_distribution<double>(0.01, 0.99)(random);
      in.I1 = inertia(random);
      in.I2 = inertia(random);
      ExpectAgreement(in, system);
    }
  }
}

// Each load case alone, so that a wrong term cannot hide behind the others.
TEST(StiffnessCheck, EachLoadAlone) {
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    for (int loadCase = 0; loadCase < 4; ++loadCase) {
      InputSet in = testing::DefaultInputs();
      in.q = loadCase == 0 ? 3 : 0;
      in.F = loadCase == 1 ? 7 : 0;
      in.a = 1.3;
      in.wD = loadCase == 2 ? 2 : 0;
      in.wS = loadCase == 3 ? -1.5 : 0;
      in.I2 = 4.2;
      ExpectAgreement(in, system);
    }
  }
}

// The beam's moment line of the stiffness solution, by the statics of the cut left of x.
double ReferenceBeamMoment(const InputSet& in, const testing::PortalReactions& ref, double x) {
  return ref.MA + x * ref.AV - in.h * ref.AH - in.h * in.h * in.wD / 2 - x * x * in.q / 2 -
         (x > in.a ? (x - in.a) * in.F : 0);
}

// The field extremes of that line, found by scanning it: interior points where its slope
// changes sign, and the load point when it does so there.
std::vector<double> ReferenceExtremes(const InputSet& in, const testing::PortalReactions& ref) {
  constexpr int kSteps = 20000;
  std::vector<double> extremes;
  const auto M = [&](double x) { return ReferenceBeamMoment(in, ref, x); };
  const double dx = in.L / kSteps;
  for (int i = 1; i < kSteps; ++i) {
    const double x = i * dx;
    const double left = M(x) - M(x - dx), right = M(x + dx) - M(x);
    if (left * right < 0) {
      // The vertex of the parabola through the three samples, or the load point inside them.
      const bool loadHere = std::abs(x - in.a) < dx;
      extremes.push_back(loadHere ? in.a : x - dx * (right + left) / (2 * (right - left)));
    }
  }
  return extremes;
}

class FieldPointSigns : public ::testing::TestWithParam<std::tuple<SystemType, int, int>> {};

// Loads of every sign mix: M3 is the moment line at X3, and where the line has an extreme in the
// field X3 is the one of largest |M|; where it has none, X3 is a beam end.
TEST_P(FieldPointSigns, TheFieldMomentIsTheExtremeOfTheStiffnessSolution) {
  const auto [system, qSign, FSign] = GetParam();
  std::mt19937 random(31 + qSign * 3 + FSign);
  std::uniform_real_distribution<double> size(0.5, 20), length(1, 12), fraction(0.05, 0.95),
      wind(-5, 5), inertia(10, 100000);
  int withExtreme = 0;
  for (int run = 0; run < 150; ++run) {
    InputSet in;
    in.q = qSign * size(random);
    in.F = FSign * size(random);
    in.wD = wind(random);
    in.wS = wind(random);
    in.h = length(random);
    in.L = length(random);
    in.a = in.L * fraction(random);
    in.I1 = inertia(random);
    in.I2 = inertia(random);
    SharedResults r;
    ComputeResults(in, system, r);
    const testing::PortalReactions ref = testing::SolvePortalByStiffness(in, system);
    const double scale = std::abs(in.q) * in.L * in.L + std::abs(in.F) * in.L +
                         (std::abs(in.wD) + std::abs(in.wS)) * in.h * in.h;
    const std::string where = " q=" + std::to_string(in.q) + " F=" + std::to_string(in.F) +
                              " a=" + std::to_string(in.a) + " X3=" + std::to_string(r.X3);
    ASSERT_GE(r.X3, 0) << where;
    ASSERT_LE(r.X3, in.L) << where;
    EXPECT_NEAR(r.M3, ReferenceBeamMoment(in, ref, r.X3), 1e-6 * scale) << where;
    std::vector<double> extremes = ReferenceExtremes(in, ref);
    if (extremes.empty()) {
      EXPECT_TRUE(r.X3 == 0 || r.X3 == in.L) << where;
      continue;
    }
    const auto size = [&](double x) { return std::abs(ReferenceBeamMoment(in, ref, x)); };
    std::sort(extremes.begin(), extremes.end(),
              [&](double x1, double x2) { return size(x1) > size(x2); });
    if (extremes.size() > 1 && size(extremes[0]) - size(extremes[1]) < 1e-4 * scale) {
      continue;  // two extremes of equal size: either may be taken
    }
    ++withExtreme;
    EXPECT_NEAR(r.X3, extremes[0], 1e-3 * in.L) << where;
    EXPECT_NEAR(std::abs(r.M3), size(extremes[0]), 1e-6 * scale) << where;
  }
  EXPECT_GT(withExtreme, 30) << "too few portals with a field extreme to judge";
}

INSTANTIATE_TEST_SUITE_P(AllSystems, FieldPointSigns,
                         ::testing::Combine(::testing::Values(SystemType::KinkedBeam,
                                                              SystemType::TwoHingedFrame,
                                                              SystemType::FixedFrame),
                                            ::testing::Values(-1, 1), ::testing::Values(-1, 1)),
                         [](const auto& info) {
                           return testing::SystemName(std::get<0>(info.param)) +
                                  (std::get<1>(info.param) > 0 ? "_qDown" : "_qUp") +
                                  (std::get<2>(info.param) > 0 ? "_FDown" : "_FUp");
                         });

}  // namespace
}  // namespace strevo
