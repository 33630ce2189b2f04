// The Rechenweg held to the engine: every substituted line, read back by a parser of its own,
// gives the formula's value to the last bit and the printed result; every formula gives the
// engine's value exactly; the field point's reason names the case the engine chose.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "core/text/rechenweg.h"
#include "core/text/rechenweg_builder.h"
#include "core/text/typeset.h"
#include "test_inputs.h"

namespace strevo {
namespace {

// A range of values, for a line of rounded numbers: the true value lies within it.
struct Range {
  double low, high;
  bool Holds(double x) const {
    const double slack = 1e-12 * std::max(std::abs(low), std::abs(high));
    return x >= low - slack && x <= high + slack;
  }
};

Range operator+(Range a, Range b) {
  return {a.low + b.low, a.high + b.high};
}
Range operator-(Range a, Range b) {
  return {a.low - b.high, a.high - b.low};
}
Range operator*(Range a, Range b) {
  const double p[] = {a.low * b.low, a.low * b.high, a.high * b.low, a.high * b.high};
  return {*std::min_element(p, p + 4), *std::max_element(p, p + 4)};
}
Range operator/(Range a, Range b) {
  if (b.low <= 0 && b.high >= 0) {
    return {-HUGE_VAL, HUGE_VAL};
  }
  return a * Range{1 / b.high, 1 / b.low};
}

// The range a printed number stands for: four significant digits, and no more than it shows.
Range Printed(double value, int decimals) {
  const double magnitude = std::abs(value);
  const double sig = magnitude == 0 ? 0 : 0.5 * std::pow(10, std::floor(std::log10(magnitude)) - 3);
  const double half = std::min(sig, 0.5 * std::pow(10, -decimals));
  return {value - half, value + half};
}

// Reads "2 · 5² / (4 · 4 · (1,2 + 2)) + (−1,19)" as the shown text is written: "+", "−", "·",
// "/", parentheses, "²", "√" and numbers with a decimal comma, times a raised power of ten
// ("1,5·10⁻⁵"), with the usual precedence; each number stands for the range it rounds.
class Reader {
 public:
  explicit Reader(std::string text) : text_(std::move(text)) {}
  Range Read() {
    const Range value = Sum();
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
  bool Take(const char* token, bool skip = true) {
    if (skip) {
      Skip();
    }
    const std::string t(token);
    if (text_.compare(at_, t.size(), t) == 0) {
      at_ += t.size();
      return true;
    }
    return false;
  }
  Range Sum() {
    Range value = Product();
    while (true) {
      if (Take("+")) {
        value = value + Product();
      } else if (Take("−")) {
        value = value - Product();
      } else {
        return value;
      }
    }
  }
  Range Product() {
    Range value = Unary();
    while (true) {
      if (Take("·")) {
        value = value * Unary();
      } else if (Take("/")) {
        value = value / Unary();
      } else {
        return value;
      }
    }
  }
  Range Unary() {
    if (Take("−")) {
      const Range r = Unary();
      return {-r.high, -r.low};
    }
    return Power();
  }
  Range Power() {
    const Range base = Primary();
    if (!Take("²", false)) {
      return base;
    }
    const Range square = base * base;
    return {base.low <= 0 && base.high >= 0 ? 0 : square.low, square.high};
  }
  Range Primary() {
    if (Take("√")) {
      const Range r = Primary();
      return {std::sqrt(std::max(r.low, 0.0)), std::sqrt(r.high)};
    }
    if (Take("(")) {
      const Range value = Sum();
      if (!Take(")")) {
        throw std::runtime_error("no closing parenthesis");
      }
      return value;
    }
    Skip();
    std::string digits;
    int decimals = 0;
    bool comma = false;
    while (at_ < text_.size() &&
           (std::isdigit(static_cast<unsigned char>(text_[at_])) != 0 || text_[at_] == ',')) {
      comma = comma || text_[at_] == ',';
      decimals += comma && text_[at_] != ',' ? 1 : 0;
      digits += text_[at_] == ',' ? '.' : text_[at_];
      ++at_;
    }
    if (digits.empty()) {
      throw std::runtime_error("no number at: " + text_.substr(at_));
    }
    int exponent = 0;
    if (Take("·10", false)) {
      static const std::array<std::string, 11> kRaised = {"⁰", "¹", "²", "³", "⁴", "⁵",
                                                          "⁶", "⁷", "⁸", "⁹", "⁻"};
      std::string raised;
      for (std::size_t i = 0; i < kRaised.size();) {
        if (text_.compare(at_, kRaised[i].size(), kRaised[i]) == 0) {
          raised += "0123456789-"[i];
          at_ += kRaised[i].size();
          i = 0;
        } else {
          ++i;
        }
      }
      exponent = std::stoi(raised);
    }
    const double value = std::stod(digits) * std::pow(10, exponent);
    return Printed(value, decimals - exponent);
  }
  std::string text_;
  std::size_t at_ = 0;
};

// The number a result line prints after "target = ", with the range it rounds.
Range PrintedResult(const std::string& result, const std::string& target) {
  const std::string printed = result.substr(target.size() + 3);
  return Reader(printed.substr(0, printed.find(' '))).Read();
}

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

// A random portal with the sign mix of q and F that `run` names (+, −, 0 each), the point load
// sometimes at a beam end.
InputSet Portal(std::mt19937& random, int run) {
  InputSet in = testing::RandomPortal(random, 0, 1);
  constexpr double kSigns[] = {1, -1, 0};
  std::tie(in.q, in.F) =
      std::tuple(std::abs(in.q) * kSigns[run % 3], std::abs(in.F) * kSigns[run / 3 % 3]);
  in.a = run % 10 == 0 ? 0 : run % 10 == 5 ? in.L : in.a;
  in.b = in.L - in.a;
  return in;
}

class RechenwegPerSystem : public ::testing::TestWithParam<SystemType> {};

TEST_P(RechenwegPerSystem, EveryLineEvaluatedAsPrintedGivesItsResult) {
  std::mt19937 random(20261207 + static_cast<int>(GetParam()));
  std::set<FieldPointRule> rules;
  for (int run = 0; run < 200; ++run) {
    const InputSet in = Portal(random, run);
    SharedResults shared;
    const Computation c = Compute(in, GetParam(), shared);
    rules.insert(FieldPointOf(c.inputs, c.results, GetParam()).chosen.rule);
    const std::vector<RechenwegStep> steps = BuildRechenweg(c);
    ASSERT_GE(steps.size(), 21u + 5u) << "k, the result values, EI1, EI2, u, w, xw";
    int checked = 0;
    for (const RechenwegStep& step : steps) {
      const std::string prefix = step.target + " = ";
      for (const std::string* text : {&step.reason, &step.symbols, &step.numbers, &step.result}) {
        EXPECT_EQ(text->find('-'), std::string::npos) << "only − as minus: " << *text;
      }
      for (const std::string* text : {&step.numbers, &step.result}) {
        EXPECT_EQ(text->find('.'), std::string::npos) << "a decimal comma: " << *text;
      }
      const double engine = EngineValue(c, step.target);
      ASSERT_EQ(step.result.rfind(prefix, 0), 0u) << step.result;
      EXPECT_TRUE(step.unit.empty() || step.result.ends_with(" " + step.unit)) << step.result;
      const Range result = PrintedResult(step.result, step.target);
      EXPECT_TRUE(result.Holds(step.shown)) << step.result << " for " << step.shown;
      if (!std::isnan(engine)) {
        EXPECT_EQ(step.value, engine) << step.symbols << "\n" << step.numbers;
        ++checked;
      }
      if (!step.formula) {
        continue;
      }
      // The numbers put in, rounded as printed, give the value within what their rounding
      // allows.
      ASSERT_EQ(step.numbers.rfind(prefix, 0), 0u) << step.numbers;
      const Range read = Reader(step.numbers.substr(prefix.size())).Read();
      EXPECT_TRUE(read.Holds(step.value)) << step.numbers << " for " << step.value;
    }
    EXPECT_EQ(checked, 21) << "k and every result value";
  }
  EXPECT_EQ(rules.size(), 6u) << "the portals reach every case of the field point";
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

// k = 1.5 · 4 / (1 · 5) = 1.2 exactly, n = 2 · 1.2 + 3 = 5.4, AH = 2 · 5² / (5.4 · 4 · 4) =
// 0.578704, M3 = 2 · 5² / 8 − AH · 4 = 3.935185 by hand; a chain of products and quotients is
// one fraction.
TEST(Rechenweg, TheWorkedExampleShowsItsNumbers) {
  SharedResults shared;
  const auto steps =
      BuildRechenweg(Compute(testing::DefaultInputs(), SystemType::TwoHingedFrame, shared));
  EXPECT_EQ(StepFor(steps, "k").symbols, "k = I2 · h / (I1 · L)");
  EXPECT_EQ(StepFor(steps, "k").numbers, "k = 1,5 · 4 / (1 · 5)");
  EXPECT_EQ(StepFor(steps, "k").result, "k = 1,2");
  EXPECT_EQ(StepFor(steps, "n").numbers, "n = 2 · 1,2 + 3");
  EXPECT_EQ(StepFor(steps, "AH").symbols.rfind("AH = q · L² / (n · h · 4) + ", 0), 0u);
  EXPECT_EQ(StepFor(steps, "AH").result, "AH = 0,5787 kN");
  EXPECT_EQ(StepFor(steps, "M3").result, "M3 = 3,935 kNm");
  const std::string text = RechenwegText(steps);
  EXPECT_NE(text.find("k = I2 · h / (I1 · L)\nk = 1,5 · 4 / (1 · 5)\nk = 1,2\n"),
            std::string::npos);
}

// Numbers far from 1 are printed times a raised power of ten, in brackets where they are
// factors, and still give the results within their rounding.
TEST(Rechenweg, NumbersFarFromOneCarryAPowerOfTen) {
  InputSet in = testing::DefaultInputs();
  std::tie(in.I2, in.L, in.q) = std::tuple(1.5e-5, 2e16, -2.5e-7);
  SharedResults shared;
  const auto steps = BuildRechenweg(Compute(in, SystemType::TwoHingedFrame, shared));
  EXPECT_EQ(StepFor(steps, "k").numbers, "k = (1,5·10⁻⁵) · 4 / (1 · (2·10¹⁶))");
  const RechenwegStep& bv = StepFor(steps, "BV");
  EXPECT_EQ(bv.numbers.rfind("BV = (−2,5·10⁻⁷) · (2·10¹⁶) + 0 − ", 0), 0u) << bv.numbers;
  EXPECT_EQ(bv.result, "BV = −2,5·10⁹ kN");
  for (const RechenwegStep& step : steps) {
    if (step.formula) {
      EXPECT_TRUE(Reader(step.numbers.substr(step.target.size() + 3)).Read().Holds(step.value))
          << step.numbers;
    }
  }
}

// Four significant digits, exact values as they are, a decimal comma, whole units at least,
// and a power of ten from a million up and below 0,0001, decided on the rounded value.
TEST(Rechenweg, NumbersAreWrittenAsAnEngineerWritesThem) {
  const std::pair<double, const char*> cases[] = {{0, "0"},
                                                  {-0.0, "0"},
                                                  {0.5, "0,5"},
                                                  {57.4, "57,4"},
                                                  {57.4012, "57,40"},
                                                  {-57.4012, "−57,40"},
                                                  {2.0 / 3, "0,6667"},
                                                  {9.99951, "10,00"},
                                                  {9999.5, "10000"},
                                                  {12345.6, "12346"},
                                                  {57680, "57680"},
                                                  {999999.4, "999999"},
                                                  {999999.7, "1,000·10⁶"},
                                                  {1e6, "1·10⁶"},
                                                  {0.00035187, "0,0003519"},
                                                  {0.0001, "0,0001"},
                                                  {0.000099996, "0,0001000"},
                                                  {0.00009999, "9,999·10⁻⁵"},
                                                  {1e-5, "1·10⁻⁵"},
                                                  {-1.23456e-7, "−1,235·10⁻⁷"},
                                                  {3.0e20, "3·10²⁰"},
                                                  {1.1e-12, "1,1·10⁻¹²"},
                                                  {-7.105e-15, "0"}};  // rounding residue
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(NumberText(value), text) << value;
  }
  const WrittenNumber scaled = WriteNumber(-1.23456e-7);
  EXPECT_EQ(scaled.digits, "−1,235");
  EXPECT_EQ(scaled.exponent, -7);
  EXPECT_TRUE(scaled.scaled);
}

// Kinked beams and two-hinged frames of h 4, I1 1000, I2 1500, w on both columns alike.
std::vector<RechenwegStep> Steps(SystemType system, double q, double F, double a, double L,
                                 double w) {
  InputSet in = testing::DefaultInputs();
  std::tie(in.q, in.F, in.a, in.L, in.wD, in.wS, in.I1, in.I2) =
      std::tuple(q, F, a, L, w, w, 1000.0, 1500.0);
  SharedResults shared;
  return BuildRechenweg(Compute(in, system, shared));
}

// The field point's case with its reason, values worked by hand.
struct FieldPointCase {
  const char* name;
  SystemType system;
  double q, F, a, L, w;
  const char* x3;       // the formula
  const char* results;  // X3 and M3 as printed
  const char* reason;   // a part of the reason that holds the case
};

void PrintTo(const FieldPointCase& c, std::ostream* os) {
  *os << c.name;
}

class FieldPointReason : public ::testing::TestWithParam<FieldPointCase> {};

TEST_P(FieldPointReason, NamesTheCaseTheEngineChose) {
  const FieldPointCase& t = GetParam();
  const auto steps = Steps(t.system, t.q, t.F, t.a, t.L, t.w);
  const RechenwegStep& x3 = StepFor(steps, "X3");
  const RechenwegStep& m3 = StepFor(steps, "M3");
  EXPECT_EQ(x3.symbols, std::string("X3 = ") + t.x3);
  EXPECT_EQ(x3.result + ", " + m3.result, t.results);
  EXPECT_NE(x3.reason.find(t.reason), std::string::npos) << x3.reason;
  // The load's term exactly where the moment line has it: right of the load.
  EXPECT_EQ(m3.symbols.find("(X3 − a) · F") != std::string::npos, x3.value > t.a && t.F != 0);
}

const FieldPointCase kFieldPointCases[] = {
    {"JumpUnderTheLoad", SystemType::TwoHingedFrame, 2, 10, 3, 5, 0, "a",
     "X3 = 3 m, M3 = 12,35 kNm", "links auf AV − a · q − F = −7 kN rechts"},
    {"UpwardJumpUnderTheLoad", SystemType::TwoHingedFrame, -2, -10, 3, 5, 0, "a",
     "X3 = 3 m, M3 = −12,35 kNm", "von AV − a · q = −3 kN links"},
    {"TwoSignChanges", SystemType::KinkedBeam, 2, -10, 1, 5, 0, "a", "X3 = 1 m, M3 = −4 kNm",
     "an zwei Stellen das Vorzeichen: unter der Einzellast bei x = a = 1 m (M = −4 kNm) "
     "und rechts der Einzellast bei x = (AV − F) / q = 3,5 m (M = 2,25 kNm). Maßgebend"},
    {"ThreeSignChanges", SystemType::KinkedBeam, 2, -12, 5, 10, 0, "a", "X3 = 5 m, M3 = −5 kNm",
     "an drei Stellen das Vorzeichen: links der Einzellast bei x = AV / q = 2 m (M = "
     "4 kNm), unter der Einzellast"},
    {"ZeroRightOfTheLoad", SystemType::KinkedBeam, 1, 3.9, 1, 4, 0, "(AV − F) / q",
     "X3 = 1,025 m, M3 = 4,425 kNm", "AV − x · q − F wird rechts der Einzellast null"},
    {"ZeroWithoutLoad", SystemType::KinkedBeam, 1, 0, 2, 4, 0, "AV / q", "X3 = 2 m, M3 = 2 kNm",
     "AV − x · q wird im Feld null"},
    {"LargestAtTheEnd", SystemType::KinkedBeam, 1, 0, 2, 4, -2, "L", "X3 = 4 m, M3 = −16 kNm",
     "mit q > 0 ist das Moment am Riegelende am größten"},
    {"SmallestAtTheStart", SystemType::KinkedBeam, -1, 0, 2, 4, -2, "0", "X3 = 0 m, M3 = −48 kNm",
     "mit q < 0 ist das Moment am Riegelanfang am kleinsten"},
    {"PointLoadWithWind", SystemType::KinkedBeam, 0, 5, 1, 4, 1, "a", "X3 = 1 m, M3 = 23,75 kNm",
     "Mit q = 0 ist die Momentenlinie des Riegels gerade"},
    {"NoBeamLoad", SystemType::KinkedBeam, 0, 0, 1, 4, 1, "L / 2", "X3 = 2 m, M3 = 16 kNm",
     "Der Riegel trägt keine Last (q = 0, F = 0)"}};

INSTANTIATE_TEST_SUITE_P(Rechenweg, FieldPointReason, ::testing::ValuesIn(kFieldPointCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The reason keeps its formulas as formulas, to be typeset as the lines are, with the value
// they are quoted with: left of the load AV − a · q = 2 · 5 / 2 + 10 · 2 / 5 − 3 · 2 = 3 kN.
TEST(Rechenweg, TheReasonKeepsItsFormulas) {
  const RechenwegStep x3 = StepFor(Steps(SystemType::TwoHingedFrame, 2, 10, 3, 5, 0), "X3");
  const auto quoted =
      std::find_if(x3.reasonParts.begin(), x3.reasonParts.end(),
                   [](const ReasonPart& part) { return part.formula && part.value; });
  ASSERT_NE(quoted, x3.reasonParts.end());
  EXPECT_EQ(typeset::FormulaText(*quoted->formula), "AV − a · q");
  EXPECT_NEAR(*quoted->value, 3, 1e-12);
  EXPECT_EQ(quoted->unit, "kN");
  EXPECT_EQ(quoted->words, "");
  const RechenwegStep end = StepFor(Steps(SystemType::KinkedBeam, 1, 0, 2, 4, -2), "X3");
  EXPECT_NE(end.reason.find("mit q > 0 ist"), std::string::npos) << end.reason;
}

// A root takes its argument in parentheses unless that is one name; a squared root stands in
// parentheses; the bar of λ̄ stays on the letter and the index is set below.
TEST(Rechenweg, RootsReadBackAndAreWrittenUnambiguously) {
  using working::Expr;
  using working::Var;
  working::Builder b({{"a", 2.25}, {"b", 0.75}, {"λ̄y", 0.5}});
  b.Step("r", "", working::Sqrt(Var("a") + Var("b")) * working::Sq(working::Sqrt(Var("a"))));
  b.Step("λ̄z", "", working::Sqrt(Var("λ̄y")) / Expr(2));
  const std::vector<RechenwegStep> steps = std::move(b).Steps();
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].symbols, "r = √(a + b) · (√a)²");
  EXPECT_EQ(steps[0].numbers, "r = √(2,25 + 0,75) · (√2,25)²");
  EXPECT_NEAR(steps[0].value, std::sqrt(3.0) * 2.25, 1e-15);
  EXPECT_TRUE(Reader(steps[0].numbers.substr(4)).Read().Holds(steps[0].value));
  EXPECT_EQ(steps[1].symbols, "λ̄z = √λ̄y / 2");
  EXPECT_TRUE(
      Reader(steps[1].numbers.substr(std::string("λ̄z = ").size())).Read().Holds(steps[1].value));
}

}  // namespace
}  // namespace strevo
