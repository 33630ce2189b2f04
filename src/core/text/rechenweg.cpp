#include "core/text/rechenweg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>

#include "core/analysis/compute_results.h"
#include "core/analysis/input_table.h"
#include "core/analysis/portal_statics.h"
#include "core/base/text_rules.h"
#include "core/text/rechenweg_builder.h"
#include "core/text/typeset.h"

namespace strevo {
namespace {

using Kind = Formula::Kind;
using working::Builder;
using working::Expr;
using working::Reason;
using working::Valued;
using working::Values;
using working::Var;

// The digits of a number in "d.ddde±x" form, and its exponent.
std::pair<std::string, int> Scientific(double magnitude, int precision) {
  std::array<char, 40> buffer{};
  char* const first = buffer.data();
  char* const last = first + buffer.size();
  const std::to_chars_result written =
      precision < 0
          ? std::to_chars(first, last, magnitude, std::chars_format::scientific)
          : std::to_chars(first, last, magnitude, std::chars_format::scientific, precision);
  const std::string text(first, written.ptr);
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, e);
  std::erase(digits, '.');
  return {digits, std::stoi(text.substr(e + 1))};
}

std::string Fixed(double magnitude, int decimals) {
  std::array<char, 400> buffer{};
  char* const first = buffer.data();
  return {first,
          std::to_chars(first, first + buffer.size(), magnitude, std::chars_format::fixed, decimals)
              .ptr};
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
  parts_.push_back({"", Written(formula.p), std::nullopt, ""});
  return *this;
}
Reason& Reason::operator<<(const Valued& valued) {
  parts_.push_back({"", Written(valued.formula.p), valued.value, valued.unit});
  return *this;
}

std::string Reason::Text() const {
  std::string text;
  for (const ReasonPart& part : parts_) {
    if (!part.formula) {
      text += part.words;
      continue;
    }
    text += typeset::FormulaText(*part.formula);
    if (part.value) {
      text += " = " + NumberText(*part.value) + (part.unit.empty() ? "" : " " + part.unit);
    }
  }
  return text;
}

void Builder::Step(const std::string& target, const char* unit, const Expr& formula,
                   const Reason& reason) {
  RechenwegStep step{target, unit, reason.Text(), formula.p, 0, {}, {}, {}, {}, {}, {}};
  step.value = Evaluate(*formula.p, values_);
  values_.try_emplace(target, step.value);  // intermediates (n, m, EI) join the values
  Finish(step, values_.at(target), reason);
}

void Builder::Stated(const std::string& target, const char* unit, double value,
                     const Reason& method) {
  RechenwegStep step{target, unit, method.Text(), nullptr, value, {}, {}, {}, {}, {}, {}};
  values_.try_emplace(target, value);
  Finish(step, value, method);
}

Valued Builder::Value(const Expr& formula, const char* unit) const {
  return {formula, Evaluate(*formula.p, values_), unit};
}

void Builder::Finish(RechenwegStep& step, double shown, const Reason& reason) {
  const std::string unit = step.unit.empty() ? "" : " " + step.unit;
  step.shown = shown;
  step.reasonParts = reason.Parts();
  step.result = step.target + " = " + NumberText(shown) + unit;
  if (step.formula) {
    step.written = Written(step.formula);
    step.substituted = Substituted(step.written, values_);
    step.symbols = step.target + " = " + typeset::FormulaText(*step.written);
    step.numbers = step.target + " = " + typeset::FormulaText(*step.substituted);
  }
  steps_.push_back(std::move(step));
}

}  // namespace working

constexpr double kRoundingResidue = 1e-12;

// Numbers as an engineer writes them. A value with at most four significant digits is written
// exactly ("1,5", "4", "57680"); any other is rounded to four significant digits, trailing
// zeros kept ("57,40", "0,0003519"), but never coarser than whole units, so that no digit before
// the comma reads as a zero it is not ("12346"). Where whole units take more than six digits
// and below 0,0001 the digits stand times a power of ten ("3,519·10⁻⁵"). Below 10⁻¹² (kN, kNm,
// m, mm) a value is what rounding leaves of a difference that is zero, as the shear at a
// moment's extreme: it is written 0.
WrittenNumber WriteNumber(double value) {
  if (std::abs(value) < kRoundingResidue) {
    value = 0;
  }
  if (value == 0 || !std::isfinite(value)) {
    return {value == 0 ? "0" : std::isnan(value) ? "?" : value > 0 ? "∞" : "−∞", 0, false};
  }
  const double magnitude = std::abs(value);
  const auto [shortest, shortExponent] = Scientific(magnitude, -1);
  const bool exact = shortest.size() <= 4;
  const auto [digits, exponent] =
      exact ? std::pair(shortest, shortExponent) : Scientific(magnitude, 3);
  WrittenNumber n;
  if (exponent >= 3 && Fixed(magnitude, 0).size() <= 6) {
    n.digits = Fixed(magnitude, 0);
  } else if (exponent >= 3 || exponent < -4) {
    n.digits = digits.substr(0, 1);
    if (digits.size() > 1) {
      n.digits += ',';
      n.digits += digits.substr(1);
    }
    n.exponent = exponent;
    n.scaled = true;
  } else {
    const int decimals = std::max(0, static_cast<int>(digits.size()) - 1 - exponent);
    n.digits = Fixed(magnitude, decimals);
    std::replace(n.digits.begin(), n.digits.end(), '.', ',');
  }
  if (value < 0) {
    n.digits.insert(0, "−");
  }
  return n;
}

