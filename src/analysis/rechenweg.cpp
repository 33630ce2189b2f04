#include "rechenweg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

#include "compute_results.h"
#include "text_rules.h"

namespace strevo {
namespace {

using Kind = Formula::Kind;

// Formulas written as the engine writes them: F(...) wraps a formula so that +, −, · and /
// build the tree.
struct F {
  FormulaPtr p;
};

F Make(Kind kind, const F& left, const F& right) {
  return {std::make_shared<const Formula>(Formula{kind, 0, {}, left.p, right.p})};
}
F Num(double value) {
  return {std::make_shared<const Formula>(Formula{Kind::Number, value, {}, nullptr, nullptr})};
}
F Var(const char* name) {
  return {std::make_shared<const Formula>(Formula{Kind::Name, 0, name, nullptr, nullptr})};
}
F operator+(const F& a, const F& b) {
  return Make(Kind::Add, a, b);
}
F operator-(const F& a, const F& b) {
  return Make(Kind::Subtract, a, b);
}
F operator*(const F& a, const F& b) {
  return Make(Kind::Multiply, a, b);
}
F operator/(const F& a, const F& b) {
  return Make(Kind::Divide, a, b);
}
F operator-(const F& a) {
  return Make(Kind::Negate, a, {});
}
F Sq(const F& a) {
  return Make(Kind::Square, a, {});
}

using Values = std::map<std::string, double, std::less<>>;

double Evaluate(const Formula& f, const Values& values) {
  switch (f.kind) {
    case Kind::Number:
      return f.number;
    case Kind::Name:
      return values.at(f.name);
    case Kind::Add:
      return Evaluate(*f.left, values) + Evaluate(*f.right, values);
    case Kind::Subtract:
      return Evaluate(*f.left, values) - Evaluate(*f.right, values);
    case Kind::Multiply:
      return Evaluate(*f.left, values) * Evaluate(*f.right, values);
    case Kind::Divide:
      return Evaluate(*f.left, values) / Evaluate(*f.right, values);
    case Kind::Negate:
      return -Evaluate(*f.left, values);
    case Kind::Square:
      break;
  }
  const double x = Evaluate(*f.left, values);
  return x * x;
}

int Precedence(Kind kind) {
  switch (kind) {
    case Kind::Add:
    case Kind::Subtract:
      return 1;
    case Kind::Multiply:
    case Kind::Divide:
      return 2;
    case Kind::Negate:
      return 3;
    case Kind::Square:
      return 4;
    case Kind::Number:
    case Kind::Name:
      break;
  }
  return 5;
}

bool IsInput(std::string_view name) {
  static constexpr std::array<std::string_view, 10> kInputs = {"wD", "q",  "h", "a",  "b",
                                                               "L",  "wS", "F", "I1", "I2"};
  return std::find(kInputs.begin(), kInputs.end(), name) != kInputs.end();
}

// Inputs as read (the shortest text that reads back exactly), everything else with eight
// significant digits, so that a reader recomputes the result to its two decimals.
std::string NumberText(double value, bool asRead) {
  std::array<char, 40> digits{};
  auto* const end = asRead ? std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr
                           : std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::general, 8)
                                 .ptr;
  std::string text(digits.data(), end);
  if (!text.empty() && text[0] == '-') {
    return "(−" + text.substr(1) + ")";
  }
  return text;
}

std::string NameHtml(const std::string& name) {
  if (name.size() == 1) {
    return "<i>" + name + "</i>";
  }
  const std::size_t main = name.rfind("EI", 0) == 0 ? 2 : 1;  // EI1 is EI with index 1
  return "<i>" + name.substr(0, main) + "</i><sub>" + name.substr(main) + "</sub>";
}

// How a formula is written: in symbols or with the numbers put in, as text or as HTML.
struct Style {
  bool numbers;
  bool html;
  const Values* values;
};

std::string Write(const Formula& f, const Style& style);

std::string Operand(const Formula& f, bool parens, const Style& style) {
  const std::string text = Write(f, style);
  return parens ? "(" + text + ")" : text;
}

std::string Write(const Formula& f, const Style& style) {
  const int own = Precedence(f.kind);
  switch (f.kind) {
    case Kind::Number:
      return NumberText(f.number, true);
    case Kind::Name:
      if (style.numbers) {
        return NumberText(style.values->at(f.name), IsInput(f.name));
      }
      return style.html ? NameHtml(f.name) : f.name;
    case Kind::Add:
      return Operand(*f.left, false, style) + " + " + Operand(*f.right, false, style);
    case Kind::Subtract:
      return Operand(*f.left, false, style) + " − " +
             Operand(*f.right, Precedence(f.right->kind) <= own, style);
    case Kind::Multiply:
      return Operand(*f.left, Precedence(f.left->kind) < own, style) + " · " +
             Operand(*f.right, Precedence(f.right->kind) < own, style);
    case Kind::Divide:
      return Operand(*f.left, Precedence(f.left->kind) < own, style) + " / " +
             Operand(*f.right, Precedence(f.right->kind) <= own, style);
    case Kind::Negate:
      return "−" + Operand(*f.left, Precedence(f.left->kind) < 2, style);
    case Kind::Square:
      break;
  }
  return Operand(*f.left, own > Precedence(f.left->kind), style) +
         (style.html ? "<sup>2</sup>" : "²");
}

// The engine's stored values by name, to put in and to show.
Values EngineValues(const Computation& c) {
  const InputSet& in = c.inputs;
  const SharedResults& r = c.results;
  return {{"wD", in.wD}, {"q", in.q},  {"h", in.h},   {"a", in.a},   {"b", in.b},  {"L", in.L},
          {"wS", in.wS}, {"F", in.F},  {"I1", in.I1}, {"I2", in.I2}, {"k", r.k},   {"AH", r.AH},
          {"AV", r.AV},  {"MA", r.MA}, {"BH", r.BH},  {"BV", r.BV},  {"MB", r.MB}, {"M1", r.M1},
          {"N1", r.N1},  {"Q1", r.Q1}, {"M2", r.M2},  {"N2", r.N2},  {"Q2", r.Q2}, {"X3", r.X3},
          {"M3", r.M3},  {"M4", r.M4}, {"N4", r.N4},  {"Q4", r.Q4},  {"M5", r.M5}, {"N5", r.N5},
          {"Q5", r.Q5}};
}

// A negative number standing alone needs no parentheses: "M2 = −4.58", not "M2 = (−4.58)".
std::string Unwrapped(const std::string& text) {
  const bool single = text.size() > 2 && text.front() == '(' && text.back() == ')' &&
                      text.find(')') == text.size() - 1;
  return single ? text.substr(1, text.size() - 2) : text;
}

class Builder {
 public:
  explicit Builder(const Computation& c) : values_(EngineValues(c)) {}

