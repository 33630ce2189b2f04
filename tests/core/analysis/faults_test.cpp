// Arithmetic faults: the failing step, its kind, and what stays stored.
#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "core/base/arithmetic_fault.h"
#include "test_inputs.h"

namespace strevo {
namespace {

constexpr double kSentinel = 777.0;

SharedResults Sentinels() {
  SharedResults r;
  for (double* v :
       {&r.AH, &r.AV, &r.MA, &r.BH, &r.BV, &r.MB, &r.M1, &r.N1, &r.Q1, &r.M2, &r.N2, &r.Q2,
        &r.M3, &r.N3, &r.Q3, &r.M4, &r.N4, &r.Q4, &r.M5, &r.N5, &r.Q5, &r.X3, &r.k,  &r.Lmax}) {
    *v = kSentinel;
  }
  return r;
}

FaultKind FaultOf(const InputSet& in, SystemType system, SharedResults& r) {
  try {
    ComputeResults(in, system, r);
  } catch (const ArithmeticFault& fault) {
    return fault.kind();
  }
  ADD_FAILURE() << "no fault";
  return FaultKind::Overflow;
}

// The steps of every block in their order, as pointers, to check "earlier new, later old".
const std::vector<double SharedResults::*> kStepOrder = {
    &SharedResults::AH, &SharedResults::AV, &SharedResults::MA, &SharedResults::BH,
    &SharedResults::BV, &SharedResults::MB, &SharedResults::M1, &SharedResults::N1,
    &SharedResults::Q1, &SharedResults::M2, &SharedResults::N2, &SharedResults::Q2,
    &SharedResults::X3, &SharedResults::M3, &SharedResults::M4, &SharedResults::N4,
    &SharedResults::Q4, &SharedResults::M5, &SharedResults::N5, &SharedResults::Q5};

void ExpectUntouchedFrom(const SharedResults& r, std::size_t firstUntouched) {
  for (std::size_t i = firstUntouched; i < kStepOrder.size(); ++i) {
    EXPECT_EQ(r.*kStepOrder[i], kSentinel) << "step " << i << " was written after the fault";
  }
}

struct FaultCase {
  const char* name;
  SystemType system;
  std::function<void(InputSet&)> change;
  FaultKind kind;
  std::size_t failingStep;  // this step and every later one keep their old values
  std::function<void(const SharedResults&)> alsoExpect = [](const SharedResults&) {};
};

void PrintTo(const FaultCase& c, std::ostream* out) {
  *out << c.name;
}

const auto kPreambleRan = [](const SharedResults& r) {
  EXPECT_EQ(r.k, 0) << "the preamble completed and stored k";
};
const auto kZeroHeight = [](InputSet& in) { in.h = 0; };
const auto kZeroHeightUnloaded = [](InputSet& in) {
  in.h = 0;
  in.q = 0;
};
const auto kZeroHeightPointLoadOnly = [](InputSet& in) {
  in.h = 0;
  in.q = 0;
  in.F = 5;
};

const FaultCase kFaultCases[] = {
    {"KinkedBeamZeroColumnStiffness", SystemType::KinkedBeam, [](InputSet& in) { in.I1 = 0; },
     FaultKind::DivisionByZero, 0,
     [](const SharedResults& r) {
       EXPECT_EQ(r.k, kSentinel) << "the preamble's own step keeps its old value";
       EXPECT_EQ(r.N3, kSentinel);
       EXPECT_EQ(r.Lmax, kSentinel);
     }},
    {"KinkedBeamZeroOverZero", SystemType::KinkedBeam,
     [](InputSet& in) {
       in.I1 = 0;
       in.I2 = 0;
     },
     FaultKind::InvalidOperation, 0, [](const SharedResults& r) { EXPECT_EQ(r.k, kSentinel); }},
    {"TwoHingedZeroColumnStiffness", SystemType::TwoHingedFrame, [](InputSet& in) { in.I1 = 0; },
     FaultKind::DivisionByZero, 0},
    {"FixedZeroColumnStiffness", SystemType::FixedFrame, [](InputSet& in) { in.I1 = 0; },
     FaultKind::DivisionByZero, 0},
    {"TwoHingedZeroHeight", SystemType::TwoHingedFrame, kZeroHeight, FaultKind::DivisionByZero, 0,
     kPreambleRan},
    {"FixedZeroHeight", SystemType::FixedFrame, kZeroHeight, FaultKind::DivisionByZero, 0,
     kPreambleRan},
    {"TwoHingedZeroHeightUnloaded", SystemType::TwoHingedFrame, kZeroHeightUnloaded,
     FaultKind::InvalidOperation, 0},
    {"FixedZeroHeightUnloaded", SystemType::FixedFrame, kZeroHeightUnloaded,
     FaultKind::InvalidOperation, 0},
    {"TwoHingedZeroHeightPointLoadOnly", SystemType::TwoHingedFrame, kZeroHeightPointLoadOnly,
     FaultKind::DivisionByZero, 0},
    {"FixedZeroHeightPointLoadOnly", SystemType::FixedFrame, kZeroHeightPointLoadOnly,
     FaultKind::DivisionByZero, 0},
    // k = I2/I1 * h/L with h 4, L 5: I2 = -1.875 gives k = -1.5, so n = 2k + 3 = 0.
    {"TwoHingedZeroN", SystemType::TwoHingedFrame, [](InputSet& in) { in.I2 = -1.875; },
     FaultKind::DivisionByZero, 0, [](const SharedResults& r) { EXPECT_DOUBLE_EQ(r.k, -1.5); }},
    // I2 = -2.5 gives k = -2, so k + 2 = 0 in the fixed frame's thrust.
    {"FixedZeroKPlus2", SystemType::FixedFrame, [](InputSet& in) { in.I2 = -2.5; },
     FaultKind::DivisionByZero, 0},
    // h 1, L 6, I2 = -1 gives k = -1/6, so 6k + 1 = 0 in the vertical reaction: the thrust
    // before it is stored, everything after it keeps its old value.
    {"FixedZero6KPlus1", SystemType::FixedFrame,
     [](InputSet& in) {
       in.h = 1;
       in.L = 6;
       in.a = 1;
       in.F = 3;
       in.I2 = -1;
     },
     FaultKind::DivisionByZero, 1,
     [](const SharedResults& r) {
       EXPECT_NE(r.AH, kSentinel);
       EXPECT_TRUE(std::isfinite(r.AH));
     }},
    {"KinkedBeamOverflow", SystemType::KinkedBeam,
     [](InputSet& in) {
       in.wD = 1e200;
       in.h = 1e200;
       in.I2 = 1e-300;  // keeps k finite
     },
     FaultKind::Overflow, 0},
    {"FixedOverflow", SystemType::FixedFrame,
     [](InputSet& in) {
       in.F = 1e308;
       in.a = 1;
     },
     FaultKind::Overflow, 0},
    // Guards against a fault that a later operation of the same step hides: the thrust's
    // denominator n·(h·4) overflows, the quotient is a finite 0, yet the step has faulted.
    {"TwoHingedOverflowInsideAFiniteStep", SystemType::TwoHingedFrame,
     [](InputSet& in) {
       in.h = 1e308;
       in.I2 = 1e-300;
     },
     FaultKind::Overflow, 0},
};

class FaultCases : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultCases, StopAtTheFailingStepWithItsKind) {
  const FaultCase& c = GetParam();
  InputSet in = testing::DefaultInputs();
  c.change(in);
  SharedResults r = Sentinels();
  EXPECT_EQ(FaultText(FaultOf(in, c.system, r)), FaultText(c.kind));
  ExpectUntouchedFrom(r, c.failingStep);
  c.alsoExpect(r);
  // A failing step keeps its value, so every label can still show a number ("-nan" once).
  for (double SharedResults::*value : kStepOrder) {
    EXPECT_TRUE(std::isfinite(r.*value));
  }
  EXPECT_TRUE(std::isfinite(r.k));
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultCases, ::testing::ValuesIn(kFaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Faults, AFaultWritesNoLineAndTheNextRunWorks) {
  InputSet in = testing::DefaultInputs();
  in.I1 = 0;
  SharedResults r;
  EXPECT_THROW(ComputeResults(in, SystemType::FixedFrame, r), ArithmeticFault);
  const ResultLines lines = ComputeResults(testing::DefaultInputs(), SystemType::FixedFrame, r);
  EXPECT_EQ(lines.size(), 20u);
  EXPECT_DOUBLE_EQ(r.k, 1.2);
}

TEST(Faults, GermanTexts) {
  EXPECT_EQ(FaultText(FaultKind::DivisionByZero), "Division durch Null");
  EXPECT_EQ(FaultText(FaultKind::Overflow), "Überlauf");
  EXPECT_EQ(FaultText(FaultKind::InvalidOperation), "Ungültige Rechenoperation");
}

}  // namespace
}  // namespace strevo

namespace strevo {
namespace {

// Guards against handing the canvas a double beyond the float range: the cast itself would be
// undefined behaviour, so it must be caught as an overflow before it happens.
TEST(Faults, SinglePrecisionOverflow) {
  const FaultWatch check;
  EXPECT_EQ(check.Single(3e38), 3e38f);
  EXPECT_EQ(check.Single(-1.5), -1.5f);
  try {
    check.Single(-1e39);
    ADD_FAILURE() << "no fault";
  } catch (const ArithmeticFault& fault) {
    EXPECT_EQ(fault.kind(), FaultKind::Overflow);
  }
}

}  // namespace
}  // namespace strevo
