// The typeset step measured with a font of fixed advance: where fractions, exponents, indices,
// roots and the "=" of each line stand, and where long lines break.
#include "core/text/typeset.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/text/rechenweg_builder.h"
#include "test_inputs.h"

namespace strevo {
namespace {

using typeset::Block;
using typeset::Face;
using Piece = typeset::Run;
using working::Expr;
using working::Var;

// Every character half the size wide, ascent 0.8 and descent 0.2 of the size.
class FixedMetrics : public typeset::FontMetrics {
 public:
  double Width(std::string_view utf8, Face /*face*/, double size) const override {
    const auto characters = std::count_if(utf8.begin(), utf8.end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return 0.5 * size * static_cast<double>(characters);
  }
  double Ascent(double size) const override { return 0.8 * size; }
  double Descent(double size) const override { return 0.2 * size; }
};

constexpr double kSize = 10;

const Piece& RunOf(const Block& block, const std::string& text, int nth = 0) {
  for (const Piece& run : block.runs) {
    if (run.text == text && nth-- == 0) {
      return run;
    }
  }
  throw std::runtime_error("no run " + text);
}

double Right(const Piece& run) {
  return run.x + FixedMetrics().Width(run.text, run.face, run.size);
}

RechenwegStep OneStep(const std::string& target, const Expr& formula, const working::Values& values,
                      const working::Reason& reason = {}) {
  working::Builder b(values);
  b.Step(target, "kN", formula, reason);
  return std::move(b).Steps().front();
}

// a / b: a over the bar, b under it, both centred on it; the bar between their boxes.
TEST(Typeset, AFractionStacksItsNumeratorOverItsDenominator) {
  const RechenwegStep step = OneStep("r", Var("abc") / Var("d"), {{"abc", 6}, {"d", 2}});
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, 1000);
  ASSERT_GE(block.rules.size(), 2u) << "a bar on the symbolic and on the substituted line";
  const typeset::Rule& bar = block.rules.front();
  EXPECT_EQ(bar.y0, bar.y1) << "level";
  const Piece& top = RunOf(block, "a");
  const Piece& bottom = RunOf(block, "d");
  EXPECT_LT(top.y + FixedMetrics().Descent(top.size), bar.y0) << "the numerator over the bar";
  EXPECT_GT(bottom.y - FixedMetrics().Ascent(bottom.size), bar.y0) << "the denominator under it";
  const double centre = (bar.x0 + bar.x1) / 2;
  EXPECT_NEAR((top.x + Right(RunOf(block, "bc"))) / 2, centre, 1e-9) << "abc: a, then bc below";
  EXPECT_NEAR((bottom.x + Right(bottom)) / 2, centre, 1e-9);
  EXPECT_LT(bar.x0, top.x);
  // The substituted line's fraction is laid out the same way under the first.
  const Piece& six = RunOf(block, "6");
  const Piece& two = RunOf(block, "2");
  EXPECT_GT(two.y, six.y);
  EXPECT_GT(six.y, bottom.y);
}

// A fraction in a fraction is set smaller; the outer one keeps the full size.
TEST(Typeset, ANestedFractionIsSmaller) {
  const RechenwegStep step =
      OneStep("r", working::Sqrt(Var("p") / Var("s")) / Var("t"), {{"p", 1}, {"s", 2}, {"t", 3}});
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, 1000);
  EXPECT_EQ(RunOf(block, "t").size, kSize);
  EXPECT_LT(RunOf(block, "p").size, kSize);
  EXPECT_EQ(RunOf(block, "p").size, RunOf(block, "s").size);
}

// x²: the exponent smaller and raised; σR: the index smaller and lowered; names italic,
// numbers upright.
TEST(Typeset, ExponentsRiseAndIndicesSink) {
  const RechenwegStep step =
      OneStep("σR", working::Sq(Var("x")) * Var("N1"), {{"x", 3}, {"N1", 4}});
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, 1000);
  const Piece& x = RunOf(block, "x");
  const Piece& square = RunOf(block, "2");
  EXPECT_LT(square.size, x.size);
  EXPECT_LT(square.y, x.y) << "raised";
  EXPECT_NEAR(square.x, Right(x), 1e-9) << "right after its base";
  EXPECT_EQ(x.face, Face::Italic);
  const Piece& sigma = RunOf(block, "σ");
  const Piece& index = RunOf(block, "R");
  EXPECT_LT(index.size, sigma.size);
  EXPECT_GT(index.y, sigma.y) << "lowered";
  EXPECT_EQ(RunOf(block, "N").face, Face::Italic);
  EXPECT_EQ(RunOf(block, "3").face, Face::Upright);
  EXPECT_NEAR(RunOf(block, "3").y, RunOf(block, "2", 1).y - (square.y - x.y), 1e-9)
      << "the substituted 3² is raised as x² is";
}

