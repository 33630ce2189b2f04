#include "rechenweg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>

#include "compute_results.h"
#include "input_table.h"
#include "portal_statics.h"
#include "rechenweg_builder.h"
#include "text_rules.h"

namespace strevo {
namespace {

using Kind = Formula::Kind;
using working::Builder;
using working::Expr;
using working::Reason;
using working::Valued;
using working::Values;
using working::Var;

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
    case Kind::Root:
      return 4;
    case Kind::Square:
      return 5;
    case Kind::Number:
    case Kind::Name:
      break;
  }
  return 6;
}

// A power of ten raised: "⁻¹⁵" as text, "<sup>−15</sup>" in HTML.
std::string Exponent(int exponent, bool html) {
  static constexpr std::array<std::string_view, 10> kRaised = {"⁰", "¹", "²", "³", "⁴",
                                                               "⁵", "⁶", "⁷", "⁸", "⁹"};
  const std::string digits = std::to_string(std::abs(exponent));
  if (html) {
    return "<sup>" + std::string(exponent < 0 ? "−" : "") + digits + "</sup>";
  }
  std::string text = exponent < 0 ? "⁻" : "";
  for (const char digit : digits) {
    text += kRaised[digit - '0'];
  }
  return text;
}

// The shortest text that reads back exactly, so that a line evaluated as printed gives the
// formula's value to the last bit. Far from 1 the digits are written times a power of ten;
// such numbers and negative ones stand in parentheses, to read as one number in any place.
std::string NumberText(double value, bool html) {
  std::array<char, 32> buffer{};
  char* const first = buffer.data();
  char* const last = first + buffer.size();
  const std::string scientific(
      first, std::to_chars(first, last, value, std::chars_format::scientific).ptr);
  const std::size_t e = scientific.find('e');
  const int exponent = std::stoi(scientific.substr(e + 1));
  const bool raised = exponent < -4 || exponent > 15;
  std::string text =
      raised ? scientific.substr(0, e) + " · 10" + Exponent(exponent, html)
             : std::string(first, std::to_chars(first, last, value, std::chars_format::fixed).ptr);
  const bool negative = text.front() == '-';
  if (negative) {
    text.replace(0, 1, "−");
  }
  return negative || raised ? "(" + text + ")" : text;
}

// "0.00" as the list shows it, with the minus sign of the formulas.
std::string Shown(double value) {
  std::string text = FormatFixed2(value);
  if (text.front() == '-') {
    text.replace(0, 1, "−");
  }
  return text;
}

std::string NameHtml(const std::string& name) {
  // The first character may take more than one byte (σ, η).
  std::size_t main = 1;
  while (main < name.size() && (static_cast<unsigned char>(name[main]) & 0xC0) == 0x80) {
    ++main;
  }
  // A combining mark (the bar of λ̄) belongs to the letter it stands on.
  while (main + 1 < name.size() && (name[main] == '\xCC' || name[main] == '\xCD')) {
    main += 2;
  }
  if (name.rfind("EI", 0) == 0) {
    main = 2;  // EI1 is EI with index 1
  }
  if (main >= name.size()) {
    return "<i>" + name + "</i>";
  }
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
      return NumberText(f.number, style.html);
    case Kind::Name:
      if (style.numbers) {
        return NumberText(style.values->at(f.name), style.html);
      }
      return style.html ? NameHtml(f.name) : f.name;
    // A right operand of the same rank keeps its parentheses: the engine's order of operations
    // is the written one, and floating-point sums and products depend on it.
    case Kind::Add:
      return Operand(*f.left, false, style) + " + " +
             Operand(*f.right, Precedence(f.right->kind) <= own, style);
    case Kind::Subtract:
      return Operand(*f.left, false, style) + " − " +
             Operand(*f.right, Precedence(f.right->kind) <= own, style);
    case Kind::Multiply:
      return Operand(*f.left, Precedence(f.left->kind) < own, style) + " · " +
             Operand(*f.right, Precedence(f.right->kind) <= own, style);
    case Kind::Divide:
      return Operand(*f.left, Precedence(f.left->kind) < own, style) + " / " +
             Operand(*f.right, Precedence(f.right->kind) <= own, style);
    case Kind::Negate:
      return "−" + Operand(*f.left, Precedence(f.left->kind) < 2, style);
    // A root of more than one name or number takes its argument in parentheses.
    case Kind::Root:
      return "√" + Operand(*f.left, own >= Precedence(f.left->kind), style);
    case Kind::Square:
      break;
  }
  return Operand(*f.left, own > Precedence(f.left->kind), style) +
         (style.html ? "<sup>2</sup>" : "²");
}