  // A step whose formula gives the target; the value shown is the engine's where it has one.
  void Step(const char* target, const char* unit, const F& formula, std::string reason = {}) {
    RechenwegStep step{target, unit, std::move(reason), formula.p, 0, {}, {}, {}, {}};
    step.value = Evaluate(*formula.p, values_);
    values_.try_emplace(target, step.value);  // intermediates (n, m, EI) join the values
    Finish(step, values_.at(target));
  }
  // A value that no closed formula gives (the deformations): the method says how.
  void Stated(const char* target, const char* unit, double value, std::string method) {
    RechenwegStep step{target, unit, std::move(method), nullptr, value, {}, {}, {}, {}};
    Finish(step, value);
  }
  std::vector<RechenwegStep> Steps() && { return std::move(steps_); }

 private:
  void Finish(RechenwegStep& step, double shown) {
    const std::string unit = step.unit.empty() ? "" : " " + step.unit;
    step.result = step.target + " = " + FormatFixed2(shown) + unit;
    std::string html = "<p>";
    if (!step.reason.empty()) {
      html += step.reason + "<br>";
    }
    if (step.formula) {
      step.symbols = step.target + " = " + Write(*step.formula, {false, false, &values_});
      step.numbers = step.target + " = " + Unwrapped(Write(*step.formula, {true, false, &values_}));
      html += NameHtml(step.target) + " = " + Write(*step.formula, {false, true, &values_}) +
              "<br>" + NameHtml(step.target) + " = " +
              Unwrapped(Write(*step.formula, {true, true, &values_})) + "<br>";
    }
    html += "<b>" + NameHtml(step.target) + " = " + FormatFixed2(shown) + "</b>" + unit + "</p>";
    step.html = std::move(html);
    steps_.push_back(std::move(step));
  }

