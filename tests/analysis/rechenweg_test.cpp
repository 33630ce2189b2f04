// The Rechenweg held to the engine: every substituted line, read back by a parser of its own,
// gives the engine's value; every formula evaluated gives it too; the field point's decision
// is named at its boundaries.
#include <cmath>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "rechenweg.h"
#include "test_inputs.h"
#include "text_rules.h"

namespace strevo {
namespace {

// Reads "2 · (5)² / (4 · 4 · (1.2 + 2)) + (−1.19)" as the shown text is written: "+", "−",
// "·", "/", parentheses and "²", with the usual precedence.
class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}
  double Read() {
    const double value = Sum();
    Skip();
    if (at_ != text_.size()) {
      throw std::runtime_error("left over: " + text_.substr(at_));
    }
    return value;
  }

 private:
  void Skip() {
    while (at_ < text_.size() && text_[at_] == ' ') {
      ++at_;
    }
  }
  bool Take(const char* token) {
    Skip();
    const std::string t(token);
    if (text_.compare(at_, t.size(), t) == 0) {
      at_ += t.size();
      return true;
    }
    return false;
  }
  double Sum() {
    double value = Product();
    while (true) {
      if (Take("+")) {
        value += Product();
      } else if (Take("−")) {
        value -= Product();
      } else {
        return value;
      }
    }
  }
  double Product() {
    double value = Unary();
    while (true) {
      if (Take("·")) {
        value *= Unary();
      } else if (Take("/")) {
        value /= Unary();
      } else {
        return value;
      }
    }
  }
  double Unary() { return Take("−") ? -Unary() : Power(); }
  double Power() {
    const double base = Primary();
    return Take("²") ? base * base : base;
  }
  double Primary() {
    if (Take("(")) {
      const double value = Sum();
      if (!Take(")")) {
        throw std::runtime_error("no closing parenthesis");
      }
      return value;
    }
    Skip();
    std::size_t used = 0;
    const double value = std::stod(text_.substr(at_), &used);
    at_ += used;
    return value;
  }
  std::string text_;
  std::size_t at_ = 0;
};

double EngineValue(const Computation& c, const std::string& name) {
  const SharedResults& r = c.results;
  const std::map<std::string, double> values = {
      {"k", r.k},   {"AH", r.AH}, {"AV", r.AV}, {"MA", r.MA}, {"BH", r.BH}, {"BV", r.BV},
      {"MB", r.MB}, {"M1", r.M1}, {"N1", r.N1}, {"Q1", r.Q1}, {"M2", r.M2}, {"N2", r.N2},
      {"Q2", r.Q2}, {"X3", r.X3}, {"M3", r.M3}, {"M4", r.M4}, {"N4", r.N4}, {"Q4", r.Q4},
      {"M5", r.M5}, {"N5", r.N5}, {"Q5", r.Q5}};
  const auto found = values.find(name);
  return found == values.end() ? NAN : found->second;
}

class RechenwegPerSystem : public ::testing::TestWithParam<SystemType> {};

TEST_P(RechenwegPerSystem, EveryLineReadBackGivesTheEngineValue) {
  std::mt19937 random(20261207 + static_cast<int>(GetParam()));
  for (int run = 0; run < 200; ++run) {
    const InputSet in = testing::RandomPortal(random, 0, 1);
    SharedResults shared;
    const Computation c = Compute(in, GetParam(), shared);
    const std::vector<RechenwegStep> steps = BuildRechenweg(c);
    ASSERT_GE(steps.size(), 21u + 5u) << "k, the result values, EI1, EI2, u, w, xw";
    int checked = 0;
    for (const RechenwegStep& step : steps) {
      const double engine = EngineValue(c, step.target);
      if (!std::isnan(engine)) {
        EXPECT_NEAR(step.value, engine, 1e-9 * (1 + std::abs(engine))) << step.symbols;
        EXPECT_EQ(step.result.substr(0, step.target.size() + 3 + FormatFixed2(engine).size()),
                  step.target + " = " + FormatFixed2(engine));
        ++checked;
      }
      if (!step.formula) {
        continue;
      }
      const std::string prefix = step.target + " = ";
      ASSERT_EQ(step.numbers.rfind(prefix, 0), 0u) << step.numbers;
      const double read = Reader(step.numbers.substr(prefix.size())).Read();
      // To the result's two decimals: what a reader recomputes from the shown numbers.
      EXPECT_NEAR(read, step.value, 0.005 + 1e-7 * std::abs(step.value)) << step.symbols << "\n"
                                                                         << step.numbers;
    }
    EXPECT_EQ(checked, 21) << "k and every result value";
  }
}