// The inputs and the engine's stored values by name, to put in and to show.
Values EngineValues(const Computation& c) {
  Values values;
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    values.emplace(kInputFields[i].symbol, c.inputs.*kFieldValues[i]);
  }
  for (const StoredValue& stored : kStoredValues) {
    values.emplace(stored.symbol, c.results.*stored.member);
  }
  return values;
}

// A negative number standing alone needs no parentheses: "M2 = −4.58", not "M2 = (−4.58)".
std::string Unwrapped(const std::string& text) {
  const bool single = text.size() > 2 && text.front() == '(' && text.back() == ')' &&
                      text.find(')') == text.size() - 1;
  return single ? text.substr(1, text.size() - 2) : text;
}

statics::Loads<Expr> FormulaLoads() {
  return {Var("wD"), Var("q"), Var("h"),  Var("a"), Var("L"),
          Var("wS"), Var("F"), Var("I1"), Var("I2")};
}

const char* SideOfLoad(FieldPointRule rule) {
  switch (rule) {
    case FieldPointRule::ShearZeroBeforeLoad:
      return "links der Einzellast";
    case FieldPointRule::LoadJump:
      return "unter der Einzellast";
    default:  // ShearZeroAfterLoad: no other rule is a change of sign
      return "rechts der Einzellast";
  }
}

// Why X3 lies where the engine put it: the shear's change of sign that was chosen, or why the
// beam has none.
Reason FieldPointReason(const Builder& b, const Computation& c, const FieldPointChoice& choice) {
  const statics::Loads<Expr> s = FormulaLoads();
  const Expr &q = s.q, &a = s.a, &Fp = s.F, AV = Var("AV");
  const InputSet& in = c.inputs;
  const Expr x = Var("x"), M = Var("M");
  Reason why;
  if (choice.extremeCount > 1) {
    why << "Die Querkraft wechselt auf dem Riegel an "
        << (choice.extremeCount == 2 ? "zwei" : "drei") << " Stellen das Vorzeichen: ";
    for (int i = 0; i < choice.extremeCount; ++i) {
      const FieldPointCandidate& point = choice.extremes[i];
      const char* const joint = i == 0 ? "" : i + 1 < choice.extremeCount ? ", " : " und ";
      why << joint << SideOfLoad(point.rule) << " bei " << x << " = "
          << b.Value(statics::PlaceOf(point, s, AV), "m") << " ("
          << Valued{M, FieldMoment(in, c.results, *c.system, point.x), "kNm"} << ")";
    }
    return why << ". Maßgebend ist die Stelle mit dem größten |" << M << "|:";
  }
  const char* const extreme =
      " und wechselt dort das Vorzeichen; an dieser Stelle hat die Momentenlinie ihr Extremum:";
  switch (choice.chosen.rule) {
    case FieldPointRule::ShearZeroBeforeLoad:
      return why << "Die Querkraft " << AV - x * q
                 << (in.F != 0 ? " wird links der Einzellast null" : " wird im Feld null")
                 << extreme;
    case FieldPointRule::ShearZeroAfterLoad:
      return why << "Die Querkraft " << AV - x * q - Fp << " wird rechts der Einzellast null"
                 << extreme;
    case FieldPointRule::LoadJump:
      return why << "Unter der Einzellast wechselt die Querkraft sprunghaft das Vorzeichen, von "
                 << b.Value(AV - a * q, "kN") << " links auf " << b.Value(AV - a * q - Fp, "kN")
                 << " rechts von ihr; dort knickt die Momentenlinie mit ihrem Extremum:";
    case FieldPointRule::BeamEnd:
      return why << "Die Querkraft wechselt auf dem Riegel das Vorzeichen nicht, die "
                    "Momentenlinie ist dort monoton; mit "
                 << q << (in.q > 0 ? " > 0" : " < 0")
                 << (choice.chosen.x == 0 ? " ist das Moment am Riegelanfang am "
                                          : " ist das Moment am Riegelende am ")
                 << (in.q > 0 ? "größten:" : "kleinsten:");
    case FieldPointRule::PointLoadOnly:
      return why << "Mit " << q
                 << " = 0 ist die Momentenlinie des Riegels gerade und knickt nur unter der "
                    "Einzellast; dort wird das Feldmoment genommen:";
    case FieldPointRule::Midspan:
      break;
  }
  return why << "Der Riegel trägt keine Last (" << q << " = 0, " << Fp
             << " = 0): seine Momentenlinie ist gerade, genommen wird die Feldmitte:";
}

// The closed forms on formulas: each step written as the engine computes it, with the
// computation's numbers put in and the value the engine stored.
class FormulaRun {
 public:
  using Value = Expr;

  FormulaRun(Builder& builder, const Computation& c) : b_(builder), c_(c) {}

