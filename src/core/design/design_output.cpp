#include "design_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <tuple>

#include "json.h"
#include "member_forces.h"
#include "text_rules.h"

namespace strevo {
namespace {

// Pretty-printed JSON, two blanks a level: each member and item on a line of its own.
class JsonWriter {
 public:
  void Key(std::string_view key) {
    Item();
    out_ += JsonString(key);
    out_ += ": ";
    afterKey_ = true;
  }
  void Value(std::string_view text) {
    Item();
    out_ += text;
  }
  void Open(char bracket) {
    Item();
    out_ += bracket;
    ++depth_;
    empty_ = true;
  }
  void Close(char bracket) {
    --depth_;
    if (!empty_) {
      Indent();
    }
    out_ += bracket;
    empty_ = false;
  }
  void Field(std::string_view key, std::string_view value) {
    Key(key);
    Value(value);
  }
  std::string Text() && { return std::move(out_) + "\n"; }

 private:
  void Item() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (depth_ > 0) {
      if (!empty_) {
        out_ += ',';
      }
      Indent();
    }
    empty_ = false;
  }
  void Indent() {
    out_ += '\n';
    out_.append(2 * static_cast<std::size_t>(depth_), ' ');
  }

  std::string out_;
  int depth_ = 0;
  bool empty_ = true, afterKey_ = false;
};

const char* Bool(bool value) {
  return value ? "true" : "false";
}

// Full precision with a decimal comma, as German spreadsheets read a number.
std::string CsvNumber(double value) {
  std::string text = ShortestNumber(value);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line += ';';
    }
    line += CsvField(fields[i]);
  }
  return line + "\r\n";
}

// AH … Q5 with X3 and M3, as every form names them.
std::vector<ResultValue> SharedValuesOf(const SharedResults& r) {
  return {{"AH", "kN", r.AH}, {"AV", "kN", r.AV},  {"MA", "kNm", r.MA}, {"BH", "kN", r.BH},
          {"BV", "kN", r.BV}, {"MB", "kNm", r.MB}, {"M1", "kNm", r.M1}, {"N1", "kN", r.N1},
          {"Q1", "kN", r.Q1}, {"M2", "kNm", r.M2}, {"N2", "kN", r.N2},  {"Q2", "kN", r.Q2},
          {"X3", "m", r.X3},  {"M3", "kNm", r.M3}, {"M4", "kNm", r.M4}, {"N4", "kN", r.N4},
          {"Q4", "kN", r.Q4}, {"M5", "kNm", r.M5}, {"N5", "kN", r.N5},  {"Q5", "kN", r.Q5}};
}

const std::string& IdOf(const DesignResult& result, std::size_t combination) {
  return result.combinations[combination].combination.id;
}

// The governing checks in their order, each with its name in the forms and its limit.
struct LimitEntry {
  const char* key;     // "sway", as the JSON names it
  const char* name;    // "Verschiebung h/u"
  const char* symbol;  // "h/u"
  const std::optional<GoverningLimit>& check;
  int limit;
};
std::array<LimitEntry, 2> LimitEntries(const DesignResult& result) {
  const CheckSettings& settings = result.design.settings;
  return {{{"sway", "Verschiebung h/u", "h/u", result.checks.sway, settings.swayLimit},
           {"deflection", "Durchbiegung L/w", "L/w", result.checks.deflection,
            settings.deflectionLimit}}};
}
struct MemberEntry {
  const char* key;     // "columns"
  const char* name;    // "Stützen"
  const char* symbol;  // "ηS"
  const std::optional<GoverningMember>& check;
};
std::array<MemberEntry, 2> MemberEntries(const DesignResult& result) {
  return {{{"columns", "Stützen", "ηS", result.checks.columns},
           {"beam", "Riegel", "ηR", result.checks.beam}}};
}

const char* EtaKey(MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return "etaCrossSection";
    case MemberCheckKind::BucklingY:
      return "etaBucklingY";
    case MemberCheckKind::BucklingZ:
      return "etaBucklingZ";
    case MemberCheckKind::LateralTorsional:
      return "etaLTB";
    case MemberCheckKind::Interaction:
      break;
  }
  return "etaInteraction";
}

// The member's checks in a combination.
const std::optional<MemberDesign>& MemberOf(const DesignResult& result, const MemberEntry& member,
                                            std::size_t combination) {
  const CombinationResult& c = result.combinations[combination];
  return std::string_view(member.key) == "columns" ? c.columns : c.beam;
}

