// The working of a computation, as an engineer writes it by hand: each step of the engine's
// order as its formula, the formula with the numbers put in, and the result. The formulas are
// data that are both shown and evaluated, and the tests hold them to the engine.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/computation.h"

namespace strevo {

// A formula: numbers, named values and the operations the closed forms use.
struct Formula {
  enum class Kind { Number, Name, Add, Subtract, Multiply, Divide, Negate, Square, Root };
  Kind kind;
  double number = 0;  // Number
  std::string name;   // Name: an input, k, a result value or an intermediate
  std::shared_ptr<const Formula> left, right;
};
using FormulaPtr = std::shared_ptr<const Formula>;

// A piece of a step's reason: words, or a formula in symbols, quoted with its value where it
// has one ("AV − a · q = 3,000 kN").
struct ReasonPart {
  std::string words;
  FormulaPtr formula;
  std::optional<double> value;
  std::string unit;
};

struct RechenwegStep {
  std::string target;   // "AH"
  std::string unit;     // "kN"; empty for k and ratios
  std::string reason;   // why this formula applies (the field point's decision); mostly empty
  FormulaPtr formula;   // none when the step only states a value; evaluated as the engine does
  double value;         // the value the formula gives with the snapshot's numbers
  std::string symbols;  // "AH = −(wD + wS) · h"
  std::string numbers;  // "AH = −(0 + 0) · 4"
  std::string result;   // "AH = 0,5769 kN"
  std::vector<ReasonPart> reasonParts;
  FormulaPtr written;      // the formula as a textbook writes it (see Written)
  FormulaPtr substituted;  // `written` with the numbers put in
  double shown = 0;        // the value the result line shows: the engine's own where it has one
};

// A number as an engineer writes it (see WriteNumber in rechenweg.cpp for the rule): the
// digits with a decimal comma and a minus sign, times 10^exponent where `scaled`.
struct WrittenNumber {
  std::string digits;  // "−3,519"
  int exponent = 0;
  bool scaled = false;
};
WrittenNumber WriteNumber(double value);
// "57,40", "−3,519·10⁻⁵"
std::string NumberText(double value);

// The formula as a textbook writes it: a chain of products and quotients as one fraction, the
// factors of its numerator over those of its denominator. Equal in value, not in rounding.
FormulaPtr Written(const FormulaPtr& formula);
// The formula with each name replaced by its number.
FormulaPtr Substituted(const FormulaPtr& formula,
                       const std::map<std::string, double, std::less<>>& values);

// Every step of the computation's system in the engine's order, starting with k; the
// deformations follow with the method that gives them. Empty without a system.
std::vector<RechenwegStep> BuildRechenweg(const Computation& computation);

// One member's elastic section check, as its working shows it.
struct CheckWorking {
  std::string member;   // "S" for the columns, "R" for the beam: the index of σ, τ, η
  std::string caption;  // "Stützen, HE-A 300"
  double A, Iy, Wel;    // cm², cm4, cm³
  double h, tw, tf;     // mm
  double N, M, Q;       // kN, kNm, kN where σ and τ govern, as magnitudes
  std::string sigmaPlace, tauPlace;
  double fy;                // N/mm²
  double etaSigma, etaTau;  // as the check computed them
};

// The check's steps: the section's values, the web area, the governing forces, σ, τ and η.
std::vector<RechenwegStep> CheckSteps(const CheckWorking& working);

// The steps as plain text, three lines a step (and the reason before them where there is one).
std::string RechenwegText(const std::vector<RechenwegStep>& steps);

}  // namespace strevo
