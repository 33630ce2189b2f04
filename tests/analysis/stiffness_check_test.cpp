// The closed forms against an independent direct-stiffness solution of the same portal.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "compute_results.h"
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

}  // namespace
}  // namespace strevo
