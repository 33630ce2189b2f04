// The forms a computed design leaves the program in, against the result they are written from:
// the JSON read back, the CSV in German spreadsheet form, and the list rows.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_file.h"
#include "core/design/design_output.h"
#include "json_lookup.h"

namespace strevo {
namespace {

const DesignResult& Example() {
  static const DesignResult result = ComputeDesign(ReadDesignFile(STREVO_DESIGN_EXAMPLE));
  return result;
}

// Both members as bare second moments of area, a roof load and wind; no self-weight.
Design BareDesign() {
  Design design;
  design.system = SystemType::FixedFrame;
  design.h = 5;
  design.L = 12;
  design.columns.I = 20000;
  design.beam.I = 40000;
  design.loadCases = {{"Dach", Action::Permanent, 'A', false, {3, 0, 0, 0, 0}},
                      {"Wind; Nord \"West\"", Action::Wind, 'A', false, {0, 0, 0, 0.8, 0.4}}};
  return design;
}

using testing::Get;

std::vector<std::string> Keys(const JsonValue& object) {
  std::vector<std::string> keys;
  for (const JsonMember& member : object.members) {
    keys.push_back(member.key);
  }
  return keys;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, from)) {
    lines.push_back(text.substr(from, at - from));
    from = at + end.size();
  }
  EXPECT_EQ(from, text.size()) << "the last line is ended too";
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (c == ';' && !quoted) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  return fields;
}