namespace {

// A power of ten's exponent raised in text: "⁻⁵".
std::string RaisedDigits(int exponent) {
  static constexpr std::array<std::string_view, 10> kRaised = {"⁰", "¹", "²", "³", "⁴",
                                                               "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string text = exponent < 0 ? "⁻" : "";
  for (const char digit : std::to_string(std::abs(exponent))) {
    text += kRaised[digit - '0'];
  }
  return text;
}

}  // namespace

std::string NumberText(double value) {
  const WrittenNumber n = WriteNumber(value);
  return n.scaled ? n.digits + "·10" + RaisedDigits(n.exponent) : n.digits;
}

namespace {

// The factors of a chain of products and quotients, each above or below the bar.
void Factors(const FormulaPtr& f, bool below, std::vector<FormulaPtr>& top,
             std::vector<FormulaPtr>& bottom) {
  if (f->kind == Kind::Multiply || f->kind == Kind::Divide) {
    Factors(f->left, below, top, bottom);
    Factors(f->right, f->kind == Kind::Divide ? !below : below, top, bottom);
    return;
  }
  (below ? bottom : top).push_back(Written(f));
}

FormulaPtr Product(const std::vector<FormulaPtr>& factors) {
  FormulaPtr product = factors.front();
  for (std::size_t i = 1; i < factors.size(); ++i) {
    product = (working::Expr(product) * working::Expr(factors[i])).p;
  }
  return product;
}

FormulaPtr WithOperands(const Formula& f, FormulaPtr left, FormulaPtr right) {
  return std::make_shared<const Formula>(
      Formula{f.kind, f.number, f.name, std::move(left), std::move(right)});
}

}  // namespace

FormulaPtr Written(const FormulaPtr& f) {
  if (f->kind == Kind::Multiply || f->kind == Kind::Divide) {
    std::vector<FormulaPtr> top, bottom;
    Factors(f, false, top, bottom);
    if (bottom.empty()) {
      return Product(top);
    }
    return (working::Expr(top.empty() ? working::Expr(1).p : Product(top)) /
            working::Expr(Product(bottom)))
        .p;
  }
  if (!f->left) {
    return f;
  }
  return WithOperands(*f, Written(f->left), f->right ? Written(f->right) : nullptr);
}

FormulaPtr Substituted(const FormulaPtr& f, const Values& values) {
  if (f->kind == Kind::Name) {
    return working::Expr(values.at(f->name)).p;
  }
  if (!f->left) {
    return f;
  }
  return WithOperands(*f, Substituted(f->left, values),
                      f->right ? Substituted(f->right, values) : nullptr);
}

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
  b.Stated("Iy", "cm⁴", w.Iy, {});
  b.Stated("Wel,y", "cm³", w.Wel, {});
  b.Step("Av", "mm²", tw * (h - Expr(2) * tf),
         Reason() << "Stegfläche aus Profilhöhe " << h << ", Stegdicke " << tw << " und Flansch"
                  << "dicke " << tf << " (mm):");
  b.Stated("N", "kN", w.N,
           Reason() << "Normalkraft und Moment, wo " << Var(sigma) << " am größten ist ("
                    << DecimalCommas(w.sigmaPlace) << "), als Beträge:");
  b.Stated("M", "kNm", w.M, {});
  // kN/cm² are 10 N/mm², kNm/cm³ are 1000 N/mm².
  b.Step(sigma, "N/mm²", Expr(10) * N / A + Expr(1000) * M / Wel,
         Reason() << "Randspannung; kN/cm² sind 10 N/mm², kNm/cm³ sind 1000 N/mm²:");
  b.Stated("Q", "kN", w.Q,
           Reason() << "Querkraft, wo " << Var(tau) << " am größten ist ("
                    << DecimalCommas(w.tauPlace) << "), als Betrag:");
  b.Step(tau, "N/mm²", Expr(1000) * Q / Av,
         Reason() << "Mittlere Schubspannung im Steg; kN/mm² sind 1000 N/mm²:");
  b.Step(etaSigma, "", Var(sigma) / fy,
         Reason() << "Ausnutzung mit " << fy << " = " << std::to_string(static_cast<int>(w.fy))
                  << " N/mm² und γM0 = 1,0:");
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

}  // namespace strevo