  Expr Step(Stored target, const Expr& formula) {
    const StoredValue& info = StoredInfo(target);
    b_.Step(info.symbol, info.unit, formula);
    return Var(info.symbol);
  }
  Expr Intermediate(const char* name, const Expr& formula) {
    b_.Step(name, "", formula);
    return Var(name);
  }
  static statics::BeamStart<Expr> BeamStartValues() { return {Var("AH"), Var("AV"), Var("MA")}; }
  // The decision the engine made on the computation's stored values.
  FieldPointChoice ChooseFieldPoint(bool /*withClamp*/) const {
    return FieldPointOf(c_.inputs, c_.results, *c_.system);
  }
  Expr FieldPoint(const Expr& place, const FieldPointChoice& choice) {
    b_.Step("X3", "m", place, FieldPointReason(b_, c_, choice));
    return Var("X3");
  }
  // Where the load's term is zero the working leaves it out.
  bool RightOfLoad() const { return c_.results.X3 > c_.inputs.a && c_.inputs.F != 0; }

 private:
  Builder& b_;
  const Computation& c_;
};

}  // namespace

namespace working {

Expr::Expr(double value)
    : p(std::make_shared<const Formula>(Formula{Kind::Number, value, {}, nullptr, nullptr})) {}

namespace {
Expr Make(Kind kind, const Expr& left, const FormulaPtr& right) {
  return std::make_shared<const Formula>(Formula{kind, 0, {}, left.p, right});
}
}  // namespace

Expr Var(std::string name) {
  return std::make_shared<const Formula>(Formula{Kind::Name, 0, std::move(name), nullptr, nullptr});
}
Expr operator+(const Expr& a, const Expr& b) {
  return Make(Kind::Add, a, b.p);
}
Expr operator-(const Expr& a, const Expr& b) {
  return Make(Kind::Subtract, a, b.p);
}
Expr operator*(const Expr& a, const Expr& b) {
  return Make(Kind::Multiply, a, b.p);
}
Expr operator/(const Expr& a, const Expr& b) {
  return Make(Kind::Divide, a, b.p);
}
Expr operator-(const Expr& a) {
  return Make(Kind::Negate, a, nullptr);
}
Expr Sq(const Expr& a) {
  return Make(Kind::Square, a, nullptr);
}
Expr Sqrt(const Expr& a) {
  return Make(Kind::Root, a, nullptr);
}

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
    case Kind::Root:
      return std::sqrt(Evaluate(*f.left, values));
    case Kind::Square:
      break;
  }
  const double x = Evaluate(*f.left, values);
  return x * x;
}

Reason& Reason::operator<<(std::string_view words) {
  parts_.push_back({std::string(words), nullptr, std::nullopt, ""});
  return *this;
}
Reason& Reason::operator<<(const Expr& formula) {
  parts_.push_back({"", formula.p, std::nullopt, ""});
  return *this;
}
Reason& Reason::operator<<(const Valued& valued) {
  parts_.push_back({"", valued.formula.p, valued.value, valued.unit});
  return *this;
}

std::string Reason::Text(bool html) const {
  std::string text;
  for (const Part& part : parts_) {
    if (!part.formula) {
      text += html ? HtmlEscaped(part.words) : part.words;
      continue;
    }
    text += Write(*part.formula, {false, html, nullptr});
    if (part.value) {
      text += " = " + Shown(*part.value) + (part.unit.empty() ? "" : " " + part.unit);
    }
  }
  return text;
}

void Builder::Step(const std::string& target, const char* unit, const Expr& formula,
                   const Reason& reason) {
  RechenwegStep step{target, unit, reason.Text(false), formula.p, 0, {}, {}, {}, {}};
  step.value = Evaluate(*formula.p, values_);
  values_.try_emplace(target, step.value);  // intermediates (n, m, EI) join the values
  Finish(step, values_.at(target), reason.Text(true));
}

void Builder::Stated(const std::string& target, const char* unit, double value,
                     const Reason& method) {
  RechenwegStep step{target, unit, method.Text(false), nullptr, value, {}, {}, {}, {}};
  values_.try_emplace(target, value);
  Finish(step, value, method.Text(true));
}

Valued Builder::Value(const Expr& formula, const char* unit) const {
  return {formula, Evaluate(*formula.p, values_), unit};
}