// A whole number as a German spreadsheet reads it: decimal comma, no point.
bool GermanNumber(std::string text) {
  if (text.empty() || text.find('.') != std::string::npos) {
    return false;
  }
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "0.00" style: digits, a point and exactly two decimals, a minus in front at most.
bool Fixed2(const std::string& text) {
  const std::size_t digits = text.starts_with('-') ? 1 : 0;
  if (text.size() < digits + 4 || text[text.size() - 3] != '.') {
    return false;
  }
  for (std::size_t i = digits; i < text.size(); ++i) {
    if (i != text.size() - 3 && (text[i] < '0' || text[i] > '9')) {
      return false;
    }
  }
  return true;
}

const ListRow* Row(const std::vector<ListRow>& rows, const std::string& symbol) {
  for (const ListRow& row : rows) {
    if (row.symbol == symbol) {
      return &row;
    }
  }
  return nullptr;
}

TEST(DesignResultJson, ReadsBackAsTheCombinationsAndNumbersOfTheResult) {
  const DesignResult& result = Example();
  const JsonValue root = ParseJson(DesignResultJson(result));
  EXPECT_EQ(Keys(root), (std::vector<std::string>{"format", "version", "combinations", "checks"}));
  EXPECT_EQ(Get(root, "format").text, "strevo-ergebnis");
  EXPECT_EQ(Get(root, "version").number, 1);
  const JsonValue& combinations = Get(root, "combinations");
  ASSERT_EQ(combinations.items.size(), result.combinations.size());
  const std::vector<std::string> symbols{"AH", "AV", "MA", "BH", "BV", "MB", "M1", "N1",
                                         "Q1", "M2", "N2", "Q2", "X3", "M3", "M4", "N4",
                                         "Q4", "M5", "N5", "Q5", "u",  "w",  "xw"};
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    const CombinationResult& c = result.combinations[i];
    const JsonValue& json = combinations.items[i];
    std::vector<std::string> keys{"id", "limitState", "label", "factors", "results"};
    if (c.stability) {
      keys.insert(keys.end(), {"alphaCr", "imperfection", "secondOrder", "resultsDesign"});
    }
    EXPECT_EQ(Keys(json), keys);
    EXPECT_EQ(Get(json, "id").text, c.combination.id);
    EXPECT_EQ(Get(json, "limitState").text, c.combination.id.substr(0, 3));
    EXPECT_EQ(Get(json, "label").text, c.combination.label);
    const JsonValue& factors = Get(json, "factors");
    ASSERT_EQ(factors.items.size(), c.combination.factors.size()) << c.combination.id;
    for (std::size_t f = 0; f < factors.items.size(); ++f) {
      const CaseFactor& factor = c.combination.factors[f];
      const DesignCase& loadCase = result.cases[factor.loadCase];
      const JsonValue& item = factors.items[f];
      EXPECT_EQ(Get(item, "case").text, loadCase.name);
      EXPECT_EQ(Get(item, "factor").number, factor.factor);
      if (loadCase.action == Action::Wind) {
        EXPECT_EQ(Keys(item), (std::vector<std::string>{"case", "direction", "factor"}));
        EXPECT_EQ(Get(item, "direction").text, factor.mirrored ? "rechts" : "links");
      } else {
        EXPECT_EQ(Keys(item), (std::vector<std::string>{"case", "factor"}));
      }
    }
    // Named one by one here, so that a value under the wrong key shows.
    const SharedResults& v = c.values;
    const Deformation& d = *c.solution.deformation;
    const std::vector<double> expected{v.AH, v.AV, v.MA, v.BH, v.BV, v.MB, v.M1, v.N1,
                                       v.Q1, v.M2, v.N2, v.Q2, v.X3, v.M3, v.M4, v.N4,
                                       v.Q4, v.M5, v.N5, v.Q5, d.u,  d.w,  d.xw};
    const JsonValue& results = Get(json, "results");
    ASSERT_EQ(Keys(results), symbols);
    for (std::size_t k = 0; k < symbols.size(); ++k) {
      EXPECT_EQ(results.members[k].value.number, expected[k]) << c.combination.id << symbols[k];
    }
    if (!c.stability) {
      continue;
    }
    const CombinationStability& st = *c.stability;
    EXPECT_EQ(Get(Get(json, "alphaCr"), "value").number, st.critical.factor);
    EXPECT_EQ(Get(Get(json, "alphaCr"), "mode").text, "sway") << "a portal sways first";
    EXPECT_EQ(Get(json, "imperfection").number, st.imperfection);
    EXPECT_EQ(Get(json, "secondOrder").boolean, st.critical.factor < 10);
    const SharedResults& dv = st.designValues;
    const std::vector<double> design{dv.AH, dv.AV, dv.MA, dv.BH, dv.BV, dv.MB, dv.M1,
                                     dv.N1, dv.Q1, dv.M2, dv.N2, dv.Q2, dv.X3, dv.M3,
                                     dv.M4, dv.N4, dv.Q4, dv.M5, dv.N5, dv.Q5};
    const JsonValue& resultsDesign = Get(json, "resultsDesign");
    ASSERT_EQ(Keys(resultsDesign), std::vector<std::string>(symbols.begin(), symbols.end() - 2));
    for (std::size_t k = 0; k < design.size(); ++k) {
      EXPECT_EQ(resultsDesign.members[k].value.number, design[k]) << c.combination.id;
    }
    EXPECT_EQ(Get(resultsDesign, "u").number, st.design.sway * 1000) << "in mm";
    // The imperfection adds no vertical load.
    EXPECT_NEAR(dv.AV + dv.BV, v.AV + v.BV, 1e-9 * (v.AV + v.BV)) << c.combination.id;
  }
}

