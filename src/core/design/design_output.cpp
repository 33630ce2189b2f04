#include "design_output.h"

#include <algorithm>
#include <array>
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
  std::string text = JsonNumber(value);
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
    w.Field("factor", JsonNumber(factor.factor));
    w.Close('}');
  }
  w.Close(']');
}

void CombinationJson(JsonWriter& w, const DesignResult& result, const CombinationResult& c) {
  w.Open('{');
  w.Field("id", JsonString(c.combination.id));
  w.Field("limitState", JsonString(LimitStateName(c.combination.state)));
  w.Field("label", JsonString(c.combination.label));
  FactorsJson(w, result, c.combination);
  w.Key("results");
  w.Open('{');
  for (const ResultValue& value : ResultValuesOf(c)) {
    w.Field(value.symbol, value.value ? JsonNumber(*value.value) : "null");
  }
  w.Close('}');
  w.Close('}');
}

void ChecksJson(JsonWriter& w, const DesignResult& result) {
  w.Key("checks");
  w.Open('{');
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check) {
      continue;
    }
    const MemberCheck& check = member.check->check;
    w.Key(member.key);
    w.Open('{');
    w.Field("eta", JsonNumber(check.Eta()));
    w.Field("combination", JsonString(IdOf(result, member.check->combination)));
    w.Field("place", JsonString(check.EtaPlace()));
    w.Field("met", Bool(CheckMet(check)));
    if (!check.fault.empty()) {
      w.Field("fault", JsonString(check.fault));
    }
    w.Close('}');
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (!limit.check) {
      continue;
    }
    w.Key(limit.key);
    w.Open('{');
    w.Field("ratio", JsonNumber(limit.check->check.ratio));
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
    csv += CsvLine(fields);
  }
  return csv;
}

std::string CsvChecks(const DesignResult& result) {
  std::string csv = CsvLine({"Nachweis", "Wert", "Grenze", "Kombination", "Stelle", "erfüllt"});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (member.check) {
      const MemberCheck& check = member.check->check;
      const bool computed = check.fault.empty();
      csv += CsvLine({std::string(member.name) + " η", computed ? CsvNumber(check.Eta()) : "", "1",
                      IdOf(result, member.check->combination),
                      computed ? check.EtaPlace() : "Nachweis nicht berechenbar: " + check.fault,
                      CheckMet(check) ? "ja" : "nein"});
    }
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (limit.check) {
      csv += CsvLine({limit.name, CsvNumber(limit.check->check.ratio), std::to_string(limit.limit),
                      IdOf(result, limit.check->combination), "",
                      limit.check->check.met ? "ja" : "nein"});
    }
  }
  return csv;
}

// Rows of the list.

const char* Verdicted(bool met) {
  return met ? "Nachweis erfüllt" : "Nachweis nicht erfüllt";
}

ListRow MemberRow(const char* symbol, const MemberCheck& check, const std::string& prefix) {
  if (!check.fault.empty()) {
    return {symbol,         "—", "", prefix + "Nachweis nicht berechenbar: " + check.fault, false,
            Verdict::NotMet};
  }
  const bool met = CheckMet(check);
  return {symbol, FormatFixed2(check.Eta()),
          "",     prefix + check.EtaPlace() + ": " + Verdicted(met),
          true,   met ? Verdict::Met : Verdict::NotMet};
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

void CombinationRows(std::vector<ListRow>& rows, const DesignResult& result) {
  const CheckSettings& settings = result.design.settings;
  for (const CombinationResult& c : result.combinations) {
    rows.push_back({c.combination.id, c.combination.label, "", "", false});
    for (const ResultValue& value : ResultValuesOf(c)) {
      if (value.value) {
        rows.push_back({value.symbol, FormatFixed2(*value.value), value.unit});
      } else {
        rows.push_back({value.symbol, "—", value.unit,
                        "nicht berechenbar: " + c.solution.deformationFault, false});
      }
    }
    if (c.check.columns) {
      rows.push_back(MemberRow("ηS", *c.check.columns, ""));
    }
    if (c.check.beam) {
      rows.push_back(MemberRow("ηR", *c.check.beam, ""));
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

void GoverningRows(std::vector<ListRow>& rows, const DesignResult& result) {
  rows.push_back({"Nachweise", "maßgebend über alle Kombinationen", "", "", false});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (member.check) {
      rows.push_back(MemberRow(member.symbol, member.check->check,
                               IdOf(result, member.check->combination) + ", "));
    }
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (limit.check) {
      rows.push_back(LimitRow(limit.symbol, limit.check->check, limit.limit,
                              IdOf(result, limit.check->combination) + ": "));
    }
  }
}

}  // namespace

bool HasEnvelope(const DesignResult& result) {
  return std::any_of(
      result.combinations.begin(), result.combinations.end(),
      [](const CombinationResult& c) { return c.combination.state == LimitState::Ultimate; });
}

bool CheckMet(const MemberCheck& check) {
  return check.fault.empty() && check.Eta() <= 1;
}

std::vector<ResultValue> ResultValuesOf(const CombinationResult& combination) {
  const SharedResults& r = combination.values;
  std::vector<ResultValue> values{
      {"AH", "kN", r.AH}, {"AV", "kN", r.AV},  {"MA", "kNm", r.MA}, {"BH", "kN", r.BH},
      {"BV", "kN", r.BV}, {"MB", "kNm", r.MB}, {"M1", "kNm", r.M1}, {"N1", "kN", r.N1},
      {"Q1", "kN", r.Q1}, {"M2", "kNm", r.M2}, {"N2", "kN", r.N2},  {"Q2", "kN", r.Q2},
      {"X3", "m", r.X3},  {"M3", "kNm", r.M3}, {"M4", "kNm", r.M4}, {"N4", "kN", r.N4},
      {"Q4", "kN", r.Q4}, {"M5", "kNm", r.M5}, {"N5", "kN", r.N5},  {"Q5", "kN", r.Q5}};
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

int ExitStatusOf(const DesignResult& result) {
  return result.checks.AllMet() ? 0 : 1;
}

}  // namespace strevo
