// Arithmetic faults: the failing step, its kind, and what stays stored.
#include <gtest/gtest.h>

#include "arithmetic_fault.h"
#include "compute_results.h"
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

TEST(Faults, ZeroColumnStiffnessEndsEverySystemInThePreamble) {
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    InputSet in = testing::DefaultInputs();
    in.I1 = 0;
    SharedResults r = Sentinels();
    EXPECT_EQ(FaultOf(in, system, r), FaultKind::DivisionByZero);
    ExpectUntouchedFrom(r, 0);
    EXPECT_EQ(r.N3, kSentinel);
    EXPECT_EQ(r.Lmax, kSentinel);
  }
}

TEST(Faults, ZeroHeightInTheFramesFaultsInTheThrust) {
  for (auto system : {SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    InputSet loaded = testing::DefaultInputs();
    loaded.h = 0;
    SharedResults r = Sentinels();
    EXPECT_EQ(FaultOf(loaded, system, r), FaultKind::DivisionByZero);
    EXPECT_EQ(r.k, 0) << "the preamble completed and stored k";
    ExpectUntouchedFrom(r, 1);

    InputSet unloaded = loaded;
    unloaded.q = 0;
    SharedResults s = Sentinels();
    EXPECT_EQ(FaultOf(unloaded, system, s), FaultKind::InvalidOperation);
    ExpectUntouchedFrom(s, 1);

    InputSet pointLoadOnly = unloaded;
    pointLoadOnly.F = 5;
    SharedResults p = Sentinels();
    EXPECT_EQ(FaultOf(pointLoadOnly, system, p), FaultKind::DivisionByZero);
  }
}

TEST(Faults, NegativeStiffnessThatZeroesADenominator) {
  // k = I2/I1 * h/L with h 4, L 5: I2 = -1.875 gives k = -1.5, so n = 2k + 3 = 0.
  InputSet in = testing::DefaultInputs();
  in.I2 = -1.875;
  SharedResults r = Sentinels();
  EXPECT_EQ(FaultOf(in, SystemType::TwoHingedFrame, r), FaultKind::DivisionByZero);
  EXPECT_DOUBLE_EQ(r.k, -1.5);
  ExpectUntouchedFrom(r, 1);

  // I2 = -2.5 gives k = -2, so k + 2 = 0 in the fixed frame's thrust.
  in.I2 = -2.5;
  SharedResults s = Sentinels();
  EXPECT_EQ(FaultOf(in, SystemType::FixedFrame, s), FaultKind::DivisionByZero);
  ExpectUntouchedFrom(s, 1);

  // h 1, L 6, I2 = -1 gives k = -1/6, so 6k + 1 = 0 in the vertical reaction: the thrust
  // before it is stored, everything after it keeps its old value.
  InputSet sixth = testing::DefaultInputs();
  sixth.h = 1;
  sixth.L = 6;
  sixth.a = 1;
  sixth.F = 3;
  sixth.I2 = -1;
  SharedResults t = Sentinels();
  EXPECT_EQ(FaultOf(sixth, SystemType::FixedFrame, t), FaultKind::DivisionByZero);
  EXPECT_NE(t.AH, kSentinel);
  EXPECT_TRUE(std::isfinite(t.AH));
  ExpectUntouchedFrom(t, 2);
}

TEST(Faults, OverflowIsNamed) {
  InputSet in = testing::DefaultInputs();
  in.wD = 1e200;
  in.h = 1e200;
  in.I2 = 1e-300;  // keeps k finite
  SharedResults r = Sentinels();
  EXPECT_EQ(FaultOf(in, SystemType::KinkedBeam, r), FaultKind::Overflow);
  ExpectUntouchedFrom(r, 1);
}

// Guards against a fault that a later operation of the same step hides: the thrust's
// denominator n·(h·4) overflows, the quotient is a finite 0, yet the step has faulted.
TEST(Faults, OverflowInsideAFiniteStepIsStillCaughtAtThatStep) {
  InputSet in = testing::DefaultInputs();
  in.h = 1e308;
  in.I2 = 1e-300;
  SharedResults r = Sentinels();
  EXPECT_EQ(FaultOf(in, SystemType::TwoHingedFrame, r), FaultKind::Overflow);
  ExpectUntouchedFrom(r, 1);
}

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
