// Worked examples of the three systems, compared as the result lines show them, and the
// equilibrium every computed state must satisfy.
#include <cctype>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "test_inputs.h"

namespace strevo {
namespace {

using testing::DefaultInputs;

struct WorkedExample {
  const char* name;
  SystemType system;
  std::function<void(InputSet&)> change;
  std::vector<std::string> expectedLines;
};

void PrintTo(const WorkedExample& example, std::ostream* out) {
  *out << example.name;
}

std::map<int, std::string> TextsByIndex(const ResultLines& lines) {
  std::map<int, std::string> texts;
  for (const ResultLine& line : lines) {
    texts[line.index] = ResultLineText(line);
  }
  return texts;
}

const auto kDefaults = [](InputSet&) {};

const std::vector<WorkedExample> kKinkedBeam = {
    {"defaults",
     SystemType::KinkedBeam,
     kDefaults,
     {"AH = 0.00 kN", "AV = 5.00 kN", "BV = 5.00 kN", "M1 = 0.00 kNm", "N1 = -5.00 kN",
      "Q1 = 0.00 kN", "M2 = 0.00 kNm", "N2 = 0.00 kN", "Q2 = 5.00 kN", "M3 = 6.25 kNm",
      "X3 = 2.50 m", "M4 = 0.00 kNm", "N4 = 0.00 kN", "Q4 = -5.00 kN", "M5 = 0.00 kNm",
      "N5 = -5.00 kN", "Q5 = 0.00 kN"}},
    {"shear jumps through zero at the load",
     SystemType::KinkedBeam,
     [](InputSet& in) { in.F = 10; },
     {"AV = 9.00 kN", "BV = 11.00 kN", "X3 = 3.00 m", "M3 = 18.00 kNm", "Q4 = -11.00 kN",
      "N5 = -11.00 kN"}},
    {"field point right of the load",
     SystemType::KinkedBeam,
     [](InputSet& in) {
       in.F = 2;
       in.a = 1;
     },
     {"AV = 6.60 kN", "BV = 5.40 kN", "X3 = 2.30 m", "M3 = 7.29 kNm"}},
    {"both column loads",
     SystemType::KinkedBeam,
     [](InputSet& in) {
       in.wD = 1;
       in.wS = 0.5;
     },
     {"AH = -6.00 kN", "AV = 2.60 kN", "BV = 7.40 kN", "M1 = 16.00 kNm", "M2 = 16.00 kNm",
      "Q1 = 2.00 kN", "N2 = 2.00 kN", "N4 = 2.00 kN", "Q5 = -2.00 kN", "X3 = 1.30 m",
      "M3 = 17.69 kNm", "M4 = 4.00 kNm", "M5 = 4.00 kNm"}},
    {"point load alone",
     SystemType::KinkedBeam,
     [](InputSet& in) {
       in.q = 0;
       in.F = 10;
     },
     {"X3 = 3.00 m", "AV = 4.00 kN", "BV = 6.00 kN", "M3 = 12.00 kNm"}},
    {"left column load alone",
     SystemType::KinkedBeam,
     [](InputSet& in) {
       in.q = 0;
       in.wD = 1;
     },
     {"X3 = 2.50 m", "AH = -4.00 kN", "AV = -1.60 kN", "BV = 1.60 kN", "M1 = 8.00 kNm",
      "M3 = 4.00 kNm"}},
    {"zero height is no fault",
     SystemType::KinkedBeam,
     [](InputSet& in) { in.h = 0; },
     {"AH = 0.00 kN", "AV = 5.00 kN", "BV = 5.00 kN", "X3 = 2.50 m", "M3 = 6.25 kNm"}},
};

const std::vector<WorkedExample> kTwoHingedFrame = {
    {"defaults",
     SystemType::TwoHingedFrame,
     kDefaults,
     {"AH = 0.58 kN", "BH = 0.58 kN", "AV = 5.00 kN", "BV = 5.00 kN", "M1 = -2.31 kNm",
      "M2 = -2.31 kNm", "M4 = -2.31 kNm", "M5 = -2.31 kNm", "N1 = -5.00 kN", "Q1 = -0.58 kN",
      "N2 = -0.58 kN", "N4 = -0.58 kN", "Q2 = 5.00 kN", "X3 = 2.50 m", "M3 = 3.94 kNm",
      "Q4 = -5.00 kN", "N5 = -5.00 kN", "Q5 = 0.58 kN"}},
    {"softer beam",
     SystemType::TwoHingedFrame,
     [](InputSet& in) {
       in.I1 = 2;
       in.I2 = 2;
     },
     {"AH = 0.68 kN", "BH = 0.68 kN", "M1 = -2.72 kNm", "M3 = 3.53 kNm"}},
    {"point load",
     SystemType::TwoHingedFrame,
     [](InputSet& in) { in.F = 10; },
     {"AH = 1.41 kN", "BH = 1.41 kN", "AV = 9.00 kN", "BV = 11.00 kN", "X3 = 3.00 m",
      "M1 = -5.65 kNm", "M3 = 12.35 kNm"}},
    {"left column load",
     SystemType::TwoHingedFrame,
     [](InputSet& in) {
       in.q = 0;
       in.wD = 1;
     },
     {"AH = -2.89 kN", "BH = 1.11 kN", "AV = -1.60 kN", "BV = 1.60 kN", "M1 = 3.56 kNm",
      "M4 = -4.44 kNm", "X3 = 2.50 m", "M3 = -0.44 kNm"}},
    {"right column load, the mirror image",
     SystemType::TwoHingedFrame,
     [](InputSet& in) {
       in.q = 0;
       in.wS = 1;
     },
     {"AH = -1.11 kN", "BH = 2.89 kN", "AV = -1.60 kN", "BV = 1.60 kN", "M1 = 4.44 kNm",
      "M4 = -3.56 kNm", "M3 = 0.44 kNm"}},
};

const std::vector<WorkedExample> kFixedFrame = {
    {"defaults",
     SystemType::FixedFrame,
     kDefaults,
     {"AH = 0.98 kN",  "BH = 0.98 kN",   "AV = 5.00 kN",   "BV = 5.00 kN",   "MA = 1.30 kNm",
      "MB = 1.30 kNm", "M1 = -2.60 kNm", "M2 = -2.60 kNm", "M4 = -2.60 kNm", "M5 = -2.60 kNm",
      "N1 = -5.00 kN", "Q1 = -0.98 kN",  "N2 = -0.98 kN",  "N4 = -0.98 kN",  "Q2 = 5.00 kN",
      "X3 = 2.50 m",   "M3 = 3.65 kNm",  "Q4 = -5.00 kN",  "N5 = -5.00 kN",  "Q5 = 0.98 kN"}},
    {"point load",
     SystemType::FixedFrame,
     [](InputSet& in) { in.F = 10; },
     {"AH = 2.38 kN", "BH = 2.38 kN", "AV = 8.94 kN", "BV = 11.06 kN", "MA = 3.32 kNm",
      "MB = 3.03 kNm", "M1 = -6.21 kNm", "X3 = 3.00 m", "M3 = 11.62 kNm", "M4 = -6.50 kNm",
      "Q4 = -11.06 kN", "N5 = -11.06 kN"}},
    {"field point right of the load",
     SystemType::FixedFrame,
     [](InputSet& in) {
       in.F = 2;
       in.a = 1;
     },
     {"AV = 6.62 kN", "X3 = 2.31 m", "M3 = 4.18 kNm"}},
    {"point load alone",
     SystemType::FixedFrame,
     [](InputSet& in) {
       in.q = 0;
       in.F = 10;
     },
     {"AH = 1.41 kN", "BH = 1.41 kN", "AV = 3.94 kN", "BV = 6.06 kN", "MA = 2.02 kNm",
      "MB = 1.73 kNm", "X3 = 3.00 m", "M3 = 8.22 kNm"}},
    {"left column load alone",
     SystemType::FixedFrame,
     [](InputSet& in) {
       in.q = 0;
       in.wD = 1;
     },
     {"AH = -3.16 kN", "BH = 0.84 kN", "AV = -0.47 kN", "BV = 0.47 kN", "MA = -3.70 kNm",
      "MB = 1.95 kNm", "M1 = 0.92 kNm", "Q1 = -0.84 kN", "X3 = 2.50 m", "M3 = -0.25 kNm",
      "M4 = -1.42 kNm"}},
    {"both column loads",
     SystemType::FixedFrame,
     [](InputSet& in) {
       in.wD = 1;
       in.wS = 0.5;
     },
     {"AH = -2.60 kN", "BH = 3.40 kN", "AV = 4.30 kN", "BV = 5.70 kN", "MA = -3.38 kNm",
      "MB = 5.11 kNm", "X3 = 2.15 m", "M3 = 3.64 kNm"}},
    {"beam without stiffness is no fault",
     SystemType::FixedFrame,
     [](InputSet& in) { in.I2 = 0; },
     {"AH = 1.56 kN", "MA = 2.08 kNm", "MB = 2.08 kNm", "M1 = -4.17 kNm"}},
};

std::vector<WorkedExample> AllWorkedExamples() {
  std::vector<WorkedExample> all;
  for (const auto* examples : {&kKinkedBeam, &kTwoHingedFrame, &kFixedFrame}) {
    all.insert(all.end(), examples->begin(), examples->end());
  }
  return all;
}

// "fixed frame: shear jumps" -> "FixedFrameShearJumps": names CTest can list.
std::string TestName(const WorkedExample& example) {
  std::string name = testing::SystemName(example.system);
  bool upper = true;
  for (const char c : std::string(example.name)) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
      upper = true;
    } else {
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      upper = false;
    }
  }
  return name;
}

