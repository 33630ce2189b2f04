// A Rechenweg step typeset as a textbook prints it: stacked fractions, raised exponents,
// lowered indices, roots with their bar, the substituted line under the symbolic one aligned
// at "=", lines broken only between terms. Laid out here without any toolkit: the caller
// measures text, and paints the runs and rules that come back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text/rechenweg.h"

namespace strevo::typeset {

enum class Face { Upright, Italic, Bold, BoldItalic };

// How wide text is and how far fonts reach above and below the baseline, for one size.
class FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  virtual double Width(std::string_view utf8, Face face, double size) const = 0;
  virtual double Ascent(double size) const = 0;
  virtual double Descent(double size) const = 0;
};

struct Run {
  double x, y;  // the baseline's start, from the block's top left
  std::string text;
  Face face;
  double size;
};

// A fraction bar or a root's bar and hook.
struct Rule {
  double x0, y0, x1, y1;
  double thickness;
};

struct Block {
  double width = 0, height = 0;
  std::vector<Run> runs;
  std::vector<Rule> rules;
};

// One step, its reason above its lines, no wider than `width` where a break between terms
// allows it.
Block TypesetStep(const RechenwegStep& step, const FontMetrics& metrics, double size, double width);

// A written formula (see Written) on one line, with the brackets the typeset form has and those
// a line needs where a fraction is not stacked: "I2 · h / (I1 · L)".
std::string FormulaText(const Formula& formula);

}  // namespace strevo::typeset