void Builder::Finish(RechenwegStep& step, double shown, const std::string& reasonHtml) {
  const std::string unit = step.unit.empty() ? "" : " " + step.unit;
  step.result = step.target + " = " + Shown(shown) + unit;
  std::string html = "<p>";
  if (!reasonHtml.empty()) {
    html += reasonHtml + "<br>";
  }
  if (step.formula) {
    step.symbols = step.target + " = " + Write(*step.formula, {false, false, &values_});
    step.numbers = step.target + " = " + Unwrapped(Write(*step.formula, {true, false, &values_}));
    html += NameHtml(step.target) + " = " + Write(*step.formula, {false, true, &values_}) + "<br>" +
            NameHtml(step.target) + " = " +
            Unwrapped(Write(*step.formula, {true, true, &values_})) + "<br>";
  }
  html += "<b>" + NameHtml(step.target) + " = " + Shown(shown) + "</b>" + unit + "</p>";
  step.html = std::move(html);
  steps_.push_back(std::move(step));
}

}  // namespace working

std::vector<RechenwegStep> CheckSteps(const CheckWorking& w) {
  const std::string& m = w.member;
  const std::string sigma = "σ" + m, tau = "τ" + m, etaSigma = "ησ" + m, etaTau = "ητ" + m;
  Builder b(Values{{"A", w.A},
                   {"Wel,y", w.Wel},
                   {"h", w.h},
                   {"tw", w.tw},
                   {"tf", w.tf},
                   {"N", w.N},
                   {"M", w.M},
                   {"Q", w.Q},
                   {"fy", w.fy}});
  const Expr A = Var("A"), Wel = Var("Wel,y"), h = Var("h"), tw = Var("tw"), tf = Var("tf"),
             N = Var("N"), M = Var("M"), Q = Var("Q"), fy = Var("fy"), Av = Var("Av");
  b.Stated("A", "cm²", w.A, Reason() << w.caption << ": Querschnittswerte aus der Profiltabelle.");
  b.Stated("Iy", "cm4", w.Iy, {});
  b.Stated("Wel,y", "cm³", w.Wel, {});
  b.Step("Av", "mm²", tw * (h - Expr(2) * tf),
         Reason() << "Stegfläche aus Profilhöhe " << h << ", Stegdicke " << tw << " und Flansch"
                  << "dicke " << tf << " (mm):");
  b.Stated("N", "kN", w.N,
           Reason() << "Normalkraft und Moment, wo " << Var(sigma) << " am größten ist ("
                    << w.sigmaPlace << "), als Beträge:");
  b.Stated("M", "kNm", w.M, {});
  // kN/cm² are 10 N/mm², kNm/cm³ are 1000 N/mm².
  b.Step(sigma, "N/mm²", Expr(10) * N / A + Expr(1000) * M / Wel,
         Reason() << "Randspannung; kN/cm² sind 10 N/mm², kNm/cm³ sind 1000 N/mm²:");
  b.Stated("Q", "kN", w.Q,
           Reason() << "Querkraft, wo " << Var(tau) << " am größten ist (" << w.tauPlace
                    << "), als Betrag:");
  b.Step(tau, "N/mm²", Expr(1000) * Q / Av,
         Reason() << "Mittlere Schubspannung im Steg; kN/mm² sind 1000 N/mm²:");
  b.Step(etaSigma, "", Var(sigma) / fy,
         Reason() << "Ausnutzung mit " << fy << " = " << std::to_string(static_cast<int>(w.fy))
                  << " N/mm² und γM0 = 1.0:");
  b.Step(etaTau, "", Var(tau) / (fy / Expr(std::sqrt(3.0))));
  const double eta = std::max(w.etaSigma, w.etaTau);
  b.Stated("η" + m, "", eta,
           Reason() << "Maßgebend ist der größere Wert; "
                    << (eta <= 1 ? "η ≤ 1: Nachweis erfüllt." : "η > 1: Nachweis nicht erfüllt."));
  return std::move(b).Steps();
}

std::vector<RechenwegStep> BuildRechenweg(const Computation& computation) {
  if (!computation.system) {
    return {};
  }
  Builder b(EngineValues(computation));
  FormulaRun run(b, computation);
  statics::Portal(run, FormulaLoads(), computation.system);
  if (const auto& d = computation.deformation) {
    b.Step("EI1", "kNm²", Expr(kBendingStiffnessPerCm4) * Var("I1"));
    b.Step("EI2", "kNm²", Expr(kBendingStiffnessPerCm4) * Var("I2"));
    Reason method;
    method << "Verschiebung des Riegels nach rechts. Die Momentenlinie wird von A aus stabweise "
              "zweimal integriert (Stahl, "
           << Var("E")
           << " = 210000 N/mm², Stäbe dehnstarr, Ecken biegesteif); die Drehung in A folgt aus "
              "der Lagerung.";
    b.Stated("u", "mm", d->u, method);
    b.Stated("w", "mm", d->w, Reason() << "Größte Durchbiegung des Riegels, nach unten positiv.");
    b.Stated("xw", "m", d->xw,
             Reason() << "Wo sie liegt, von Punkt 2 aus: die Drehung des Riegels ist dort Null.");
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