// Independent of how the program names its values: the reactions of every combination in the
// JSON balance its factored loads (vertical: q·L + F and the columns' weight g·h twice;
// horizontal: BH − AH carries the wind (wD + wS)·h, mirrored wind the other way).
TEST(DesignResultJson, ReactionsBalanceTheFactoredLoads) {
  const DesignResult& result = Example();
  const JsonValue root = ParseJson(DesignResultJson(result));
  const double h = 6, L = 15, gColumns = 88.3 * 9.81 / 1000;  // HE 300 A: 88.3 kg/m
  int windy = 0;
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    const JsonValue& json = Get(root, "combinations").items[i];
    double vertical = 0, horizontal = 0;
    for (const JsonValue& factor : Get(json, "factors").items) {
      const std::string& name = Get(factor, "case").text;
      const double f = Get(factor, "factor").number;
      if (name == "Dach") {
        vertical += f * 4.0 * L;
      } else if (name == "Schnee") {
        vertical += f * 8.0 * L;
      } else if (name == "Lager") {
        vertical += f * 40.0;
      } else if (name == "Eigengewicht") {
        vertical += f * (77.6 * 9.81 / 1000 * L + 2 * gColumns * h);  // IPE 450: 77.6 kg/m
      } else if (name == "Wind") {
        vertical += f * -1.2 * L;
        const double side = Get(factor, "direction").text == "links" ? 1 : -1;
        horizontal += side * f * (3.0 + 1.5) * h;
        ++windy;
      }
    }
    const JsonValue& r = Get(json, "results");
    EXPECT_NEAR(Get(r, "AV").number + Get(r, "BV").number, vertical, 1e-9 * vertical)
        << Get(json, "id").text;
    EXPECT_NEAR(Get(r, "BH").number - Get(r, "AH").number, horizontal, 1e-9 * vertical)
        << Get(json, "id").text;
  }
  EXPECT_GT(windy, 10);
}

TEST(DesignResultJson, GoverningChecksNameTheirCombinationAndVerdict) {
  const DesignResult& result = Example();
  const JsonValue checks = Get(ParseJson(DesignResultJson(result)), "checks");
  EXPECT_EQ(Keys(checks), (std::vector<std::string>{"columns", "beam", "sway", "deflection"}));
  // The worst of each member check, found here over the ultimate combinations.
  std::array<double, 5> worst{};
  double worstColumns = 0;
  std::string worstId;
  for (const CombinationResult& c : result.combinations) {
    if (!c.columns) {
      continue;
    }
    const MemberVerification& v = c.columns->verification;
    const std::array<double, 5> etas{v.crossSection.eta, v.bucklingY.eta, v.bucklingZ.eta,
                                     v.lateralTorsional.eta, v.interaction.eta};
    for (std::size_t k = 0; k < 5; ++k) {
      worst[k] = std::max(worst[k], etas[k]);
    }
    if (c.columns->Eta() > worstColumns) {
      worstColumns = c.columns->Eta();
      worstId = c.combination.id;
    }
  }
  const JsonValue& columns = Get(checks, "columns");
  EXPECT_EQ(Keys(columns),
            (std::vector<std::string>{"eta", "etaCrossSection", "etaBucklingY", "etaBucklingZ",
                                      "etaLTB", "etaInteraction", "combination", "place", "met"}));
  EXPECT_EQ(Get(columns, "eta").number, worstColumns);
  EXPECT_EQ(worstColumns, *std::max_element(worst.begin(), worst.end()));
  const char* const keys[] = {"etaCrossSection", "etaBucklingY", "etaBucklingZ", "etaLTB",
                              "etaInteraction"};
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(Get(columns, keys[k]).number, worst[k]) << keys[k];
  }
  EXPECT_EQ(Get(columns, "combination").text, worstId);
  EXPECT_NE(Get(columns, "place").text.find("Stütze"), std::string::npos);
  EXPECT_EQ(Get(columns, "met").boolean, worstColumns <= 1);
  EXPECT_EQ(Get(columns, "met").kind, JsonValue::Kind::Boolean);
  const JsonValue& deflection = Get(checks, "deflection");
  EXPECT_EQ(Keys(deflection), (std::vector<std::string>{"ratio", "limit", "combination", "met"}));
  EXPECT_EQ(Get(deflection, "limit").number, 300);
  const GoverningLimit& governing = *result.checks.deflection;
  const CombinationResult& c = result.combinations[governing.combination];
  EXPECT_EQ(Get(deflection, "combination").text, c.combination.id);
  // L/w of that combination, in mm as w is.
  EXPECT_NEAR(Get(deflection, "ratio").number, 15000 / std::abs(c.solution.deformation->w),
              1e-9 * 15000);
  EXPECT_EQ(Get(deflection, "met").boolean, Get(deflection, "ratio").number >= 300);
}

