// How a working is written: formulas built from named values with +, −, ·, /, ² and √, each
// step evaluated on the numbers put in and typeset as symbols, numbers and result, with the
// reason a formula applies. Every Rechenweg (the portal's, the checks') is built with it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/rechenweg.h"

namespace strevo::working {

// A formula as the closed forms write it: +, −, · and / on Exprs build the tree, and a number
// stands for itself, so that the same template text gives numbers or formulas.
struct Expr {
  Expr(FormulaPtr formula) : p(std::move(formula)) {}  // NOLINT(google-explicit-constructor)
  Expr(double value);                                  // NOLINT(google-explicit-constructor)
  FormulaPtr p;
};

Expr Var(std::string name);
Expr operator+(const Expr& a, const Expr& b);
Expr operator-(const Expr& a, const Expr& b);
Expr operator*(const Expr& a, const Expr& b);
Expr operator/(const Expr& a, const Expr& b);
Expr operator-(const Expr& a);
Expr Sq(const Expr& a);
Expr Sqrt(const Expr& a);

using Values = std::map<std::string, double, std::less<>>;

double Evaluate(const Formula& formula, const Values& values);

// A formula quoted with its value: "AV − a · q = 4.25 kN".
struct Valued {
  Expr formula;
  double value;
  const char* unit;
};

// Why a step's formula applies: words and formulas in turn, the formulas written in symbols as
// in the steps, so that the reason reads in the same type as the lines below it.
class Reason {
 public:
  Reason& operator<<(std::string_view words);
  Reason& operator<<(const Expr& formula);
  Reason& operator<<(const Valued& valued);
  std::string Text() const;
  // The formulas as they are written (see Written).
  const std::vector<ReasonPart>& Parts() const { return parts_; }

 private:
  std::vector<ReasonPart> parts_;
};

class Builder {
 public:
  explicit Builder(Values values) : values_(std::move(values)) {}

  // A step whose formula gives the target; the value shown is the given one where the values
  // already hold the target (the engine's own), else the formula's.
  void Step(const std::string& target, const char* unit, const Expr& formula,
            const Reason& reason = {});
  // A value that no closed formula gives: the reason says where it comes from. It joins the
  // values, for later steps to put in.
  void Stated(const std::string& target, const char* unit, double value, const Reason& method);
  // A formula's value with the numbers the steps put in, for a reason to quote.
  Valued Value(const Expr& formula, const char* unit) const;
  std::vector<RechenwegStep> Steps() && { return std::move(steps_); }

 private:
  void Finish(RechenwegStep& step, double shown, const Reason& reason);

  Values values_;
  std::vector<RechenwegStep> steps_;
};

}  // namespace strevo::working