  Values values_;
  std::vector<RechenwegStep> steps_;
};

// The names the formulas use, made once for each Rechenweg.
struct Names {
  F wD = Var("wD"), q = Var("q"), h = Var("h"), a = Var("a"), L = Var("L"), wS = Var("wS"),
    Fp = Var("F"), I1 = Var("I1"), I2 = Var("I2"), k = Var("k"), AH = Var("AH"), AV = Var("AV"),
    MA = Var("MA"), N2 = Var("N2"), Q2 = Var("Q2"), N4 = Var("N4"), Q4 = Var("Q4"), M1 = Var("M1"),
    M4 = Var("M4"), X3 = Var("X3");
};

void KinkedBeam(Builder& b, const Names& s) {
  const auto& [wD, q, h, a, L, wS, Fp, I1, I2, k, AH, AV, MA, N2, Q2, N4, Q4, M1, M4, X3] = s;
  b.Step("AH", "kN", -(wD + wS) * h);
  b.Step("AV", "kN", (Sq(L) * q / Num(2) + Sq(h) * (-wD - wS) / Num(2) + (L - a) * Fp) / L);
  b.Step("MA", "kNm", Num(0));
  b.Step("BH", "kN", Num(0));
  b.Step("BV", "kN", q * L + Fp - AV);
  b.Step("MB", "kNm", Num(0));
}

void TwoHingedFrame(Builder& b, const Names& s) {
  const auto& [wD, q, h, a, L, wS, Fp, I1, I2, k, AH, AV, MA, N2, Q2, N4, Q4, M1, M4, X3] = s;
  const F n = Var("n"), m = Var("m");
  b.Step("n", "", Num(2) * k + Num(3));
  b.Step("m", "", Num(5) * k + Num(6));
  b.Step("AH", "kN",
         q * Sq(L) / (n * (h * Num(4))) + Num(3) / Num(2) * Fp * a * (L - a) / (n * (L * h)) +
             (h * wD / Num(8) * m / n - h * wD) - h * wS / Num(8) * m / n);
  b.Step("AV", "kN", (Sq(L) * q / Num(2) + Sq(h) * (-wD - wS) / Num(2) + (L - a) * Fp) / L);
  b.Step("MA", "kNm", Num(0));
  b.Step("BH", "kN", (wS + wD) * h + AH);
  b.Step("BV", "kN", q * L + Fp - AV);
  b.Step("MB", "kNm", Num(0));
}

void FixedFrame(Builder& b, const Names& s) {
  const auto& [wD, q, h, a, L, wS, Fp, I1, I2, k, AH, AV, MA, N2, Q2, N4, Q4, M1, M4, X3] = s;
  const F k2 = k + Num(2), k6 = Num(6) * k + Num(1);
  b.Step("AH", "kN",
         q * Sq(L) / (Num(4) * h * k2) + Num(3) / Num(2) * Fp * a * (L - a) / (L * h * k2) +
             (h * wD / Num(8) * (Num(2) * k + Num(3)) / k2 - h * wD) -
             h * wS / Num(8) * (Num(2) * k + Num(3)) / k2);
  b.Step("AV", "kN",
         q * L / Num(2) +
             ((a / L + Num(1)) - Num(2) * Sq(a / L) + Num(6) * k) / k6 * ((L - a) * Fp / L) -
             Sq(h) * wD / L * k / k6 - Sq(h) * wS / L * k / k6);
  const F bracket = (Num(5) * k + Num(9)) / k2 - Num(12) * k / k6;
  b.Step("MA", "kNm",
         q * Sq(L) / Num(12) / k2 +
             (Num(2) * a / L * k2 + (Num(5) * k - Num(1))) * ((L - a) * (a * Fp) / Num(2) / L) /
                 (k6 * k2) +
             Sq(h) * wD / Num(24) * bracket + (Sq(h) * wD / L * k / k6 * L - Sq(h) * wD / Num(2)) -
             Sq(h) * wS / Num(24) * bracket);
  b.Step("BH", "kN", (wS + wD) * h + AH);
  b.Step("BV", "kN", q * L + Fp - AV);
  b.Step(
      "MB", "kNm",
      Sq(h) * wS / Num(2) + Sq(h) * wD / Num(2) + L * AV + MA - Sq(L) * q / Num(2) - (L - a) * Fp);
}

// The field point: the case of the decision, why it applies, and the beam end when the
// decision points off the beam.
void FieldPoint(Builder& b, const Names& s, const Computation& c, bool withClamp) {
  const auto& [wD, q, h, a, L, wS, Fp, I1, I2, k, AH, AV, MA, N2, Q2, N4, Q4, M1, M4, X3] = s;
  const InputSet& in = c.inputs;
  const SharedResults& r = c.results;
  F x = L / Num(2);
  std::string why = "q = 0 und F = 0: das größte Feldmoment liegt in Feldmitte, X3 = L / 2.";
  bool pointLoadTerm = false;
  if (in.q != 0) {
    if (r.AV - in.a * in.q > 0) {
      if (r.AV - in.a * in.q - in.F > 0) {
        x = (AV - Fp) / q;
        pointLoadTerm = true;
        why =
            "AV − a · q − F > 0: die Querkraft wechselt das Vorzeichen zwischen a und L, "
            "X3 = (AV − F) / q.";
      } else {
        x = a;
        why =
            "AV − a · q > 0 und AV − a · q − F ≤ 0: die Querkraft wechselt das Vorzeichen "
            "unter der Einzellast, X3 = a.";
      }
    } else {
      x = AV / q;
      why =
          "AV − a · q ≤ 0: die Querkraft wechselt das Vorzeichen zwischen 0 und a, "
          "X3 = AV / q.";
    }
  } else if (in.F != 0) {
    x = a;
    why = "q = 0 und F ≠ 0: das größte Feldmoment liegt unter der Einzellast, X3 = a.";
  }
  if (in.L > 0 && (r.X3 == 0 || r.X3 == in.L)) {
    const double unclamped = Evaluate(*x.p, EngineValues(c));
    if (unclamped < 0 || unclamped > in.L) {
      why += " Dieser Punkt (" + FormatFixed2(unclamped) +
             " m) liegt außerhalb des Riegels; maßgebend ist das nähere Riegelende.";
      x = unclamped < 0 ? Num(0) : L;
    }
  }
  b.Step("X3", "m", x, why);
  F moment = X3 * AV - h * AH - Sq(h) * wD / Num(2) - Sq(X3) * q / Num(2);
  if (pointLoadTerm) {
    moment = moment - (X3 - a) * Fp;
  }
  b.Step("M3", "kNm", withClamp ? moment + MA : moment);
}

void InternalForces(Builder& b, const Names& s, const Computation& c, bool withClamp) {
  const auto& [wD, q, h, a, L, wS, Fp, I1, I2, k, AH, AV, MA, N2, Q2, N4, Q4, M1, M4, X3] = s;
  const F m1 = -AH * h - Sq(h) * wD / Num(2);
  b.Step("M1", "kNm", withClamp ? m1 + MA : m1);
  b.Step("N1", "kN", -AV);
  b.Step("Q1", "kN", -AH - h * wD);
  b.Step("M2", "kNm", M1);
  b.Step("N2", "kN", -AH - h * wD);
  b.Step("Q2", "kN", AV);
  FieldPoint(b, s, c, withClamp);
  const F m4 = L * AV - h * AH - Sq(h) * wD / Num(2) - Sq(L) * q / Num(2) - (L - a) * Fp;
  b.Step("M4", "kNm", withClamp ? m4 + MA : m4);
  b.Step("N4", "kN", N2);
  b.Step("Q4", "kN", Q2 - L * q - Fp);
  b.Step("M5", "kNm", M4);
  b.Step("N5", "kN", Q4);
  b.Step("Q5", "kN", -N4);
}

}  // namespace