TEST(DesignResultJson, IsIndentedByTwoAndEscapesNames) {
  const std::string json = DesignResultJson(ComputeDesign(BareDesign()));
  const std::vector<std::string> lines = Lines(json, "\n");
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(lines[0], "{");
  EXPECT_EQ(lines[1], "  \"format\": \"strevo-ergebnis\",");
  EXPECT_EQ(lines[2], "  \"version\": 1,");
  EXPECT_EQ(lines.back(), "}");
  std::size_t depth = 0;
  for (const std::string& line : lines) {
    const std::size_t indent = line.find_first_not_of(' ');
    EXPECT_EQ(indent % 2, 0u) << line;
    EXPECT_LE(indent, depth + 2) << line;
    EXPECT_NE(line.back(), ' ') << line;
    depth = indent;
  }
  EXPECT_NE(json.find("\"case\": \"Wind; Nord \\\"West\\\"\""), std::string::npos);
  const JsonValue checks = Get(ParseJson(json), "checks");
  EXPECT_EQ(Keys(checks), (std::vector<std::string>{"sway", "deflection"}))
      << "no section check for a bare I";
}

TEST(DesignResultCsv, IsOneTableOfCombinationsAndOneOfChecksInGermanNumbers) {
  const DesignResult& result = Example();
  const std::string csv = DesignResultCsv(result);
  ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  const std::vector<std::string> lines = Lines(csv.substr(3), "\r\n");
  const std::size_t n = result.combinations.size();
  // Combinations; checks (each member's η and its five checks, the two limits); the governing
  // values of both members; the statement.
  ASSERT_EQ(lines.size(), 1 + n + 1 + 1 + 12 + 2 + 1 + 1 + 2 + 1 + 1);
  const std::vector<std::string> header = Fields(lines[0]);
  const std::vector<std::string> start(header.begin(), header.begin() + 9);
  EXPECT_EQ(start, (std::vector<std::string>{"Kombination", "Grenzzustand", "Bezeichnung", "Dach",
                                             "Schnee", "Wind (links)", "Wind (rechts)", "Lager",
                                             "Eigengewicht"}));
  EXPECT_EQ(header[9], "AH [kN]");
  EXPECT_EQ(header[11], "MA [kNm]");
  EXPECT_EQ(header[9 + 22], "xw [m]");
  EXPECT_EQ(header[9 + 23], "αcr");
  EXPECT_EQ(header.back(), "u,d [mm]");
  ASSERT_EQ(header.size(), 9u + 23u + 6u + 21u);
  for (std::size_t i = 0; i < n; ++i) {
    const CombinationResult& c = result.combinations[i];
    const std::vector<std::string> fields = Fields(lines[1 + i]);
    ASSERT_EQ(fields.size(), header.size()) << lines[1 + i];
    EXPECT_EQ(fields[0], c.combination.id);
    EXPECT_EQ(fields[2], c.combination.label);
    for (std::size_t k = 9; k < 9 + 23; ++k) {
      EXPECT_TRUE(GermanNumber(fields[k])) << fields[k];
    }
    if (c.stability) {
      EXPECT_EQ(fields[9 + 24], "Seitenverschiebung");
      EXPECT_EQ(fields[9 + 28],
                c.stability->secondOrder ? "Theorie II. Ordnung" : "Theorie I. Ordnung");
      EXPECT_TRUE(GermanNumber(fields.back())) << fields.back();
    } else {
      EXPECT_EQ(fields.back(), "") << "no design forces for serviceability";
    }
    std::string AH = fields[9];
    std::replace(AH.begin(), AH.end(), ',', '.');
    EXPECT_EQ(std::stod(AH), c.values.AH);
  }
  // GZT 1 holds the permanent cases only: the variable ones' cells stay empty.
  const std::vector<std::string> first = Fields(lines[1]);
  EXPECT_EQ((std::vector<std::string>(first.begin(), first.begin() + 9)),
            (std::vector<std::string>{"GZT 1", "GZT", "1,35·G", "1,35", "", "", "", "", "1,35"}));
  EXPECT_EQ(lines[1 + n], "");
  EXPECT_EQ(lines[2 + n], "Nachweis;Wert;Grenze;Kombination;Stelle;erfüllt");
  const GoverningMember& columns = *result.checks.columns;
  const std::vector<std::string> columnsRow = Fields(lines[3 + n]);
  EXPECT_EQ(columnsRow[0], "Stützen η");
  EXPECT_EQ(columnsRow[2], "1");
  EXPECT_EQ(columnsRow[3], result.combinations[columns.combination].combination.id);
  EXPECT_EQ(columnsRow[5], columns.check.Met() ? "ja" : "nein");
  const std::vector<std::string> ltb = Fields(lines[7 + n]);
  EXPECT_EQ(ltb[0], "Stützen Biegedrillknicken");
  EXPECT_EQ(ltb[3], result.combinations[columns.lateralTorsional.combination].combination.id);
  EXPECT_EQ(Fields(lines[16 + n])[0], "Durchbiegung L/w");
  EXPECT_EQ(Fields(lines[16 + n])[2], "300");
  EXPECT_EQ(Fields(lines[19 + n])[0], "Stützen");
  EXPECT_EQ(Fields(lines[19 + n])[3],
            std::to_string(columns.check.verification.crossSection.sectionClass));
  EXPECT_EQ(lines.back(), CsvField(kDesignCheckStatement));
}