class WorkedExamples : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, EveryExpectedLineIsWritten) {
  const WorkedExample& example = GetParam();
  InputSet in = DefaultInputs();
  example.change(in);
  SharedResults results;
  const auto texts = TextsByIndex(ComputeResults(in, example.system, results));
  for (const std::string& expected : example.expectedLines) {
    bool found = false;
    for (const auto& [index, text] : texts) {
      found = found || text == expected;
    }
    EXPECT_TRUE(found) << example.name << ": no line reads \"" << expected << "\"";
  }
}

INSTANTIATE_TEST_SUITE_P(Engine, WorkedExamples, ::testing::ValuesIn(AllWorkedExamples()),
                         [](const auto& info) { return TestName(info.param); });

TEST(ResultLines, EachSystemWritesItsLinesInAscendingOrder) {
  const std::map<SystemType, std::vector<int>> expected = {
      {SystemType::KinkedBeam, {0, 1, 4, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20}},
      {SystemType::TwoHingedFrame,
       {0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20}},
      {SystemType::FixedFrame,
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20}}};
  for (const auto& [system, indices] : expected) {
    SharedResults results;
    std::vector<int> written;
    for (const ResultLine& line : ComputeResults(DefaultInputs(), system, results)) {
      written.push_back(line.index);
    }
    EXPECT_EQ(written, indices) << "system " << static_cast<int>(system);
  }
}