// √(a + b): a bar over the whole argument, above its letters, and no brackets.
TEST(Typeset, ARootHasItsBarOverItsArgument) {
  const RechenwegStep step = OneStep("r", working::Sqrt(Var("a") + Var("b")), {{"a", 1}, {"b", 3}});
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, 1000);
  const Piece& a = RunOf(block, "a");
  const Piece& b = RunOf(block, "b");
  const auto bar = std::find_if(block.rules.begin(), block.rules.end(),
                                [&](const typeset::Rule& r) { return r.y0 == r.y1; });
  ASSERT_NE(bar, block.rules.end());
  EXPECT_LE(bar->x0, a.x);
  EXPECT_GE(bar->x1, Right(b));
  EXPECT_LT(bar->y0, a.y - FixedMetrics().Ascent(kSize) + 1e-9);
  EXPECT_TRUE(std::none_of(block.runs.begin(), block.runs.end(),
                           [](const Piece& r) { return r.text == "(" || r.text == ")"; }));
  EXPECT_EQ(step.symbols, "r = √(a + b)") << "on a line the brackets stand for the bar";
}

// The target's "=", the substituted line's and the result's stand in one column, one line
// under the other; the reason stands above them.
TEST(Typeset, TheLinesAreAlignedAtTheirEqualsSigns) {
  const RechenwegStep step =
      OneStep("AH", Var("q") * Var("h") + Var("F"), {{"q", 2}, {"h", 4}, {"F", 1.25}},
              working::Reason() << "Aus dem Gleichgewicht:");
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, 1000);
  std::vector<const Piece*> equals;
  for (const Piece& run : block.runs) {
    if (run.text == " = ") {
      equals.push_back(&run);
    }
  }
  ASSERT_EQ(equals.size(), 3u);
  EXPECT_EQ(equals[0]->x, equals[1]->x);
  EXPECT_EQ(equals[1]->x, equals[2]->x);
  EXPECT_LT(equals[0]->y, equals[1]->y);
  EXPECT_LT(equals[1]->y, equals[2]->y);
  EXPECT_LT(RunOf(block, "Aus ").y, equals[0]->y);
  EXPECT_EQ(RunOf(block, "9,25").face, Face::Bold) << "the result: 2 · 4 + 1,25";
  EXPECT_EQ(RunOf(block, " kN").x, Right(RunOf(block, "9,25")));
}