// Which check governs and where: "Biegedrillknicken, Riegel zwischen … und …"; why there is no
// utilisation where the portal is unstable.
std::string GoverningText(const MemberDesign& check) {
  if (check.unstable) {
    return "Rahmen instabil (αcr ≤ 1)";
  }
  const MemberCheckKind kind = GoverningCheck(check);
  std::string text = std::string(CheckName(kind)) + ", " + CheckPlace(check, kind);
  if (!check.verification.covered) {
    text += "; Querschnittsklasse 4: nicht abgedeckt";
  }
  return text;
}

void FactorsJson(JsonWriter& w, const DesignResult& result, const Combination& combination) {
  w.Key("factors");
  w.Open('[');
  for (const CaseFactor& factor : combination.factors) {
    const DesignCase& loadCase = result.cases[factor.loadCase];
    w.Open('{');
    w.Field("case", JsonString(loadCase.name));
    if (loadCase.action == Action::Wind) {
      w.Field("direction", factor.mirrored ? "\"rechts\"" : "\"links\"");
    }
    w.Field("factor", ShortestNumber(factor.factor));
    w.Close('}');
  }
  w.Close(']');
}

void ValuesJson(JsonWriter& w, std::string_view key, const std::vector<ResultValue>& values) {
  w.Key(key);
  w.Open('{');
  for (const ResultValue& value : values) {
    w.Field(value.symbol, value.value ? ShortestNumber(*value.value) : "null");
  }
  w.Close('}');
}

void CombinationJson(JsonWriter& w, const DesignResult& result, const CombinationResult& c) {
  w.Open('{');
  w.Field("id", JsonString(c.combination.id));
  w.Field("limitState", JsonString(LimitStateName(c.combination.state)));
  w.Field("label", JsonString(c.combination.label));
  FactorsJson(w, result, c.combination);
  ValuesJson(w, "results", ResultValuesOf(c));
  if (const std::optional<CombinationStability>& st = c.stability) {
    w.Key("alphaCr");
    if (std::isfinite(st->critical.factor)) {
      w.Open('{');
      w.Field("value", ShortestNumber(st->critical.factor));
      w.Field("mode", st->critical.mode == BucklingMode::Sway ? "\"sway\"" : "\"symmetric\"");
      w.Close('}');
    } else {
      w.Value("null");
    }
    w.Field("imperfection", ShortestNumber(st->imperfection));
    w.Field("secondOrder", Bool(st->secondOrder));
    if (st->unstable) {
      w.Field("resultsDesign", "null");
    } else {
      ValuesJson(w, "resultsDesign", DesignValuesOf(*st));
    }
  }
  w.Close('}');
}

// A utilisation; null where there is none to give (the portal unstable).
std::string EtaJson(double eta) {
  return std::isfinite(eta) ? ShortestNumber(eta) : "null";
}

void ChecksJson(JsonWriter& w, const DesignResult& result) {
  w.Key("checks");
  w.Open('{');
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check) {
      continue;
    }
    const GoverningMember& governing = *member.check;
    const MemberDesign& check = governing.check;
    w.Key(member.key);
    w.Open('{');
    w.Field("eta", EtaJson(check.Eta()));
    for (const MemberCheckKind kind : kMemberCheckKinds) {
      w.Field(EtaKey(kind),
              check.unstable ? "null" : ShortestNumber(LargestOf(governing, kind).eta));
    }
    w.Field("combination", JsonString(IdOf(result, governing.combination)));
    w.Field("place", JsonString(check.unstable ? "" : CheckPlace(check, GoverningCheck(check))));
    w.Field("met", Bool(check.Met()));
    if (check.unstable) {
      w.Field("unstable", "true");
    } else if (!check.verification.covered) {
      w.Field("covered", "false");
    }
    w.Close('}');
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (!limit.check) {
      continue;
    }
    w.Key(limit.key);
    w.Open('{');
    w.Field("ratio", ShortestNumber(limit.check->check.ratio));
    w.Field("limit", std::to_string(limit.limit));
    w.Field("combination", JsonString(IdOf(result, limit.check->combination)));
    w.Field("met", Bool(limit.check->check.met));
    w.Close('}');
  }
  w.Close('}');
}