TEST(ResultLines, StiffnessRatioIsComputedForEverySystem) {
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    SharedResults results;
    ComputeResults(DefaultInputs(), system, results);
    EXPECT_DOUBLE_EQ(results.k, 1.2);
  }
}

TEST(ResultLines, NoSystemChangesOnlyTheStiffnessRatio) {
  SharedResults results;
  results.AH = 7;
  results.M3 = -3;
  results.Lmax = 5;
  const ResultLines lines = ComputeResults(DefaultInputs(), std::nullopt, results);
  EXPECT_TRUE(lines.empty());
  EXPECT_DOUBLE_EQ(results.k, 1.2);
  EXPECT_EQ(results.AH, 7);
  EXPECT_EQ(results.M3, -3);
  EXPECT_EQ(results.Lmax, 5);
}

TEST(ResultLines, RemainingLengthAndUnusedStiffnessDoNotChangeResults) {
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    InputSet in = DefaultInputs();
    SharedResults first;
    const auto before = TextsByIndex(ComputeResults(in, system, first));
    in.b = -40;
    SharedResults second;
    EXPECT_EQ(TextsByIndex(ComputeResults(in, system, second)), before);
  }
  InputSet in = DefaultInputs();
  in.I1 = 30;
  in.I2 = 0.5;
  SharedResults a, b;
  EXPECT_EQ(TextsByIndex(ComputeResults(in, SystemType::KinkedBeam, a)),
            TextsByIndex(ComputeResults(DefaultInputs(), SystemType::KinkedBeam, b)));
}

// The beam moment at x from point 2, by the statics of the cut left of x.
double BeamMoment(const InputSet& in, const SharedResults& r, double x) {
  return x * r.AV - in.h * r.AH - in.h * in.h * in.wD / 2 - x * x * in.q / 2 -
         (x > in.a ? (x - in.a) * in.F : 0) + r.MA;
}