TEST(DesignResultCsv, QuotesANameWithSemicolonOrQuotes) {
  const std::string csv = DesignResultCsv(ComputeDesign(BareDesign()));
  const std::string header = csv.substr(3, csv.find("\r\n") - 3);
  EXPECT_NE(header.find(";\"Wind; Nord \"\"West\"\" (links)\";"), std::string::npos) << header;
  EXPECT_EQ(Fields(header)[4], "Wind; Nord \"West\" (links)");
  EXPECT_EQ(csv.find("Stützen η"), std::string::npos);
  EXPECT_EQ(csv.find("Riegel η"), std::string::npos);
}

TEST(DesignRows, ShowThePortalCasesCombinationsEnvelopeAndChecks) {
  const DesignResult& result = Example();
  const std::vector<ListRow> rows = DesignRows(result);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].symbol, "System");
  EXPECT_EQ(rows[0].value, "Zweigelenk Strevo");
  EXPECT_EQ(Row(rows, "Profil S")->value, "HE 300 A");
  EXPECT_EQ(Row(rows, "I2")->value, "33740.00");
  EXPECT_EQ(Row(rows, "Grenze w")->value, "L/300");
  for (const ListRow& row : rows) {
    if (row.number) {
      EXPECT_TRUE(Fixed2(row.value)) << row.symbol << " " << row.value;
    }
  }
  // Each combination: its id and label, then its values, in order.
  std::size_t at = 0;
  for (const CombinationResult& c : result.combinations) {
    while (at < rows.size() && rows[at].symbol != c.combination.id) {
      ++at;
    }
    ASSERT_LT(at + 3, rows.size()) << c.combination.id;
    EXPECT_EQ(rows[at].value, c.combination.label);
    EXPECT_EQ(rows[at + 1].symbol, "AH");
    EXPECT_EQ(rows[at + 1].value, FormatFixed2(c.values.AH));
    EXPECT_EQ(rows[at + 2].symbol, "AV");
    EXPECT_EQ(rows[at + 2].value, FormatFixed2(c.values.AV));
  }
  const ForceEnvelope& beamM = result.envelope[static_cast<std::size_t>(Member::Beam)].M;
  bool beamMax = false;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].symbol == "max M" && rows[i - 1].value == "Riegel") {
      beamMax = true;
      EXPECT_EQ(rows[i].value, FormatFixed2(beamM.max.value));
      EXPECT_EQ(rows[i].remark.substr(0, rows[i].remark.find(',')),
                result.combinations[beamM.max.by].combination.id);
    }
  }
  EXPECT_TRUE(beamMax);
  // The governing checks close the list, each with the verdict of the result, and the statement
  // of what they cover last.
  const GoverningMember& columns = *result.checks.columns;
  const auto eta = std::find_if(rows.rbegin(), rows.rend(),
                                [](const ListRow& row) { return row.symbol == "ηS"; });
  ASSERT_NE(eta, rows.rend());
  EXPECT_EQ(eta->value, EtaText(columns.check.Eta()));
  EXPECT_EQ(eta->verdict, columns.check.Met() ? Verdict::Met : Verdict::NotMet);
  EXPECT_NE(eta->remark.find(CheckName(GoverningCheck(columns.check))), std::string::npos)
      << eta->remark;
  const std::vector<ListRow> last(rows.end() - 3, rows.end());
  EXPECT_EQ(last[1].symbol, "L/w");
  EXPECT_EQ(last[1].verdict, result.checks.deflection->check.met ? Verdict::Met : Verdict::NotMet);
  EXPECT_EQ(last[2].symbol, "Hinweis");
  EXPECT_EQ(last[2].value, kDesignCheckStatement);
  EXPECT_NE(last[2].value.find("Rahmenecken, Anschlüsse und Fußpunkte sind nicht nachgewiesen."),
            std::string::npos);
  EXPECT_EQ(ExitStatusOf(result), result.checks.AllMet() ? 0 : 1);
  EXPECT_EQ(ResultListText(rows).substr(0, 26), "System: Zweigelenk Strevo\n");
}

