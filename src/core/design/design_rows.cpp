#include <cmath>
#include <string_view>

#include "core/analysis/member_forces.h"
#include "core/base/text_rules.h"
#include "core/design/design_output.h"
#include "core/design/design_output_parts.h"

namespace strevo {
namespace {

const char* Verdicted(bool met) {
  return met ? "Nachweis erfüllt" : "Nachweis nicht erfüllt";
}

ListRow MemberRow(const char* symbol, const MemberDesign& check, const std::string& prefix) {
  const Verdict mark = check.Met() ? Verdict::Met : Verdict::NotMet;
  const std::string text = prefix + GoverningText(check) + ": " + Verdicted(check.Met());
  if (check.unstable) {
    return {symbol, "—", "", text, false, mark};
  }
  return {symbol, EtaText(check.Eta()), "", text, true, mark};
}

// n of h/u or L/w; none where the displacement shows as 0.00 mm.
ListRow LimitRow(const char* symbol, const LimitCheck& check, int limit,
                 const std::string& prefix) {
  const std::string verdict = std::string(symbol) + " ≥ " + std::to_string(limit) +
                              (check.met ? " erfüllt" : " nicht erfüllt");
  const Verdict mark = check.met ? Verdict::Met : Verdict::NotMet;
  if (!(check.ratio > 0)) {
    return {symbol, "—", "", prefix + "keine Verformung: " + verdict, false, mark};
  }
  return {symbol, FormatFixed2(check.ratio), "", prefix + verdict, true, mark};
}

void PortalRows(std::vector<ListRow>& rows, const DesignResult& result) {
  const Design& design = result.design;
  rows.push_back({"System", SystemCaption(design.system), "", "", false});
  const std::pair<const char*, const std::string&> header[] = {
      {"Projekt", design.project.title},
      {"Position", design.project.position},
      {"Bearbeiter", design.project.author}};
  for (const auto& [symbol, text] : header) {
    if (!text.empty()) {
      rows.push_back({symbol, text, "", "", false});
    }
  }
  rows.push_back({"h", FormatFixed2(design.h), "m"});
  rows.push_back({"L", FormatFixed2(design.L), "m"});
  const auto member = [&](const char* index, const char* name, const MemberChoice& choice,
                          const char* I) {
    if (SectionOf(choice) != nullptr) {
      rows.push_back({std::string("Profil ") + index, choice.section, "", name, false});
      rows.push_back({I, FormatFixed2(SecondMomentOf(choice)), "cm4"});
    } else {
      rows.push_back({I, FormatFixed2(choice.I), "cm4",
                      std::string(name) + " ohne Profil: kein Querschnittsnachweis"});
    }
  };
  member("S", "Stützen", design.columns, "I1");
  member("R", "Riegel", design.beam, "I2");
  const double fy = YieldStrength(design.settings.grade);
  rows.push_back({"Stahlsorte", GradeName(design.settings.grade), "",
                  "fy = " + std::to_string(static_cast<int>(fy)) + " N/mm², γM0 = 1.0", false});
  rows.push_back({"Grenze u", "h/" + std::to_string(design.settings.swayLimit), "",
                  "Verschiebung des Riegels", false});
  rows.push_back({"Grenze w", "L/" + std::to_string(design.settings.deflectionLimit), "",
                  "Durchbiegung des Riegels", false});
  if (design.selfWeight) {
    if (SectionOf(design.columns) != nullptr) {
      rows.push_back({"gS", FormatFixed2(SelfWeightOf(design.columns)), "kN/m",
                      "Eigengewicht der Stützen, in ihrer Normalkraft"});
    }
    if (SectionOf(design.beam) != nullptr) {
      rows.push_back({"gR", FormatFixed2(SelfWeightOf(design.beam)), "kN/m",
                      std::string("Eigengewicht des Riegels: Lastfall ") + kSelfWeightCaseName});
    }
  }
}

void CaseRows(std::vector<ListRow>& rows, const DesignResult& result) {
  for (const DesignCase& loadCase : result.cases) {
    rows.push_back({"Lastfall", loadCase.name, "", ActionText(loadCase), false});
    const LoadCase& loads = loadCase.loads;
    const std::tuple<const char*, double, const char*> values[] = {{"q", loads.q, "kN/m"},
                                                                   {"F", loads.F, "kN"},
                                                                   {"a", loads.a, "m"},
                                                                   {"wD", loads.wD, "kN/m"},
                                                                   {"wS", loads.wS, "kN/m"}};
    for (const auto& [symbol, value, unit] : values) {
      // The place of a point load only where there is one.
      const bool shown = std::string_view(symbol) == "a" ? loads.F != 0 : value != 0;
      if (shown) {
        rows.push_back({symbol, FormatFixed2(value), unit});
      }
    }
  }
}

// αcr with its mode, the columns' buckling lengths, φ and the theory the design forces take.
void StabilityRows(std::vector<ListRow>& rows, const CombinationStability& st) {
  const Verdict stable = st.unstable ? Verdict::NotMet : Verdict::None;
  if (std::isfinite(st.critical.factor)) {
    rows.push_back({"αcr", FormatFixed2(st.critical.factor), "",
                    std::string(ModeName(st.critical.mode)) +
                        (st.unstable ? "; instabil (αcr ≤ 1): keine Bemessungsschnittgrößen" : ""),
                    true, stable});
  } else {
    rows.push_back({"αcr", "—", "", "kein Druck", false});
  }
  const char* const columns[] = {"Lcr links", "Lcr rechts"};
  for (std::size_t i = 0; i < 2; ++i) {
    if (const std::optional<double>& length = st.columnBucklingLength[i]) {
      rows.push_back({columns[i], FormatFixed2(*length), "m", "Knicklänge der Stütze aus αcr"});
    }
  }
  rows.push_back(
      {"φ", ImperfectionText(st.imperfection), "", "Schiefstellung φ0 · αh · αm", false});
  rows.push_back({"Theorie", st.unstable ? "—" : TheoryName(st), "",
                  st.secondOrder ? "αcr < 10" : "αcr ≥ 10", false, stable});
}

void CombinationRows(std::vector<ListRow>& rows, const DesignResult& result) {
  const CheckSettings& settings = result.design.settings;
  for (const CombinationResult& c : result.combinations) {
    rows.push_back({c.combination.id, c.combination.label, "", "", false});
    // The design forces beside the first-order values, by symbol.
    std::vector<ResultValue> design;
    if (c.stability) {
      design = DesignValuesOf(*c.stability);
    }
    for (const ResultValue& value : ResultValuesOf(c)) {
      if (!value.value) {
        rows.push_back({value.symbol, "—", value.unit,
                        "nicht berechenbar: " + c.solution.deformationFault, false});
        continue;
      }
      const auto same = std::find_if(design.begin(), design.end(), [&](const ResultValue& d) {
        return std::string_view(d.symbol) == value.symbol;
      });
      rows.push_back({value.symbol, FormatFixed2(*value.value), value.unit,
                      same == design.end()
                          ? ""
                          : "Bemessung: " + FormatFixed2(*same->value) + " " + value.unit});
    }
    if (c.stability) {
      StabilityRows(rows, *c.stability);
    }
    if (c.columns) {
      rows.push_back(MemberRow("ηS", *c.columns, ""));
    }
    if (c.beam) {
      rows.push_back(MemberRow("ηR", *c.beam, ""));
    }
    if (c.check.sway) {
      rows.push_back(LimitRow("h/u", *c.check.sway, settings.swayLimit, ""));
    }
    if (c.check.deflection) {
      rows.push_back(LimitRow("L/w", *c.check.deflection, settings.deflectionLimit, ""));
    }
  }
}

void EnvelopeRows(std::vector<ListRow>& rows, const DesignResult& result) {
  if (!HasEnvelope(result)) {
    return;
  }
  const InputSet in = InputsOf(result.portal, LoadCase{});
  for (const Member member : {Member::LeftColumn, Member::Beam, Member::RightColumn}) {
    rows.push_back({"Umhüllende", MemberName(member), "", "über alle GZT-Kombinationen", false});
    const MemberEnvelope& envelope = result.envelope[static_cast<std::size_t>(member)];
    const std::tuple<const char*, const ForceEnvelope&, const char*> forces[] = {
        {"M", envelope.M, "kNm"}, {"Q", envelope.Q, "kN"}, {"N", envelope.N, "kN"}};
    for (const auto& [symbol, force, unit] : forces) {
      for (const auto* extreme : {&force.max, &force.min}) {
        rows.push_back({(extreme == &force.max ? "max " : "min ") + std::string(symbol),
                        FormatFixed2(extreme->value), unit,
                        IdOf(result, extreme->by) + ", " + PositionOn(in, member, extreme->s)});
      }
    }
  }
}

// A member's checks: each one's largest η with its combination and place, the values of the
// governing combination's checks, and the member's η and verdict.
void GoverningMemberRows(std::vector<ListRow>& rows, const DesignResult& result,
                         const MemberEntry& member) {
  const GoverningMember& governing = *member.check;
  const MemberDesign& check = governing.check;
  rows.push_back({member.name, "", "", "", false});
  for (const MemberCheckKind kind : kMemberCheckKinds) {
    const GoverningMember::Largest& largest = LargestOf(governing, kind);
    const std::optional<MemberDesign>& at = MemberOf(result, member, largest.combination);
    rows.push_back({CheckName(kind), EtaText(largest.eta), "",
                    IdOf(result, largest.combination) + (at ? ", " + CheckPlace(*at, kind) : ""),
                    true, largest.eta <= 1 ? Verdict::Met : Verdict::NotMet});
  }
  if (!check.unstable) {
    const MemberVerification& v = check.verification;
    const std::string id = IdOf(result, governing.combination);
    rows.push_back({"Klasse", std::to_string(v.crossSection.sectionClass), "",
                    id + ", " + check.crossSectionPlace, false});
    const std::tuple<const char*, double, const char*> values[] = {
        {"χy", v.bucklingY.chi, ""},
        {"χz", v.bucklingZ.chi, ""},
        {"χLT", v.lateralTorsional.chi, ""},
        {"λ̄y", v.bucklingY.lambda, ""},
        {"λ̄z", v.bucklingZ.lambda, ""},
        {"λ̄LT", v.lateralTorsional.lambda, ""},
        {"Mcr", v.lateralTorsional.Mcr, "kNm"},
        {"C1", v.lateralTorsional.C1, ""}};
    for (const auto& [symbol, value, unit] : values) {
      rows.push_back({symbol, FormatFixed2(value), unit, id});
    }
  }
  rows.push_back(MemberRow(member.symbol, check, IdOf(result, governing.combination) + ", "));
}

void GoverningRows(std::vector<ListRow>& rows, const DesignResult& result) {
  rows.push_back({"Nachweise", "maßgebend über alle Kombinationen", "", "", false});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (member.check) {
      GoverningMemberRows(rows, result, member);
    }
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (limit.check) {
      rows.push_back(LimitRow(limit.symbol, limit.check->check, limit.limit,
                              IdOf(result, limit.check->combination) + ": "));
    }
  }
  if (result.checks.columns || result.checks.beam) {
    rows.push_back({"Hinweis", kDesignCheckStatement, "", "", false});
  }
}

}  // namespace

std::vector<ListRow> DesignRows(const DesignResult& result) {
  std::vector<ListRow> rows;
  PortalRows(rows, result);
  CaseRows(rows, result);
  CombinationRows(rows, result);
  EnvelopeRows(rows, result);
  GoverningRows(rows, result);
  return rows;
}

std::vector<ListRow> WithDesignRows(std::vector<ListRow> rows, const DesignResult* design) {
  if (design != nullptr) {
    const std::vector<ListRow> more = DesignRows(*design);
    rows.insert(rows.end(), more.begin(), more.end());
  }
  return rows;
}

}  // namespace strevo