// Regression: the decision pointed off the beam (X3 = -95.95 m, M3 = 9373.37 kNm in this case,
// while no moment of the frame exceeds 436 kNm); the field point is the nearer beam end.
TEST(FieldPoint, OffTheBeamItIsTheNearerEnd) {
  InputSet in;
  in.wD = 1;
  in.q = 2;
  in.h = 40;
  in.a = 1;
  in.b = 1;
  in.L = 2;
  in.wS = 0.5;
  in.F = 10;
  in.I1 = 1;
  in.I2 = 1.5;
  SharedResults r;
  ComputeResults(in, SystemType::FixedFrame, r);
  EXPECT_EQ(r.X3, 0);
  EXPECT_EQ(r.M3, r.M2);
  EXPECT_LT(std::abs(r.M3), 436);

  // A strong wind from the right lifts AV: the shear's zero lies beyond the span.
  InputSet kinked = DefaultInputs();
  kinked.wD = -10;
  ComputeResults(kinked, SystemType::KinkedBeam, r);
  EXPECT_EQ(r.X3, kinked.L) << "AV / q = 10.5 m on a 5 m beam";
  EXPECT_DOUBLE_EQ(r.M3, r.M4);

  // On the boundary the decision's own point stands: AV / q = L exactly.
  kinked.wD = -3.125;
  ComputeResults(kinked, SystemType::KinkedBeam, r);
  EXPECT_DOUBLE_EQ(r.AV, 10);
  EXPECT_EQ(r.X3, 5);
  EXPECT_DOUBLE_EQ(r.M3, BeamMoment(kinked, r, 5));
  kinked.wD = -3;  // just inside: the parabola's vertex
  ComputeResults(kinked, SystemType::KinkedBeam, r);
  EXPECT_NEAR(r.X3, r.AV / kinked.q, 1e-12);
  EXPECT_LT(r.X3, 5);
  EXPECT_NEAR(r.M3, BeamMoment(kinked, r, r.X3), 1e-9);
}

// Every system, random portals with a downward beam load (the decision is made for q > 0): the
// field point lies on the beam and its moment is the beam moment there.
TEST(FieldPoint, AlwaysOnTheBeamWithTheBeamMomentThere) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> downward(0.1, 10);
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    for (int run = 0; run < 300; ++run) {
      InputSet in = testing::RandomPortal(random, 0, 1);
      in.q = downward(random);
      SharedResults r;
      ComputeResults(in, system, r);
      ASSERT_GE(r.X3, 0);
      ASSERT_LE(r.X3, in.L);
      const double scale = 1 + std::abs(r.M1) + std::abs(r.M4) + std::abs(in.q) * in.L * in.L +
                           std::abs(in.F) * in.L;
      EXPECT_NEAR(r.M3, BeamMoment(in, r, r.X3), 1e-9 * scale) << "X3 = " << r.X3;
    }
  }
}

// Equilibrium of the whole portal and the corner relations, for random loads and geometry.
TEST(Equilibrium, HoldsForEverySystem) {
  std::mt19937 random(20261207);
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    for (int run = 0; run < 200; ++run) {
      const InputSet in = testing::RandomPortal(random, -0.2, 1.2);
      SharedResults r;
      ComputeResults(in, system, r);
      const double scale =
          1 + std::abs(in.q * in.L) + std::abs(in.F) + (std::abs(in.wD) + std::abs(in.wS)) * in.h;
      const double tol = 1e-9 * scale * (in.h + in.L);
      EXPECT_NEAR(r.AH - r.BH + (in.wD + in.wS) * in.h, 0, tol);
      EXPECT_NEAR(r.AV + r.BV - in.q * in.L - in.F, 0, tol);
      // Moments about A, counter-clockwise positive; MA acts clockwise, MB counter-clockwise.
      EXPECT_NEAR(in.L * r.BV - in.q * in.L * in.L / 2 - in.F * in.a -
                      (in.wD + in.wS) * in.h * in.h / 2 - r.MA + r.MB,
                  0, tol * (in.h + in.L));
      // The right column from its top down to B ends in the moment MB (0 at a hinge).
      EXPECT_NEAR(r.M5 + r.Q5 * in.h + in.wS * in.h * in.h / 2, r.MB, tol * (in.h + in.L));
      EXPECT_EQ(r.M2, r.M1);
      EXPECT_EQ(r.M5, r.M4);
      EXPECT_EQ(r.N5, r.Q4);
      EXPECT_EQ(r.Q5, -r.N4);
      if (system == SystemType::KinkedBeam) {
        EXPECT_NEAR(r.M4, in.wS * in.h * in.h / 2, tol * (in.h + in.L));
        EXPECT_EQ(r.BH, 0);
      }
      if (system != SystemType::FixedFrame) {
        EXPECT_EQ(r.MA, 0);
        EXPECT_EQ(r.MB, 0);
      }
    }
  }
}

}  // namespace
}  // namespace strevo