TEST(DesignRows, BareIDesignHasNoSectionCheckRows) {
  const DesignResult result = ComputeDesign(BareDesign());
  const std::vector<ListRow> rows = DesignRows(result);
  for (const ListRow& row : rows) {
    EXPECT_NE(row.symbol, "ηS");
    EXPECT_NE(row.symbol, "ηR");
    EXPECT_NE(row.symbol.substr(0, 6), "Profil");
    EXPECT_NE(row.symbol, "gS");
  }
  EXPECT_EQ(Row(rows, "I1")->remark, "Stützen ohne Profil: kein Querschnittsnachweis");
  // GZG 1 is the roof load alone: a symmetric portal does not sway, and no ratio is shown.
  const auto gzg1 = std::find_if(rows.begin(), rows.end(),
                                 [](const ListRow& row) { return row.symbol == "GZG 1"; });
  ASSERT_NE(gzg1, rows.end());
  const auto sway =
      std::find_if(gzg1, rows.end(), [](const ListRow& row) { return row.symbol == "h/u"; });
  ASSERT_NE(sway, rows.end());
  EXPECT_EQ(sway->value, "—");
  EXPECT_FALSE(sway->number);
  EXPECT_EQ(sway->verdict, Verdict::Met);
  EXPECT_EQ(ExitStatusOf(result), 0) << "stiff members, light loads";
}

TEST(ExitStatusOf, IsOneWhenACheckFails) {
  Design design = BareDesign();
  design.beam.I = 400;  // the deflection exceeds L/300 many times over
  const DesignResult result = ComputeDesign(design);
  ASSERT_FALSE(result.checks.deflection->check.met);
  EXPECT_EQ(ExitStatusOf(result), 1);
}

