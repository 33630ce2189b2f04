// The Rechenweg held to the engine: every substituted line, read back by a parser of its own,
// gives the formula's value to the last bit and the printed result; every formula gives the
// engine's value exactly; the field point's reason names the case the engine chose.
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

#include "rechenweg.h"
#include "rechenweg_builder.h"
#include "test_inputs.h"
#include "text_rules.h"

namespace strevo {
namespace {

// Reads "2 · (5)² / (4 · 4 · (1.2 + 2)) + (−1.19)" as the shown text is written: "+", "−",
// "·", "/", parentheses, "²" and numbers times a raised power of ten ("1.5 · 10⁻⁵"), with the
// usual precedence.
class Reader {
 public:
  explicit Reader(std::string text) : text_(std::move(text)) {}
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
    if (Take("√")) {
      return std::sqrt(Primary());
    }
    if (Take("(")) {
      const double value = Sum();
      if (!Take(")")) {
        throw std::runtime_error("no closing parenthesis");
      }
      return value;
    }
    Skip();
    std::size_t used = 0;
    std::stod(text_.substr(at_), &used);
    const std::string digits = text_.substr(at_, used);
    at_ += used;
    // A raised power of ten with a sign or two digits belongs to the number; "10²" is a square.
    const std::size_t mark = at_;
    if (Take("·") && Take("10")) {
      static const std::array<std::string, 11> kRaised = {"⁰", "¹", "²", "³", "⁴", "⁵",
                                                          "⁶", "⁷", "⁸", "⁹", "⁻"};
      std::string exponent;
      for (std::size_t i = 0; i < kRaised.size();) {
        if (text_.compare(at_, kRaised[i].size(), kRaised[i]) == 0) {
          exponent += "0123456789-"[i];
          at_ += kRaised[i].size();
          i = 0;
        } else {
          ++i;
        }
      }
      if (exponent.size() > 1) {
        return std::stod(digits + "e" + exponent);
      }
    }
    at_ = mark;
    return std::stod(digits);
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

// "0.00" as the Rechenweg prints it, with the typeset minus sign.
std::string Typeset(std::string text) {
  if (text.front() == '-') {
    text.replace(0, 1, "−");
  }
  return text;
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
      for (const std::string* text :
           {&step.reason, &step.symbols, &step.numbers, &step.result, &step.html}) {
        EXPECT_EQ(text->find('-'), std::string::npos) << "only − as minus: " << *text;
      }
      const double engine = EngineValue(c, step.target);
      if (!std::isnan(engine)) {
        EXPECT_EQ(step.value, engine) << step.symbols << "\n" << step.numbers;
        EXPECT_EQ(step.result, prefix + Typeset(FormatFixed2(engine)) +
                                   (step.unit.empty() ? "" : " " + step.unit));
        ++checked;
      }
      if (!step.formula) {
        continue;
      }
      ASSERT_EQ(step.numbers.rfind(prefix, 0), 0u) << step.numbers;
      const double read = Reader(step.numbers.substr(prefix.size())).Read();
      EXPECT_EQ(read, step.value) << step.numbers;
      const std::string printed = step.result.substr(prefix.size());
      EXPECT_EQ(printed.substr(0, printed.find(' ')), Typeset(FormatFixed2(read))) << step.numbers;
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

// Numbers far from 1 are printed times a raised power of ten and read back exactly.
TEST(Rechenweg, NumbersFarFromOneCarryAPowerOfTen) {
  InputSet in = testing::DefaultInputs();
  std::tie(in.I2, in.L, in.q) = std::tuple(1.5e-5, 2e16, -2.5e-7);
  SharedResults shared;
  const auto steps = BuildRechenweg(Compute(in, SystemType::TwoHingedFrame, shared));
  EXPECT_EQ(StepFor(steps, "k").numbers, "k = (1.5 · 10⁻⁵) / 1 · 4 / (2 · 10¹⁶)");
  EXPECT_NE(StepFor(steps, "k").html.find("(1.5 · 10<sup>−5</sup>) / 1"), std::string::npos);
  const RechenwegStep& bv = StepFor(steps, "BV");
  EXPECT_EQ(bv.numbers.rfind("BV = (−2.5 · 10⁻⁷) · (2 · 10¹⁶) + 0 − ", 0), 0u) << bv.numbers;
  EXPECT_EQ(bv.result, "BV = −2500000000.00 kN");
  for (const RechenwegStep& step : steps) {
    if (step.formula) {
      const double read = Reader(step.numbers.substr(step.target.size() + 3)).Read();
      EXPECT_EQ(read, step.value) << step.numbers;
    }
  }
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
     "X3 = 3.00 m, M3 = 12.35 kNm", "links auf AV − a · q − F = −7.00 kN rechts"},
    {"UpwardJumpUnderTheLoad", SystemType::TwoHingedFrame, -2, -10, 3, 5, 0, "a",
     "X3 = 3.00 m, M3 = −12.35 kNm", "von AV − a · q = −3.00 kN links"},
    {"TwoSignChanges", SystemType::KinkedBeam, 2, -10, 1, 5, 0, "a", "X3 = 1.00 m, M3 = −4.00 kNm",
     "an zwei Stellen das Vorzeichen: unter der Einzellast bei x = a = 1.00 m (M = −4.00 kNm) "
     "und rechts der Einzellast bei x = (AV − F) / q = 3.50 m (M = 2.25 kNm). Maßgebend"},
    {"ThreeSignChanges", SystemType::KinkedBeam, 2, -12, 5, 10, 0, "a",
     "X3 = 5.00 m, M3 = −5.00 kNm",
     "an drei Stellen das Vorzeichen: links der Einzellast bei x = AV / q = 2.00 m (M = "
     "4.00 kNm), unter der Einzellast"},
    {"ZeroRightOfTheLoad", SystemType::KinkedBeam, 1, 3.9, 1, 4, 0, "(AV − F) / q",
     "X3 = 1.03 m, M3 = 4.43 kNm", "AV − x · q − F wird rechts der Einzellast null"},
    {"ZeroWithoutLoad", SystemType::KinkedBeam, 1, 0, 2, 4, 0, "AV / q",
     "X3 = 2.00 m, M3 = 2.00 kNm", "AV − x · q wird im Feld null"},
    {"LargestAtTheEnd", SystemType::KinkedBeam, 1, 0, 2, 4, -2, "L", "X3 = 4.00 m, M3 = −16.00 kNm",
     "mit q > 0 ist das Moment am Riegelende am größten"},
    {"SmallestAtTheStart", SystemType::KinkedBeam, -1, 0, 2, 4, -2, "0",
     "X3 = 0.00 m, M3 = −48.00 kNm", "mit q < 0 ist das Moment am Riegelanfang am kleinsten"},
    {"PointLoadWithWind", SystemType::KinkedBeam, 0, 5, 1, 4, 1, "a", "X3 = 1.00 m, M3 = 23.75 kNm",
     "Mit q = 0 ist die Momentenlinie des Riegels gerade"},
    {"NoBeamLoad", SystemType::KinkedBeam, 0, 0, 1, 4, 1, "L / 2", "X3 = 2.00 m, M3 = 16.00 kNm",
     "Der Riegel trägt keine Last (q = 0, F = 0)"}};

INSTANTIATE_TEST_SUITE_P(Rechenweg, FieldPointReason, ::testing::ValuesIn(kFieldPointCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The reason is typeset as the formulas are: symbols in italics, words escaped.
TEST(Rechenweg, TheReasonIsTypesetLikeTheFormulas) {
  const std::string jump = StepFor(Steps(SystemType::TwoHingedFrame, 2, 10, 3, 5, 0), "X3").html;
  EXPECT_NE(jump.find("<i>A</i><sub>V</sub> − <i>a</i> · <i>q</i> = 3.00 kN"), std::string::npos);
  const std::string end = StepFor(Steps(SystemType::KinkedBeam, 1, 0, 2, 4, -2), "X3").html;
  EXPECT_NE(end.find("mit <i>q</i> &gt; 0 ist"), std::string::npos) << end;
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
  EXPECT_EQ(steps[0].numbers, "r = √(2.25 + 0.75) · (√2.25)²");
  EXPECT_NEAR(steps[0].value, std::sqrt(3.0) * 2.25, 1e-15);
  EXPECT_EQ(Reader(steps[0].numbers.substr(4)).Read(), steps[0].value);
  EXPECT_EQ(steps[1].symbols, "λ̄z = √λ̄y / 2");
  EXPECT_EQ(Reader(steps[1].numbers.substr(std::string("λ̄z = ").size())).Read(), steps[1].value);
  EXPECT_NE(steps[1].html.find("<i>λ̄</i><sub>y</sub>"), std::string::npos) << steps[1].html;
}

}  // namespace
}  // namespace strevo