INSTANTIATE_TEST_SUITE_P(Rechenweg, RechenwegPerSystem,
                         ::testing::Values(SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                           SystemType::FixedFrame),
                         [](const auto& info) { return testing::SystemName(info.param); });

const RechenwegStep& StepFor(const std::vector<RechenwegStep>& steps, const std::string& target) {
  for (const RechenwegStep& step : steps) {
    if (step.target == target) {
      return step;
    }
  }
  throw std::runtime_error("no step " + target);
}

TEST(Rechenweg, TheWorkedExampleShowsItsNumbers) {
  SharedResults shared;
  const auto steps =
      BuildRechenweg(Compute(testing::DefaultInputs(), SystemType::TwoHingedFrame, shared));
  EXPECT_EQ(StepFor(steps, "k").symbols, "k = I2 / I1 · h / L");
  EXPECT_EQ(StepFor(steps, "k").numbers, "k = 1.5 / 1 · 4 / 5");
  EXPECT_EQ(StepFor(steps, "k").result, "k = 1.20");
  EXPECT_EQ(StepFor(steps, "n").numbers, "n = 2 · 1.2 + 3");
  EXPECT_EQ(StepFor(steps, "AH").result, "AH = 0.58 kN");
  EXPECT_EQ(StepFor(steps, "M3").result, "M3 = 3.94 kNm");
  const std::string text = RechenwegText(steps);
  EXPECT_NE(text.find("k = I2 / I1 · h / L\nk = 1.5 / 1 · 4 / 5\nk = 1.20\n"), std::string::npos);
  const std::string html = RechenwegHtml(steps);
  EXPECT_NE(html.find("<i>I</i><sub>2</sub> / <i>I</i><sub>1</sub>"), std::string::npos);
  EXPECT_NE(html.find("<i>L</i><sup>2</sup>"), std::string::npos);
}

// The field point's decision, each case at its boundary (kinked beam, L = 4 m, q = 1 kN/m).
TEST(Rechenweg, FieldPointCasesAreNamedAtTheirBoundaries) {
  const auto reason = [](double q, double a, double F) {
    InputSet in = testing::DefaultInputs();
    in.q = q;
    in.L = 4;
    in.a = a;
    in.F = F;
    SharedResults shared;
    const auto steps = BuildRechenweg(Compute(in, SystemType::KinkedBeam, shared));
    const RechenwegStep& x3 = StepFor(steps, "X3");
    return x3.reason + " | " + x3.symbols;
  };
  // AV = 2 + 3/4·F: with a = 1 and F = 4, AV − a·q − F is exactly 0.
  EXPECT_EQ(reason(1, 1, 3.9).rfind("AV − a · q − F > 0: die Querkraft", 0), 0u);
  EXPECT_NE(reason(1, 1, 3.9).find("| X3 = (AV − F) / q"), std::string::npos);
  EXPECT_NE(reason(1, 1, 4).find("AV − a · q − F ≤ 0"), std::string::npos) << "the boundary";
  EXPECT_NE(reason(1, 1, 4).find("| X3 = a"), std::string::npos);
  // With F = 0 and a = 2, AV − a·q is exactly 0.
  EXPECT_NE(reason(1, 2, 0).find("AV − a · q ≤ 0"), std::string::npos);
  EXPECT_NE(reason(1, 2, 0).find("| X3 = AV / q"), std::string::npos);
  EXPECT_NE(reason(0, 1, 5).find("q = 0 und F ≠ 0"), std::string::npos);
  EXPECT_NE(reason(0, 1, 0).find("q = 0 und F = 0"), std::string::npos);
  EXPECT_NE(reason(0, 1, 0).find("| X3 = L / 2"), std::string::npos);

  InputSet off;  // the decision points off the beam: the nearer end governs
  off.wD = 1;
  off.q = 2;
  off.h = 40;
  off.a = 1;
  off.L = 2;
  off.wS = 0.5;
  off.F = 10;
  off.I1 = 1;
  off.I2 = 1.5;
  SharedResults shared;
  const auto steps = BuildRechenweg(Compute(off, SystemType::FixedFrame, shared));
  const RechenwegStep& x3 = StepFor(steps, "X3");
  EXPECT_NE(x3.reason.find("(-95.95 m) liegt außerhalb des Riegels"), std::string::npos)
      << x3.reason;
  EXPECT_EQ(x3.symbols, "X3 = 0");
  EXPECT_EQ(x3.result, "X3 = 0.00 m");
}

}  // namespace
}  // namespace strevo