// A sum too wide for the width breaks before its terms' signs, never inside a fraction or a
// bracket, each line within the width and the next ones indented after the "=".
TEST(Typeset, ALongLineBreaksOnlyBetweenTerms) {
  Expr sum = Var("a1") / Var("b1");
  working::Values values{{"a1", 1}, {"b1", 2}};
  for (int i = 2; i <= 8; ++i) {
    const std::string n = std::to_string(i);
    sum = sum + (Var("a" + n) + Var("c")) * Var("b" + n);
    values.emplace("a" + n, i);
    values.emplace("b" + n, 10 * i);
  }
  values.emplace("c", 0.5);
  const RechenwegStep step = OneStep("s", sum, values);
  const double width = 200;
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, width);
  EXPECT_LE(block.width, width);
  EXPECT_TRUE(std::all_of(block.runs.begin(), block.runs.end(),
                          [&](const Piece& r) { return Right(r) <= width + 1e-9; }));
  // Each term stays on one line: what its brackets hold and what multiplies them.
  for (int i = 2; i <= 8; ++i) {
    const Piece& inside = RunOf(block, "c", i - 2);
    EXPECT_EQ(RunOf(block, "(", i - 2).y, RunOf(block, ")", i - 2).y);
    EXPECT_EQ(RunOf(block, "a", i - 1).y, inside.y) << i;
    EXPECT_EQ(RunOf(block, "b", i - 1).y, inside.y) << i;
  }
  // Continuation lines begin with the sign of their term, after the "=".
  const double column = Right(RunOf(block, " = "));
  std::vector<double> starts;
  for (const Piece& run : block.runs) {
    if (run.x == column && run.text == " + ") {
      starts.push_back(run.y);
    }
  }
  EXPECT_GE(starts.size(), 2u) << "both the symbolic and the substituted line are broken";
  // The fraction stays whole on the first line, over and under its baseline.
  EXPECT_LT(RunOf(block, "a").y, RunOf(block, "(").y);
  EXPECT_GT(RunOf(block, "b").y, RunOf(block, "(").y);
}

// A formula without a top-level term to break at stays whole, wider than the width.
TEST(Typeset, AFractionIsNeverBroken) {
  const RechenwegStep step =
      OneStep("r", (Var("aaaa") + Var("bbbb") + Var("cccc")) / (Var("dddd") + Var("eeee")),
              {{"aaaa", 1}, {"bbbb", 2}, {"cccc", 3}, {"dddd", 4}, {"eeee", 5}});
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, 40);
  EXPECT_GT(block.width, 40);
  const Piece& a = RunOf(block, "a");
  EXPECT_EQ(RunOf(block, "c").y, a.y) << "aaaa + bbbb + cccc on one line";
}

// The reason's words wrap at their blanks within the width.
TEST(Typeset, TheReasonWrapsBetweenWords) {
  working::Reason reason;
  reason << "Die Querkraft " << Var("AV") - Var("x") * Var("q")
         << " wird im Feld null und wechselt dort das Vorzeichen:";
  working::Builder b({{"AV", 5}, {"q", 2}});
  b.Step("X3", "m", Var("AV") / Var("q"), reason);
  const RechenwegStep step = std::move(b).Steps().front();
  const double width = 150;
  const Block block = typeset::TypesetStep(step, FixedMetrics(), kSize, width);
  EXPECT_TRUE(std::all_of(block.runs.begin(), block.runs.end(),
                          [&](const Piece& r) { return Right(r) <= width + 1e-9; }));
  EXPECT_LT(RunOf(block, "Die ").y, RunOf(block, "Vorzeichen:").y);
  EXPECT_EQ(RunOf(block, "A").face, Face::Italic) << "the reason's formula in symbols";
}

// A step that only states a value has its reason and its result line.
TEST(Typeset, AStatedValueHasItsReasonAndItsResult) {
  working::Builder b({});
  b.Stated("u", "mm", 12.3456, working::Reason() << "Verschiebung des Riegels.");
  const Block block =
      typeset::TypesetStep(std::move(b).Steps().front(), FixedMetrics(), kSize, 500);
  EXPECT_LT(RunOf(block, "Verschiebung ").y, RunOf(block, "12,35").y);
  EXPECT_EQ(std::count_if(block.runs.begin(), block.runs.end(),
                          [](const Piece& r) { return r.text == " = "; }),
            1);
  EXPECT_NEAR(block.height, RunOf(block, "12,35").y + FixedMetrics().Descent(kSize), 1e-9);
}

}  // namespace
}  // namespace strevo
