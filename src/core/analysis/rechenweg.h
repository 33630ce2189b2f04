// The working of a computation, as an engineer writes it by hand: each step of the engine's
// order as its formula, the formula with the numbers put in, and the result. The formulas are
// data that are both shown and evaluated, and the tests hold them to the engine.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "computation.h"

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

struct RechenwegStep {
  std::string target;   // "AH"
  std::string unit;     // "kN"; empty for k and ratios
  std::string reason;   // why this formula applies (the field point's decision); mostly empty
  FormulaPtr formula;   // none when the step only states a value
  double value;         // the value the formula gives with the snapshot's numbers
  std::string symbols;  // "AH = −(wD + wS) · h"
  std::string numbers;  // "AH = −(0 + 0) · 4"
  std::string result;   // "AH = 0.58 kN"
  std::string html;     // the three lines typeset: symbols in italics, exponents raised
};

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
// The steps as one HTML document for a text view or the report.
std::string RechenwegHtml(const std::vector<RechenwegStep>& steps);

}  // namespace strevo