// The columns of the factors: one per case, two for a wind case (from the left, mirrored).
struct FactorColumn {
  std::size_t loadCase;
  bool mirrored;
};
std::vector<FactorColumn> FactorColumns(const DesignResult& result) {
  std::vector<FactorColumn> columns;
  for (std::size_t i = 0; i < result.cases.size(); ++i) {
    columns.push_back({i, false});
    if (result.cases[i].action == Action::Wind) {
      columns.push_back({i, true});
    }
  }
  return columns;
}

std::string FactorColumnTitle(const DesignResult& result, const FactorColumn& column) {
  const DesignCase& loadCase = result.cases[column.loadCase];
  if (loadCase.action != Action::Wind) {
    return loadCase.name;
  }
  return loadCase.name + (column.mirrored ? " (rechts)" : " (links)");
}

std::string CsvCombinations(const DesignResult& result) {
  const std::vector<FactorColumn> columns = FactorColumns(result);
  std::vector<std::string> header{"Kombination", "Grenzzustand", "Bezeichnung"};
  for (const FactorColumn& column : columns) {
    header.push_back(FactorColumnTitle(result, column));
  }
  // The symbols and units are the same for every combination.
  for (const ResultValue& value : ResultValuesOf(CombinationResult{})) {
    header.push_back(std::string(value.symbol) + " [" + value.unit + "]");
  }
  header.insert(header.end(), {"αcr", "Modus", "Lcr links [m]", "Lcr rechts [m]", "φ", "Theorie"});
  const std::vector<ResultValue> designValues = DesignValuesOf(CombinationStability{});
  for (const ResultValue& value : designValues) {
    header.push_back(std::string(value.symbol) + ",d [" + value.unit + "]");
  }
  std::string csv = CsvLine(header);
  for (const CombinationResult& c : result.combinations) {
    std::vector<std::string> fields{c.combination.id, LimitStateName(c.combination.state),
                                    c.combination.label};
    for (const FactorColumn& column : columns) {
      const auto factor = std::find_if(
          c.combination.factors.begin(), c.combination.factors.end(), [&](const CaseFactor& f) {
            return f.loadCase == column.loadCase && f.mirrored == column.mirrored;
          });
      fields.push_back(factor == c.combination.factors.end() ? "" : CsvNumber(factor->factor));
    }
    for (const ResultValue& value : ResultValuesOf(c)) {
      fields.push_back(value.value ? CsvNumber(*value.value) : "");
    }
    if (const std::optional<CombinationStability>& st = c.stability) {
      const bool finite = std::isfinite(st->critical.factor);
      fields.push_back(finite ? CsvNumber(st->critical.factor) : "");
      fields.emplace_back(finite ? ModeName(st->critical.mode) : "kein Druck");
      for (const std::optional<double>& length : st->columnBucklingLength) {
        fields.push_back(length ? CsvNumber(*length) : "");
      }
      fields.push_back(CsvNumber(st->imperfection));
      fields.emplace_back(st->unstable ? "instabil" : TheoryName(*st));
      for (const ResultValue& value : DesignValuesOf(*st)) {
        fields.push_back(CsvNumber(*value.value));
      }
    }
    fields.resize(header.size());
    csv += CsvLine(fields);
  }
  return csv;
}

