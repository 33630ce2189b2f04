// The working of each member's governing combination: the portal's stability, the section
// class and resistances, flexural and lateral-torsional buckling and the interaction, each
// step with its formula, the numbers put in and the value the check computed.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "core/analysis/deformations.h"
#include "core/analysis/member_forces.h"
#include "core/base/text_rules.h"
#include "core/checks/member_checks.h"
#include "core/design/design_output.h"
#include "core/design/design_result.h"
#include "core/text/rechenweg_builder.h"

namespace strevo {
namespace {

using working::Builder;
using working::Expr;
using working::Reason;
using working::Sq;
using working::Sqrt;
using working::Valued;
using working::Values;
using working::Var;

Expr Pi() {
  return Var("π");
}
Expr Fy() {
  return Var("fy");
}
Expr GammaM0() {
  return Var("γM0");
}

// The numbers every step of a member may put in: the section's values, fy, the code's γM0, γM1
// and φ0, and π.
Values SectionValues(const SectionProperties& s, double fy, const DesignCode& code) {
  return {{"A", s.A},
          {"Avz", s.Avz},
          {"Iy", s.Iy},
          {"Iz", s.Iz},
          {"It", s.It},
          {"Iw", s.Iw},
          {"Wpl,y", s.Wpl},
          {"Wel,y", s.Wel},
          {"h", s.h},
          {"b", s.b},
          {"tw", s.tw},
          {"tf", s.tf},
          {"fy", fy},
          {"γM0", code.gammaM0},
          {"γM1", code.gammaM1},
          {"π", std::numbers::pi},
          {"m", 2},
          {"φ0", code.phi0}};
}

std::string Verdict(double eta) {
  return eta <= 1 ? "η ≤ 1: Nachweis erfüllt." : "η > 1: Nachweis nicht erfüllt.";
}

// The checks' templates run on formulas: each step goes to the builder with the reason the
// working gives it (`why(target, stated)`), and the decisions read the values put in.
class FormulaRun {
 public:
  using Value = Expr;
  using Why = std::function<Reason(const std::string& target, bool stated)>;
  FormulaRun(Builder& b, Why why) : b_(b), why_(std::move(why)) {}

  Expr Step(const std::string& target, const char* unit, const Expr& formula) {
    b_.Step(target, unit, formula, why_(target, false));
    return Var(target);
  }
  Expr Stated(const std::string& target, const char* unit, double value) {
    b_.Stated(target, unit, value, why_(target, true));
    return Var(target);
  }
  static Expr Factor(const char* name, double /*value*/) { return Var(name); }
  double Number(const Expr& formula) const { return b_.Value(formula, "").value; }
  Expr Least(const std::string& target, const Expr& a, const Expr& b, const char* unit = "") {
    return Step(target, unit, Number(a) <= Number(b) ? a : b);
  }
  Expr Greatest(const std::string& target, const Expr& a, const Expr& b) {
    return Step(target, "", Number(a) >= Number(b) ? a : b);
  }
  // 6.57's value above its bound: the bound, the formula's value quoted.
  Expr Capped(const std::string& target, const Expr& formula, double bound) {
    b_.Stated(target, "", bound,
              Reason() << "Nach 6.57 " << b_.Value(formula, "") << ", höchstens 1 und "
                       << Expr(1) / Sq(Var("λ̄LT")) << ":");
    return Var(target);
  }