std::vector<RechenwegStep> BuildRechenweg(const Computation& computation) {
  if (!computation.system) {
    return {};
  }
  Builder b(computation);
  const Names s;
  b.Step("k", "", s.I2 / s.I1 * s.h / s.L);
  switch (*computation.system) {
    case SystemType::KinkedBeam:
      KinkedBeam(b, s);
      break;
    case SystemType::TwoHingedFrame:
      TwoHingedFrame(b, s);
      break;
    case SystemType::FixedFrame:
      FixedFrame(b, s);
      break;
  }
  InternalForces(b, s, computation, *computation.system == SystemType::FixedFrame);
  if (const auto& d = computation.deformation) {
    b.Step("EI1", "kNm²", Num(kBendingStiffnessPerCm4) * s.I1);
    b.Step("EI2", "kNm²", Num(kBendingStiffnessPerCm4) * s.I2);
    const std::string method =
        "Die Momentenlinie wird von A aus stabweise zweimal integriert (Stahl, E = 210000 "
        "N/mm², Stäbe dehnstarr, Ecken biegesteif); die Drehung in A folgt aus der Lagerung.";
    b.Stated("u", "mm", d->u, "Verschiebung des Riegels nach rechts. " + method);
    b.Stated("w", "mm", d->w, "Größte Durchbiegung des Riegels, nach unten positiv.");
    b.Stated("xw", "m", d->xw,
             "Wo sie liegt, von Punkt 2 aus: die Drehung des Riegels ist dort Null.");
  }
  return std::move(b).Steps();
}

std::string RechenwegText(const std::vector<RechenwegStep>& steps) {
  std::string text;
  for (const RechenwegStep& step : steps) {
    if (!step.reason.empty()) {
      text += step.reason + "\n";
    }
    if (step.formula) {
      text += step.symbols + "\n" + step.numbers + "\n";
    }
    text += step.result + "\n\n";
  }
  return text;
}

std::string RechenwegHtml(const std::vector<RechenwegStep>& steps) {
  std::string html = "<html><body><h3>Rechenweg</h3>";
  for (const RechenwegStep& step : steps) {
    html += step.html;
  }
  return html + "</body></html>";
}

}  // namespace strevo