std::string CsvChecks(const DesignResult& result) {
  std::string csv = CsvLine({"Nachweis", "Wert", "Grenze", "Kombination", "Stelle", "erfüllt"});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check) {
      continue;
    }
    const GoverningMember& governing = *member.check;
    const MemberDesign& check = governing.check;
    const std::string name = member.name;
    csv += CsvLine({name + " η", check.unstable ? "" : CsvNumber(check.Eta()), "1",
                    IdOf(result, governing.combination), GoverningText(check),
                    check.Met() ? "ja" : "nein"});
    for (const MemberCheckKind kind : kMemberCheckKinds) {
      const GoverningMember::Largest& largest = LargestOf(governing, kind);
      const std::optional<MemberDesign>& at = MemberOf(result, member, largest.combination);
      csv += CsvLine({name + " " + CheckName(kind), CsvNumber(largest.eta), "1",
                      IdOf(result, largest.combination), at ? CheckPlace(*at, kind) : "",
                      largest.eta <= 1 ? "ja" : "nein"});
    }
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (limit.check) {
      csv += CsvLine({limit.name, CsvNumber(limit.check->check.ratio), std::to_string(limit.limit),
                      IdOf(result, limit.check->combination), "",
                      limit.check->check.met ? "ja" : "nein"});
    }
  }
  if (!result.checks.columns && !result.checks.beam) {
    return csv;
  }
  // The governing combination's values of each member's checks.
  csv += "\r\n" + CsvLine({"Stab", "Kombination", "maßgebend", "Klasse", "χy", "χz", "χLT", "λ̄y",
                           "λ̄z", "λ̄LT", "Mcr [kNm]", "C1"});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check || member.check->check.unstable) {
      continue;
    }
    const MemberVerification& v = member.check->check.verification;
    csv += CsvLine({member.name, IdOf(result, member.check->combination),
                    CheckName(GoverningCheck(member.check->check)),
                    std::to_string(v.crossSection.sectionClass), CsvNumber(v.bucklingY.chi),
                    CsvNumber(v.bucklingZ.chi), CsvNumber(v.lateralTorsional.chi),
                    CsvNumber(v.bucklingY.lambda), CsvNumber(v.bucklingZ.lambda),
                    CsvNumber(v.lateralTorsional.lambda), CsvNumber(v.lateralTorsional.Mcr),
                    CsvNumber(v.lateralTorsional.C1)});
  }
  return csv + "\r\n" + CsvLine({kDesignCheckStatement});
}

// Rows of the list.

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

bool HasEnvelope(const DesignResult& result) {
  return std::any_of(
      result.combinations.begin(), result.combinations.end(),
      [](const CombinationResult& c) { return c.combination.state == LimitState::Ultimate; });
}

const char* CheckName(MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return "Querschnitt";
    case MemberCheckKind::BucklingY:
      return "Biegeknicken y";
    case MemberCheckKind::BucklingZ:
      return "Biegeknicken z";
    case MemberCheckKind::LateralTorsional:
      return "Biegedrillknicken";
    case MemberCheckKind::Interaction:
      break;
  }
  return "Interaktion";
}

double CheckEta(const MemberVerification& v, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return v.crossSection.eta;
    case MemberCheckKind::BucklingY:
      return v.bucklingY.eta;
    case MemberCheckKind::BucklingZ:
      return v.bucklingZ.eta;
    case MemberCheckKind::LateralTorsional:
      return v.lateralTorsional.eta;
    case MemberCheckKind::Interaction:
      break;
  }
  return v.interaction.eta;
}

const std::string& CheckPlace(const MemberDesign& design, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return design.crossSectionPlace;
    case MemberCheckKind::BucklingY:
    case MemberCheckKind::BucklingZ:
      return design.bucklingPlace;
    case MemberCheckKind::LateralTorsional:
      return design.lateralTorsionalPlace;
    case MemberCheckKind::Interaction:
      break;
  }
  return design.interactionPlace;
}

MemberCheckKind GoverningCheck(const MemberDesign& design) {
  MemberCheckKind governing = MemberCheckKind::CrossSection;
  for (const MemberCheckKind kind : kMemberCheckKinds) {
    if (CheckEta(design.verification, kind) > CheckEta(design.verification, governing)) {
      governing = kind;
    }
  }
  return governing;
}

const GoverningMember::Largest& LargestOf(const GoverningMember& governing, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return governing.crossSection;
    case MemberCheckKind::BucklingY:
      return governing.bucklingY;
    case MemberCheckKind::BucklingZ:
      return governing.bucklingZ;
    case MemberCheckKind::LateralTorsional:
      return governing.lateralTorsional;
    case MemberCheckKind::Interaction:
      break;
  }
  return governing.interaction;
}

const char* ModeName(BucklingMode mode) {
  return mode == BucklingMode::Sway ? "Seitenverschiebung" : "symmetrisch";
}

const char* TheoryName(const CombinationStability& stability) {
  return stability.secondOrder ? "Theorie II. Ordnung" : "Theorie I. Ordnung";
}

std::string ImperfectionText(double phi) {
  return "1/" + std::to_string(std::lround(1 / phi));
}

std::vector<ResultValue> DesignValuesOf(const CombinationStability& stability) {
  if (stability.unstable) {
    return {};
  }
  std::vector<ResultValue> values = SharedValuesOf(stability.designValues);
  values.push_back({"u", "mm", stability.design.sway * 1000});
  return values;
}