// Without compression the portal cannot buckle: αcr is written as null, first order. Under a
// hundred times the example's loads it is unstable in every ultimate combination: no design
// forces, no utilisation, and the checks fail.
TEST(DesignResultJson, WritesNullWhereThereIsNoCriticalLoadOrNoDesignForce) {
  Design uplift = BareDesign();
  uplift.loadCases = {{"Sog", Action::Permanent, 'A', false, {-3, 0, 0, 0, 0}}};
  const DesignResult lifted = ComputeDesign(uplift);
  const JsonValue first = Get(ParseJson(DesignResultJson(lifted)), "combinations").items.at(0);
  EXPECT_EQ(Get(first, "alphaCr").kind, JsonValue::Kind::Null);
  EXPECT_FALSE(Get(first, "secondOrder").boolean);
  // The same first-order analysis, once of the case factored and once of the loads whole.
  const double AH = lifted.combinations[0].values.AH;
  EXPECT_NEAR(Get(Get(first, "resultsDesign"), "AH").number, AH, 1e-12 * std::abs(AH));

  Design heavy = ReadDesignFile(STREVO_DESIGN_EXAMPLE);
  for (DesignCase& c : heavy.loadCases) {
    c.loads.q *= 100;
    c.loads.F *= 100;
  }
  const DesignResult result = ComputeDesign(heavy);
  const JsonValue root = ParseJson(DesignResultJson(result));
  const JsonValue& gzt1 = Get(root, "combinations").items.at(0);
  ASSERT_LE(Get(Get(gzt1, "alphaCr"), "value").number, 1);
  EXPECT_EQ(Get(gzt1, "resultsDesign").kind, JsonValue::Kind::Null);
  const JsonValue& beam = Get(Get(root, "checks"), "beam");
  EXPECT_EQ(Get(beam, "eta").kind, JsonValue::Kind::Null);
  EXPECT_EQ(Get(beam, "etaLTB").kind, JsonValue::Kind::Null);
  EXPECT_TRUE(Get(beam, "unstable").boolean);
  EXPECT_FALSE(Get(beam, "met").boolean);
  EXPECT_EQ(ExitStatusOf(result), 1);
  const std::vector<ListRow> rows = DesignRows(result);
  const ListRow* alpha = Row(rows, "αcr");
  EXPECT_EQ(alpha->verdict, Verdict::NotMet);
  EXPECT_NE(alpha->remark.find("instabil"), std::string::npos);
}

// The working reaches each check's value from the numbers it puts in, and ends in the member's η.
TEST(GoverningCheckRechenweg, EachCheckStepGivesTheChecksValue) {
  const DesignResult& result = Example();
  const std::vector<RechenwegStep> steps = GoverningCheckRechenweg(result);
  const MemberVerification& v = result.checks.beam->check.verification;
  // The beam's steps follow the columns': the last step of a name is the beam's.
  const auto last = [&](const std::string& target) {
    const auto step = std::find_if(steps.rbegin(), steps.rend(),
                                   [&](const RechenwegStep& s) { return s.target == target; });
    EXPECT_NE(step, steps.rend()) << target;
    EXPECT_TRUE(step->formula) << target << " is computed, not stated";
    return step->value;
  };
  const std::pair<const char*, double> expected[] = {
      {"NRd", v.crossSection.NRd},      {"VRd", v.crossSection.VRd},
      {"Ncr,z", v.bucklingZ.Ncr},       {"χz", v.bucklingZ.chi},
      {"ηBK,z", v.bucklingZ.eta},       {"C1", v.lateralTorsional.C1},
      {"Mcr", v.lateralTorsional.Mcr},  {"χLT", v.lateralTorsional.chi},
      {"ηBDK", v.lateralTorsional.eta}, {"kzy", v.interaction.kzy},
      {"η6.62", v.interaction.eta62}};
  for (const auto& [target, value] : expected) {
    EXPECT_NEAR(last(target), value, 1e-9 * value) << target;
  }
  EXPECT_EQ(steps.back().target, "ηR");
  EXPECT_EQ(steps.back().value, result.checks.beam->check.Eta());
  EXPECT_NE(steps.back().reason.find("nicht erfüllt"), std::string::npos);
}

// Utilisations are rounded up: a check just over 1 never reads as met.
TEST(EtaText, RoundsUpToTheHundredth) {
  EXPECT_EQ(EtaText(1.0027), "1.01");
  EXPECT_EQ(EtaText(0.9640), "0.97");
  EXPECT_EQ(EtaText(0.5), "0.50");
  EXPECT_EQ(EtaText(1.0), "1.00");
  EXPECT_EQ(EtaText(HUGE_VAL), "∞");
}

}  // namespace
}  // namespace strevo