 private:
  Builder& b_;
  Why why_;
};

// The member, its combination and where its forces come from.
struct Working {
  const DesignResult& result;
  const CombinationResult& combination;
  const MemberDesign& check;
  const SectionProperties& section;
  double fy;
  const DesignCode& code;
};

void SwayImperfectionSteps(Builder& b, const Working& w);

void StabilitySteps(Builder& b, const Working& w, const std::string& caption) {
  const CombinationStability& st = *w.combination.stability;
  const NormalForces& n = st.normalForces;
  b.Stated("Nlinks", "kN", -n.leftColumn,
           Reason() << caption
                    << ": Druckkräfte nach Theorie I. Ordnung, das Eigengewicht der Stützen an "
                       "ihrem Kopf angesetzt (Druck positiv):");
  b.Stated("NRiegel", "kN", -n.beam, {});
  b.Stated("Nrechts", "kN", -n.rightColumn, {});
  if (!std::isfinite(st.critical.factor)) {
    b.Stated("φ", "", st.imperfection,
             Reason() << "Keine Stütze ist gedrückt: αcr ist unbegrenzt, die Schnittgrößen "
                         "folgen aus Theorie I. Ordnung; die Schiefstellung ist wirkungslos.");
    return;
  }
  b.Stated("αcr", "", st.critical.factor,
           Reason() << "Kleinster Verzweigungslastfaktor der Normalkräfte: exakte Steifigkeit "
                       "der Stäbe mit Stabilitätsfunktionen, die Eigenwerte unter einem "
                       "Versuchsfaktor gezählt (Wittrick–Williams) und der kleinste eingegrenzt; "
                       "Eigenform "
                    << ModeName(st.critical.mode)
                    << (st.unstable ? "; αcr ≤ 1: der Rahmen ist in dieser Kombination instabil, "
                                      "kein Nachweis ist erfüllt:"
                                    : ":"));
  if (st.unstable) {
    return;
  }
  b.Step("EI1", "kNm²", Expr(kBendingStiffnessPerCm4) * Var("I1"));
  const char* const names[] = {"Lcr,links", "Lcr,rechts"};
  const char* const forces[] = {"Nlinks", "Nrechts"};
  for (std::size_t i = 0; i < 2; ++i) {
    if (st.columnBucklingLength[i]) {
      b.Step(names[i], "m", Pi() * Sqrt(Var("EI1") / (Var("αcr") * Var(forces[i]))),
             i == 0 || !st.columnBucklingLength[0]
                 ? Reason() << "Knicklänge der gedrückten Stützen in der Rahmenebene aus αcr, "
                               "zur Einordnung; die Stabilität in der Ebene erfassen die "
                               "Schnittgrößen, das Biegeknicken um y rechnet mit der "
                               "Systemlänge:"
                 : Reason());
    }
  }
  SwayImperfectionSteps(b, w);
}

// 5.3.2: the sway imperfection, its equivalent forces and the sway they give.
void SwayImperfectionSteps(Builder& b, const Working& w) {
  const CombinationStability& st = *w.combination.stability;
  const char* const forces[] = {"Nlinks", "Nrechts"};
  const Expr h = Var("hS");
  FormulaRun run(b, [&h](const std::string& target, bool stated) {
    if (target == "αh") {
      return stated ? Reason() << "Schiefstellung nach 5.3.2: " << Expr(2) / Sqrt(h)
                               << " liegt außerhalb von 2/3 … 1 und wird begrenzt:"
                    : Reason() << "Schiefstellung nach 5.3.2 aus der Stützenhöhe " << h << " (m):";
    }
    return target == "αm" ? Reason() << "Zwei Stützen tragen die Last (" << Var("m") << " = 2):"
                          : Reason();
  });
  checks::SwayImperfection(run, h, Var("m"), w.code);
  b.Step("1/φ", "", Expr(1) / Var("φ"));
  // The forces as applied: their sign is the direction; a column in tension gets none.
  const bool left = st.imperfectionForces[0] < 0 || st.imperfectionForces[1] < 0;
  const char* const heads[] = {"Hφ,links", "Hφ,rechts"};
  for (std::size_t i = 0; i < 2; ++i) {
    Reason reason;
    if (i == 0) {
      reason << "Ersatzkräfte der Schiefstellung am Stützenkopf, "
             << (left ? "nach links" : "nach rechts")
             << " (in Richtung der Verschiebung), am Fuß entgegengesetzt:";
    }
    if (st.imperfectionForces[i] != 0) {
      b.Step(heads[i], "kN", Var("φ") * Var(forces[i]), reason);
    } else {
      b.Stated(heads[i], "kN", 0,
               reason << (i == 0 ? " " : "") << "die Stütze ist nicht gedrückt:");
    }
  }
  b.Stated(
      "ud", "mm", st.design.sway * 1000,
      st.secondOrder
          ? Reason() << "αcr < " + NumberText(w.code.alphaCrFirstOrder) +
                            ": Schnittgrößen nach Theorie II. Ordnung am verformten "
                            "Rahmen mit den Ersatzkräften, die Normalkräfte "
                     << std::to_string(st.design.iterations)
                     << "-mal nachgeführt; Verschiebung des Riegels:"
          : Reason() << "αcr ≥ " + NumberText(w.code.alphaCrFirstOrder) +
                            ": die Verformungen ändern die Schnittgrößen kaum, sie "
                            "folgen aus Theorie I. Ordnung mit den Ersatzkräften; Verschiebung "
                            "des Riegels:");
}

// What the reasons of the cross-section check read: `reduced` once N reduces the moment.
struct CrossSectionContext {
  const Builder& b;
  bool elastic;
  bool reduced = false;
};

// Why each step of the cross-section check applies.
Reason CrossSectionReason(const std::string& target, bool stated, CrossSectionContext& x) {
  const Expr web = Var("hw") * Var("tw") * Fy() / GammaM0();
  const std::string half = NumberText(checks::kHighShear) + " · ",
                    quarter = NumberText(checks::kAxialShare) + " · ",
                    webShare = NumberText(checks::kAxialWebShare) + " · ";
  if (target == "NRd") {
    return Reason() << "Widerstände; cm² · N/mm² sind 0,1 kN, cm³ · N/mm² sind 0,001 kNm:";
  }
  const Expr V = Var("V"), VRd = Var("VRd");
  if (target == "ρ" && stated &&
      x.b.Value(V, "").value > checks::kHighShear * x.b.Value(VRd, "").value) {
    return Reason() << V << " > " + half << VRd << ": "
                    << x.b.Value(Sq(Expr(2) * V / VRd - Expr(1)), "")
                    << ", höchstens 1: der ganze Steg trägt die Querkraft (6.2.8):";
  }
  if (target == "ρ") {
    return stated ? Reason() << Var("V") << " ≤ " + half << Var("VRd")
                             << ": keine Abminderung für die Querkraft (6.2.8):"
                  : Reason() << Var("V") << " > " + half << Var("VRd")
                             << ": die Querkraft mindert die Fließgrenze des Stegs (6.2.8):";
  }
  if (target == "Npl,V") {
    x.reduced = true;
    return Reason() << Var("N") << " > " + quarter << Var("NRd") << " oder " << Var("N")
                    << " > " + webShare << web << ": die Normalkraft mindert das Moment (6.2.9.1):";
  }
  if (target == "MRd") {
    if (stated) {
      return Reason() << Var("n") << " ≥ 1: die Normalkraft allein erschöpft den Querschnitt, "
                      << Var("ηM") << " = " << Var("n") + Var("M") / Var("Mpl,V") << ":";
    }
    return x.reduced ? Reason() << "Nach 6.36, höchstens " << Var("Mpl,V") << ":"
                     : Reason() << Var("N") << " ≤ " + quarter << Var("NRd") << " und " << Var("N")
                                << " ≤ " + webShare << web
                                << ": keine Abminderung für die Normalkraft (6.33, 6.34):";
  }
  if (target == "ηQuerschnitt") {
    return x.elastic ? Reason() << "Die größte der Spannungen " << Var("σ") << ", " << Var("σv")
                                << " und " << Sqrt(3) * Var("τmax") << ", geteilt durch "
                                << Fy() / GammaM0() << ":"
                     : Reason() << "Der größte der drei Werte:";
  }
  const std::pair<const char*, std::string> fixed[] = {
      {"σ", "Klasse 3: elastischer Nachweis nach 6.1; Randspannung:"},
      {"σj", "Am Übergang von Steg und Flansch:"},
      {"Mpl,V", "Plastisches Moment, für die Querkraft abgemindert (6.30):"},
      {"a", "Stegflächenanteil, höchstens " + NumberText(checks::kWebShareMax) + ":"}};
  for (const auto& [name, words] : fixed) {
    if (target == name) {
      return Reason() << words;
    }
  }
  return Reason();
}

void CrossSectionSteps(Builder& b, const Working& w) {
  const CrossSectionCheck& c = w.check.verification.crossSection;
  b.Stated("N", "kN", std::abs(c.forces.N),
           Reason() << "Querschnitt, wo er am stärksten ausgenutzt ist ("
                    << DecimalCommas(w.check.crossSectionPlace)
                    << "), Schnittgrößen als Beträge; dort Querschnittsklasse "
                    << std::to_string(c.sectionClass)
                    << " nach Tabelle 5.2 (Flansch und Steg unter diesem N und M):");
  b.Stated("V", "kN", std::abs(c.forces.Q), {});
  b.Stated("M", "kNm", std::abs(c.forces.M), {});
  CrossSectionContext context{b, c.elastic};
  FormulaRun run(b, [&context](const std::string& target, bool stated) {
    return CrossSectionReason(target, stated, context);
  });
  const checks::CrossSectionInputs<Expr> in{
      Var("A"),  Var("Avz"), Var("Iy"), Var("Wpl,y"), Var("Wel,y"), Var("h"), Var("b"),
      Var("tw"), Var("tf"),  Fy(),      Var("N"),     Var("V"),     Var("M")};
  if (c.elastic) {
    checks::ElasticCrossSection(run, in, w.code);
  } else {
    checks::PlasticCrossSection(run, in, w.code);
  }
}

void BucklingSteps(Builder& b, const FlexuralBuckling& f, const char* axis,
                   const DesignCode& code) {
  const std::string index(axis);
  const std::string Lcr = "Lcr," + index, Ncr = "Ncr," + index, lambda = "λ̄" + index,
                    phi = "Φ" + index, chi = "χ" + index, eta = "ηBK," + index, I = "I" + index,
                    EI = "EI" + index;
  b.Stated(Lcr, "m", f.Lcr,
           index == "y"
               ? Reason() << "Biegeknicken um " << axis
                          << ": Systemlänge des Stabs; die Schiefstellung und, bei αcr < 10, "
                             "die Theorie II. Ordnung stecken in den Schnittgrößen:"
               : Reason() << "Biegeknicken um " << axis << ": Abstand der seitlichen Halterungen:");
  const checks::BucklingNames names = checks::BucklingNamesOf(index);
  FormulaRun run(b, [&](const std::string& target, bool stated) {
    if (!stated) {
      return Reason();
    }
    if (target == eta) {
      return Reason() << "Der Stab ist nicht gedrückt:";
    }
    if (target == chi) {
      return Reason() << Var(lambda) << " ≤ " + NumberText(code.lambda0) + " oder "
                      << Var("NEd") / Var(Ncr)
                      << " ≤ " + NumberText(code.bucklingNegligible) +
                             ": kein Knicken (6.3.1.2(4)):";
    }
    return Reason() << "Knicklinie " << std::string(1, f.curve.name) << " (Tabelle 6.2):";
  });
  checks::FlexuralBuckling(run, names, {Var(I), Var(Lcr), Var("NRk"), Var("NEd"), f.curve.alpha},
                           code);
}

// C1, Mcr, λ̄LT and χLT of a segment between lateral restraints.
struct Segment {
  Member member;
  double start, end;  // m along the member
  double MEd;         // largest |M| in it, kNm
  BucklingCurve curve;
  const std::string& place;
};

void LateralTorsionalSteps(Builder& b, const Working& w, const Segment& g) {
  const ExactLine& line = w.combination.stability->design.lines[static_cast<std::size_t>(g.member)];
  const InputSet in = InputsOf(w.result.portal, {});
  const double quarter = (g.end - g.start) / 4;
  b.Stated("Ls", "m", g.end - g.start,
           Reason() << "Biegedrillknicken im Abschnitt zwischen seitlichen Halterungen ("
                    << DecimalCommas(g.place) << "), Gabellagerung und Last im Schubmittelpunkt:");
  b.Stated("My,Ed", "kNm", g.MEd, Reason() << "Größtes |M| im Abschnitt:");
  b.Stated("MA", "kNm", std::abs(line.At(g.start + quarter).M),
           Reason() << "|M| in den Viertelspunkten, bei "
                    << DecimalCommas(PositionOn(in, g.member, g.start + quarter)) << ", "
                    << DecimalCommas(PositionOn(in, g.member, g.start + 2 * quarter)) << " und "
                    << DecimalCommas(PositionOn(in, g.member, g.start + 3 * quarter)) << ":");
  b.Stated("MB", "kNm", std::abs(line.At(g.start + 2 * quarter).M), {});
  b.Stated("MC", "kNm", std::abs(line.At(g.start + 3 * quarter).M), {});
  const Expr MEd = Var("My,Ed");
  const Expr C1 =
      Expr(12.5) * MEd /
      (Expr(2.5) * MEd + Expr(3) * Var("MA") + Expr(4) * Var("MB") + Expr(3) * Var("MC"));
  const double c1 = g.MEd > 0 ? b.Value(C1, "").value : 1;
  if (c1 < 2.5 && g.MEd > 0) {
    b.Step("C1", "", C1,
           Reason() << "Momentenbeiwert aus der Form der Momentenlinie (Näherung nach Kirby und "
                       "Nethercot aus den Viertelpunktmomenten):");
  } else {
    b.Stated("C1", "", std::min(2.5, c1),
             Reason() << "Momentenbeiwert " << C1 << ", höchstens 2,5 (1 ohne Moment):");
  }
  const DesignCode& code = w.code;
  FormulaRun run(b, [&g, &code](const std::string& target, bool stated) {
    if (target == "GIt") {
      return Reason() << "G = " + NumberText(kShearModulus) + " N/mm²; cm6 / cm4 sind 10⁻⁴ m²:";
    }
    if (target == "χLT" && stated) {
      return Reason() << Var("λ̄LT") << " ≤ " + NumberText(code.lambdaLT0) + " oder "
                      << Var("My,Ed") / Var("Mcr")
                      << " ≤ " + NumberText(code.lateralTorsionalNegligible) +
                             ": kein Biegedrillknicken (6.3.2.2(4)):";
    }
    return target == "αLT" ? Reason() << "Knicklinie " << std::string(1, g.curve.name)
                                      << " (Tabelle 6.5), " << Var("λ̄LT,0")
                                      << " = " + NumberText(code.lambdaLT0) + ", " << Var("β")
                                      << " = " + NumberText(code.betaLT) + ":"
                           : Reason();
  });
  checks::LateralTorsionalBuckling(run,
                                   {Var("C1"), Var("Ls"), Var("EIz"), Var("Iz"), Var("Iw"),
                                    Var("It"), Var("Wy"), Fy(), MEd, g.curve.alpha},
                                   code);
}

void InteractionSteps(Builder& b, const Working& w, bool plastic) {
  const MemberVerification& v = w.check.verification;
  const MemberInteraction& m = v.interaction;
  const Expr ny = Var("ny"), nz = Var("nz"), Cmy = Var("Cmy"), CmLT = Var("CmLT");
  const Expr ly = Var("λ̄y"), lz = Var("λ̄z");
  b.Stated("Cmy", "", m.Cmy,
           Reason() << "Interaktion nach 6.61 und 6.62 mit Anhang B (Tabelle B.2, "
                       "verdrehweiche Stäbe), im Abschnitt "
                    << DecimalCommas(w.check.interactionPlace)
                    << "; äquivalente Momentenbeiwerte nach Tabelle B.3 aus den Endmomenten und "
                       "dem Moment in Feldmitte des Stabs und des Abschnitts:");
  b.Stated("CmLT", "", m.CmLT, {});
  const Expr c = CmLT - Expr(0.25);
  const Expr k1 = Expr(1) - Expr(plastic ? 0.1 : 0.05) * lz * nz / c,
             k2 = Expr(1) - Expr(plastic ? 0.1 : 0.05) * nz / c;
  FormulaRun run(b, [&](const std::string& target, bool) {
    if (target == "kyy") {
      return plastic ? Reason() << "Klasse 1 oder 2: " << Cmy * (Expr(1) + (ly - Expr(0.2)) * ny)
                                << ", höchstens " << Cmy * (Expr(1) + Expr(0.8) * ny) << ":"
                     : Reason() << "Klasse 3: " << Cmy * (Expr(1) + Expr(0.6) * ly * ny)
                                << ", höchstens " << Cmy * (Expr(1) + Expr(0.6) * ny) << ":";
    }
    if (target != "kzy") {
      return Reason();
    }
    const std::string limit = NumberText(checks::kInteractionLambdaZ);
    if (!plastic || m.bucklingZ.lambda >= checks::kInteractionLambdaZ) {
      return (plastic ? Reason() << lz << " ≥ " + limit + ": " : Reason())
             << k1 << ", mindestens " << k2 << ":";
    }
    return Reason() << lz << " < " + limit + ": " << Expr(0.6) + lz << ", höchstens " << k1 << ":";
  });
  checks::Interaction(run,
                      {Var("NEd"), Var("NRk"), Var("χy"), Var("χz"), ly, lz, Cmy, CmLT,
                       Var("My,Ed"), Var("χLT"), Var("My,Rk"), plastic},
                      w.code);
}

// The numbers a member's working puts in, the checks' own values among them.
Values WorkingValues(const Working& w) {
  const MemberVerification& v = w.check.verification;
  Values values = SectionValues(w.section, w.fy, w.code);
  values.emplace("I1", w.result.portal.I1);
  values.emplace("hS", w.result.portal.h);
  // The checks' own values are shown; the formulas give them from the numbers put in.
  const std::pair<const char*, double> engine[] = {{"NRd", v.crossSection.NRd},
                                                   {"VRd", v.crossSection.VRd},
                                                   {"MRd", v.crossSection.MRd},
                                                   {"Ncr,y", v.bucklingY.Ncr},
                                                   {"Ncr,z", v.bucklingZ.Ncr},
                                                   {"λ̄y", v.bucklingY.lambda},
                                                   {"λ̄z", v.bucklingZ.lambda},
                                                   {"χy", v.bucklingY.chi},
                                                   {"χz", v.bucklingZ.chi},
                                                   {"ηBK,y", v.bucklingY.eta},
                                                   {"ηBK,z", v.bucklingZ.eta},
                                                   {"Mcr", v.lateralTorsional.Mcr},
                                                   {"λ̄LT", v.lateralTorsional.lambda},
                                                   {"χLT", v.lateralTorsional.chi},
                                                   {"ηBDK", v.lateralTorsional.eta},
                                                   {"kyy", v.interaction.kyy},
                                                   {"kzy", v.interaction.kzy},
                                                   {"η6.61", v.interaction.eta61},
                                                   {"η6.62", v.interaction.eta62}};
  for (const auto& [name, value] : engine) {
    values.emplace(name, value);
  }
  return values;
}

// The interaction's own segment: its C1, Mcr, χLT and buckling, and the verdict.
std::vector<RechenwegStep> OtherSegmentSteps(const Working& w, const Values& values, bool plastic,
                                             const std::string& eta) {
  const MemberVerification& v = w.check.verification;
  Values more = SectionValues(w.section, w.fy, w.code);
  more.insert(values.begin(), values.end());
  const LateralTorsionalBuckling& own = v.interaction.lateralTorsional;
  more.insert_or_assign("Mcr", own.Mcr);
  more.insert_or_assign("λ̄LT", own.lambda);
  more.insert_or_assign("χLT", own.chi);
  const MemberInteraction& m = v.interaction;
  more.insert_or_assign("λ̄y", m.bucklingY.lambda);
  more.insert_or_assign("λ̄z", m.bucklingZ.lambda);
  more.insert_or_assign("χy", m.bucklingY.chi);
  more.insert_or_assign("χz", m.bucklingZ.chi);
  more.emplace("NEd", m.bucklingY.NEd);
  more.emplace("NRk", w.section.A * w.fy / 10);
  more.emplace("EIz", kBendingStiffnessPerCm4 * w.section.Iz);
  more.emplace("Wy", plastic ? w.section.Wpl : w.section.Wel);
  Builder segment(more);
  LateralTorsionalSteps(segment, w,
                        {w.check.interactionMember, own.start, own.end, own.MEd, own.curve,
                         w.check.interactionPlace});
  InteractionSteps(segment, w, plastic);
  segment.Stated("ηInteraktion", "", v.interaction.eta, Reason() << "Der größere Wert:");
  segment.Stated(
      eta, "", w.check.Eta(),
      Reason() << "Maßgebend ist der größte der fünf Nachweise: " << Verdict(w.check.Eta()));
  return std::move(segment).Steps();
}

std::vector<RechenwegStep> MemberSteps(const Working& w, const std::string& caption,
                                       const char* index) {
  const MemberVerification& v = w.check.verification;
  const Values values = WorkingValues(w);
  Builder b(values);
  StabilitySteps(b, w, caption);
  const std::string eta = std::string("η") + index;
  if (w.check.unstable) {
    return std::move(b).Steps();  // the αcr step says why nothing is verified
  }
  CrossSectionSteps(b, w);
  // Plastic resistances where the member is of class 1 or 2 under its largest moment.
  const bool plastic = v.lateralTorsional.Wy == w.section.Wpl;
  b.Step("NRk", "kN", Var("A") * Fy() / Expr(10),
         Reason() << "Stabilität; größte Druckkraft des Stabs "
                  << Valued{Var("NEd"), v.bucklingY.NEd, "kN"} << ":");
  b.Stated("NEd", "kN", v.bucklingY.NEd, {});
  BucklingSteps(b, v.bucklingY, "y", w.code);
  BucklingSteps(b, v.bucklingZ, "z", w.code);
  b.Stated("Wy", "cm³", plastic ? w.section.Wpl : w.section.Wel,
           Reason() << (plastic ? "Klasse 1 oder 2" : "Klasse 3") << " am größten Moment: "
                    << Var("Wy") << " = " << Var(plastic ? "Wpl,y" : "Wel,y"));
  const LateralTorsionalBuckling& lt = v.lateralTorsional;
  LateralTorsionalSteps(b, w,
                        {w.check.lateralTorsionalMember, lt.start, lt.end, lt.MEd, lt.curve,
                         w.check.lateralTorsionalPlace});
  FormulaRun utilisation(b, [](const std::string&, bool) { return Reason(); });
  checks::LateralTorsionalUtilisation(utilisation, Var("My,Ed"), Var("χLT"), Var("My,Rk"), w.code);
  const bool sameSegment = v.interaction.start == lt.start && v.interaction.end == lt.end &&
                           w.check.interactionMember == w.check.lateralTorsionalMember &&
                           w.check.interactionMember == w.check.bucklingMember;
  std::vector<RechenwegStep> steps;
  if (!sameSegment) {
    // The interaction governs in another segment or on the other column: its own C1, Mcr,
    // χLT and buckling, in a working of their own so that its names do not meet the first's.
    steps = std::move(b).Steps();
    std::vector<RechenwegStep> rest = OtherSegmentSteps(w, values, plastic, eta);
    steps.insert(steps.end(), rest.begin(), rest.end());
    return steps;
  }
  InteractionSteps(b, w, plastic);
  b.Stated("ηInteraktion", "", v.interaction.eta, Reason() << "Der größere Wert:");
  b.Stated(eta, "", w.check.Eta(),
           Reason() << "Maßgebend ist der größte der fünf Nachweise: " << Verdict(w.check.Eta()));
  return std::move(b).Steps();
}

// The working of both members' governing checks by `code`.
std::vector<RechenwegStep> CheckRechenwegBy(const DesignResult& result, const DesignCode& code) {
  std::vector<RechenwegStep> steps;
  const double fy = YieldStrength(result.design.settings.grade);
  const auto add = [&](const std::optional<GoverningMember>& governing, const char* index,
                       const char* members, const MemberChoice& member) {
    if (!governing) {
      return;
    }
    const CombinationResult& c = result.combinations[governing->combination];
    const std::string caption =
        std::string(members) + ", " + member.section + ", " + c.combination.id;
    const Working w{result, c, governing->check, *SectionOf(member), fy, code};
    const std::vector<RechenwegStep> more = MemberSteps(w, caption, index);
    steps.insert(steps.end(), more.begin(), more.end());
  };
  add(result.checks.columns, "S", "Stützen", result.design.columns);
  add(result.checks.beam, "R", "Riegel", result.design.beam);
  return steps;
}

}  // namespace

// The design is computed by the German annex, and so is its working.
std::vector<RechenwegStep> GoverningCheckRechenweg(const DesignResult& result) {
  return CheckRechenwegBy(result, GermanAnnex());
}

}  // namespace strevo