std::vector<ResultValue> ResultValuesOf(const CombinationResult& combination) {
  std::vector<ResultValue> values = SharedValuesOf(combination.values);
  const std::optional<Deformation>& d = combination.solution.deformation;
  values.push_back({"u", "mm", d ? std::optional(d->u) : std::nullopt});
  values.push_back({"w", "mm", d ? std::optional(d->w) : std::nullopt});
  values.push_back({"xw", "m", d ? std::optional(d->xw) : std::nullopt});
  return values;
}

std::string ActionText(const DesignCase& loadCase) {
  const std::string psi0 = ", ψ0 = " + FormatFixed2(Psi0(loadCase));
  switch (loadCase.action) {
    case Action::Permanent:
      return "ständig (G)";
    case Action::Imposed:
      return std::string("Nutzlast (Q), Kategorie ") + loadCase.category + psi0;
    case Action::Snow:
      return std::string("Schnee (S)") + (loadCase.over1000m ? " über 1000 m" : "") + psi0;
    case Action::Wind:
      break;
  }
  return "Wind (W) von links" + psi0;
}

std::string DesignResultJson(const DesignResult& result) {
  JsonWriter w;
  w.Open('{');
  w.Field("format", JsonString("strevo-ergebnis"));
  w.Field("version", "1");
  w.Key("combinations");
  w.Open('[');
  for (const CombinationResult& c : result.combinations) {
    CombinationJson(w, result, c);
  }
  w.Close(']');
  ChecksJson(w, result);
  w.Close('}');
  return std::move(w).Text();
}

std::string DesignResultCsv(const DesignResult& result) {
  return "\xEF\xBB\xBF" + CsvCombinations(result) + "\r\n" + CsvChecks(result);
}

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

namespace {

void WritePair(JsonWriter& w, const TriedPair& pair, const CheckSettings& settings) {
  w.Field("columns", JsonString(pair.columns->designation));
  w.Field("beam", JsonString(pair.beam->designation));
  w.Field("mass", ShortestNumber(pair.mass));
  if (!pair.passes) {
    w.Field("failure", JsonString(pair.failure));
    return;
  }
  w.Key("eta");
  w.Open('{');
  w.Field("columns", ShortestNumber(pair.etaColumns));
  w.Field("beam", ShortestNumber(pair.etaBeam));
  // A limit as a utilisation: 1/n against 1/limit; 0 where nothing moves.
  w.Field("sway", ShortestNumber(pair.sway > 0 ? settings.swayLimit / pair.sway : 0));
  w.Field("deflection",
          ShortestNumber(pair.deflection > 0 ? settings.deflectionLimit / pair.deflection : 0));
  w.Close('}');
}

}  // namespace

std::string SectionSearchJson(const SectionSearch& search) {
  JsonWriter w;
  w.Open('{');
  if (search.passing.empty()) {
    for (const char* key : {"columns", "beam", "mass", "eta"}) {
      w.Field(key, "null");
    }
  } else {
    WritePair(w, search.passing.front(), search.settings);
  }
  w.Key("alternatives");
  w.Open('[');
  for (std::size_t i = 1; i < search.passing.size(); ++i) {
    w.Open('{');
    WritePair(w, search.passing[i], search.settings);
    w.Close('}');
  }
  w.Close(']');
  w.Key("lighterFailing");
  w.Open('[');
  for (const TriedPair& pair : search.lighterFailing) {
    w.Open('{');
    WritePair(w, pair, search.settings);
    w.Close('}');
  }
  w.Close(']');
  if (search.passing.empty()) {
    w.Key("suggestions");
    w.Open('[');
    for (const std::string& s : search.suggestions) {
      w.Value(JsonString(s));
    }
    w.Close(']');
  }
  w.Field("pairs", ShortestNumber(static_cast<double>(search.pairs)));
  w.Field("decided", ShortestNumber(static_cast<double>(search.decided)));
  w.Close('}');
  return std::move(w).Text();
}

std::string EtaText(double eta) {
  if (!std::isfinite(eta)) {
    return "∞";
  }
  // The factor keeps a product such as 0.5·100 from rounding up past its own hundredth.
  return FormatFixed2(std::ceil(eta * 100 * (1 - 1e-12)) / 100);
}

int ExitStatusOf(const DesignResult& result) {
  return result.checks.AllMet() ? 0 : 1;
}

}  // namespace strevo
