// The result list of a computation against its result lines, and the text, HTML and CSV forms
// read back.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"
#include "core/text/result_list.h"
#include "test_inputs.h"

namespace strevo {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + separator.size()) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// A number as a German spreadsheet reads it: a decimal comma and no point.
double GermanNumber(std::string text) {
  if (text.find('.') != std::string::npos) {
    return std::nan("");
  }
  std::replace(text.begin(), text.end(), ',', '.');
  std::size_t used = 0;
  const double value = std::stod(text, &used);
  return used == text.size() ? value : std::nan("");
}

// The table cells of an HTML text, with their attributes and their text (entities as written).
struct HtmlCell {
  std::map<std::string, std::string> attributes;
  std::string text;
};
struct HtmlRow {
  std::vector<HtmlCell> cells;
};

std::vector<HtmlRow> HtmlRows(const std::string& html) {
  std::vector<HtmlRow> rows;
  for (std::size_t at = 0; (at = html.find("<tr>", at)) != std::string::npos;) {
    const std::size_t end = html.find("</tr>", at);
    HtmlRow row;
    for (std::size_t cell = at; (cell = html.find("<t", cell + 1)) < end;) {
      const std::size_t close = html.find('>', cell);
      const std::size_t after = html.find("</t", close);
      HtmlCell parsed{{}, html.substr(close + 1, after - close - 1)};
      std::istringstream attributes(html.substr(cell + 3, close - cell - 3));
      std::string attribute;
      while (std::getline(attributes >> std::ws, attribute, '"')) {
        std::string value;
        std::getline(attributes, value, '"');
        parsed.attributes[attribute.substr(0, attribute.size() - 1)] = value;
      }
      row.cells.push_back(parsed);
      cell = after;
    }
    rows.push_back(row);
    at = end;
  }
  return rows;
}

class ResultListPerSystem : public ::testing::TestWithParam<SystemType> {
 protected:
  SharedResults shared;
  Computation computation = Compute(testing::AllLoads(), GetParam(), shared);
};

TEST_P(ResultListPerSystem, RowsFollowTheResultLinesWithTheirOmissions) {
  const std::vector<ListRow> rows = ResultListRows(computation);
  ASSERT_EQ(rows.size(), 12 + computation.lines.size() + 3);
  EXPECT_EQ(rows[0].symbol, "System");
  EXPECT_EQ(rows[0].value, SystemCaption(GetParam()));
  const char* inputs[] = {"wD", "q", "h", "a", "b", "L", "wS", "F", "I1", "I2"};
  const char* units[] = {"kN/m", "kN/m", "m", "m", "m", "m", "kN/m", "kN", "cm4", "cm4"};
  const char* values[] = {"1.00", "2.00", "4.00",  "3.00", "2.00",
                          "5.00", "0.50", "10.00", "1.00", "1.50"};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(rows[1 + i].symbol, inputs[i]);
    EXPECT_EQ(rows[1 + i].unit, units[i]);
    EXPECT_EQ(rows[1 + i].value, values[i]);
  }
  EXPECT_EQ(rows[11].symbol, "k");
  EXPECT_EQ(rows[11].value, "1.20");
  std::size_t row = 12;
  for (const ResultLine& line : computation.lines) {
    const ListRow& r = rows[row++];
    EXPECT_EQ(r.symbol + " = " + r.value + " " + r.unit, ResultLineText(line));
  }
  ASSERT_TRUE(computation.deformation.has_value());
  const Deformation& d = *computation.deformation;
  EXPECT_EQ(rows[row].symbol + rows[row].value + rows[row].unit, "u" + FormatFixed2(d.u) + "mm");
  ++row;
  EXPECT_EQ(rows[row].symbol + rows[row].value + rows[row].unit, "w" + FormatFixed2(d.w) + "mm");
  ++row;
  EXPECT_EQ(rows[row].symbol + rows[row].value + rows[row].unit, "xw" + FormatFixed2(d.xw) + "m");
  const auto has = [&](const std::string& symbol) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const ListRow& r) { return r.symbol == symbol; });
  };
  EXPECT_EQ(has("MA"), GetParam() == SystemType::FixedFrame);
  EXPECT_EQ(has("MB"), GetParam() == SystemType::FixedFrame);
  EXPECT_EQ(has("BH"), GetParam() != SystemType::KinkedBeam);
}

// Pasted into a German spreadsheet, the text's values read back as the list's numbers.
TEST_P(ResultListPerSystem, ClipboardTextHasTheSystemFirstThenOneValueALine) {
  const std::vector<std::string> lines = Split(ResultListText(ResultListRows(computation)), "\n");
  const std::vector<ListRow> rows = ResultListRows(computation);
  ASSERT_EQ(lines.size(), rows.size() + 1) << "the text ends with a line break";
  EXPECT_EQ(lines[0], "System: " + SystemCaption(GetParam()));
  for (std::size_t i = 1; i < rows.size(); ++i) {
    // Every value says what it is, with its sense.
    EXPECT_FALSE(rows[i].remark.empty()) << rows[i].symbol;
    const std::vector<std::string> fields = Split(lines[i], "\t");
    ASSERT_EQ(fields.size(), 4u) << lines[i];
    EXPECT_EQ(fields[0], rows[i].symbol);
    EXPECT_EQ(fields[2], rows[i].unit);
    EXPECT_EQ(fields[3], rows[i].remark);
    EXPECT_EQ(fields[1].find('.'), std::string::npos) << "decimal comma: " << fields[1];
    EXPECT_DOUBLE_EQ(GermanNumber(fields[1]), std::stod(rows[i].value)) << rows[i].symbol;
  }
  EXPECT_EQ(lines.back(), "");
}

TEST_P(ResultListPerSystem, CsvReadsBackAsTheSnapshotsValues) {
  const std::string csv = ResultListCsv(ResultListRows(computation));
  ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF") << "byte-order mark";
  std::vector<std::string> lines = Split(csv.substr(3), "\r\n");
  ASSERT_EQ(lines.back(), "");
  lines.pop_back();
  EXPECT_EQ(lines[0], "Größe;Wert;Einheit;Bemerkung");
  std::map<std::string, double> values;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::vector<std::string> fields = Split(lines[i], ";");
    ASSERT_EQ(fields.size(), 4u) << lines[i];
    std::string number = fields[1];
    EXPECT_EQ(number.find('.'), std::string::npos) << "decimal comma: " << number;
    std::replace(number.begin(), number.end(), ',', '.');
    values[fields[0]] = std::stod(number);
  }
  EXPECT_EQ(lines[1], "System;" + SystemCaption(GetParam()) + ";;");
  EXPECT_DOUBLE_EQ(values.at("F"), 10);
  EXPECT_DOUBLE_EQ(values.at("k"), 1.2);
  for (const ResultLine& line : computation.lines) {
    const std::string symbol = ResultLineSymbol(line.index);
    EXPECT_NEAR(values.at(symbol), line.value, 0.005 + 1e-12) << symbol;
  }
  EXPECT_NEAR(values.at("u"), computation.deformation->u, 0.005 + 1e-9);
  EXPECT_NEAR(values.at("w"), computation.deformation->w, 0.005 + 1e-9);
  EXPECT_NEAR(values.at("xw"), computation.deformation->xw, 0.005 + 1e-12);
  EXPECT_EQ(values.size(), ResultListRows(computation).size() - 1);
}

TEST_P(ResultListPerSystem, HtmlGivesEveryValueItsNumberAndItsDecimals) {
  const std::vector<ListRow> rows = ResultListRows(computation);
  const std::string html = ResultListHtml(rows);
  EXPECT_NE(html.find("xmlns:x=\"urn:schemas-microsoft-com:office:excel\""), std::string::npos);
  const std::vector<HtmlRow> table = HtmlRows(html);
  ASSERT_EQ(table.size(), rows.size() + 1) << "a heading, then the rows";
  EXPECT_EQ(table[0].cells[1].text, "Wert");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::vector<HtmlCell>& cells = table[i + 1].cells;
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].text, rows[i].symbol);
    const HtmlCell& value = cells[1];
    if (i == 0) {
      EXPECT_EQ(value.text, SystemCaption(GetParam()));
      EXPECT_TRUE(value.attributes.empty()) << "the system is text";
      continue;
    }
    // The list's values show two decimals: both spreadsheets keep them.
    EXPECT_EQ(value.attributes,
              (std::map<std::string, std::string>{{"sdval", rows[i].value},
                                                  {"sdnum", "1031;0;0,00"},
                                                  {"x:num", rows[i].value},
                                                  {"style", "mso-number-format:'0\\.00'"}}))
        << rows[i].symbol;
    EXPECT_DOUBLE_EQ(GermanNumber(value.text), std::stod(rows[i].value));
  }
}

INSTANTIATE_TEST_SUITE_P(ResultList, ResultListPerSystem,
                         ::testing::Values(SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                           SystemType::FixedFrame),
                         [](const auto& info) { return testing::SystemName(info.param); });

// Values with other decimals keep them; what only looks like a value stays text; chosen
// cells copy as the whole list does.
TEST(ResultList, NumbersKeepTheirDecimalsAndSignsAreText) {
  const std::vector<ListRow> rows = {
      {"System", "Zweigelenk Strevo", "", "", false},
      {"n", "245", "", "L/w", true},
      {"x", "-1.5", "m", "", true},
      {"ηS", "∞", "", "instabil", true},
      {"αcr", "—", "", "kein Druck", false},
      {"Mcr", "1234.567", "kNm", "GZT 3", true},
  };
  const std::vector<HtmlRow> table = HtmlRows(ResultListHtml(rows));
  ASSERT_EQ(table.size(), 7u);
  const auto format = [&](std::size_t row) {
    const std::map<std::string, std::string>& a = table[row + 1].cells[1].attributes;
    return a.empty() ? std::string("text")
                     : a.at("sdnum") + " " + a.at("style") + " " + a.at("x:num");
  };
  EXPECT_EQ(format(1), "1031;0;0 mso-number-format:'0' 245");
  EXPECT_EQ(format(2), "1031;0;0,0 mso-number-format:'0\\.0' -1.5");
  EXPECT_EQ(format(3), "text");
  EXPECT_EQ(format(4), "text");
  EXPECT_EQ(format(5), "1031;0;0,000 mso-number-format:'0\\.000' 1234.567");
  EXPECT_EQ(table[6].cells[1].text, "1234,567");
  EXPECT_EQ(table[4].cells[1].text, "∞");

  EXPECT_EQ(ResultListText(rows),
            "System: Zweigelenk Strevo\nn\t245\t\tL/w\nx\t-1,5\tm\nηS\t∞\t\tinstabil\n"
            "αcr\t—\t\tkein Druck\nMcr\t1234,567\tkNm\tGZT 3\n");
  EXPECT_EQ(ResultListCsv(rows).substr(ResultListCsv(rows).find("\r\nx;")),
            "\r\nx;-1,5;m;\r\nηS;∞;;instabil\r\nαcr;—;;kein Druck\r\nMcr;1234,567;kNm;GZT 3\r\n");

  const std::vector<ListCell> cells = {{2, 0}, {2, 1}, {5, 1}, {5, 2}, {5, 3}};
  EXPECT_EQ(ListCellsText(rows, cells), "x\t-1,5\n1234,567\tkNm\tGZT 3\n");
  const std::vector<HtmlRow> chosen = HtmlRows(ListCellsHtml(rows, cells));
  ASSERT_EQ(chosen.size(), 2u);
  ASSERT_EQ(chosen[0].cells.size(), 2u);
  ASSERT_EQ(chosen[1].cells.size(), 3u);
  EXPECT_EQ(chosen[0].cells[1].attributes.at("sdval"), "-1.5");
  EXPECT_EQ(chosen[1].cells[0].attributes.at("x:num"), "1234.567");
  EXPECT_EQ(chosen[1].cells[2].text, "GZT 3");
  EXPECT_TRUE(chosen[1].cells[2].attributes.empty());
}

// A beam without stiffness is no fault of the forces; its deformations cannot be computed, so
// the list leaves them out and says why.
TEST(Computation, DeformationsThatFaultAreLeftOutAndNamed) {
  InputSet in = testing::AllLoads();
  in.I2 = 0;
  SharedResults shared;
  const Computation computation = Compute(in, SystemType::FixedFrame, shared);
  EXPECT_EQ(computation.lines.size(), 20u);
  EXPECT_FALSE(computation.deformation.has_value());
  EXPECT_EQ(computation.deformationFault, "Division durch Null im Feld I2 = 0");
  EXPECT_EQ(ResultListRows(computation).size(), 12u + 20u);
  EXPECT_EQ(DeformationNote(computation),
            "Verformungen nicht berechenbar: Division durch Null im Feld I2 = 0.");
  EXPECT_EQ(DeformationNote(Compute(testing::AllLoads(), SystemType::FixedFrame, shared))
                .rfind("Verformungen für Stahl, E = 210000 N/mm²", 0),
            0u);
}

// The defaults' I1 = 1 and I2 = 1.5 cm4 bend the beam by metres: the note adds the hint. It
// starts just beyond 1/50 of the member's length, for the sway (h 4) and the deflection (L 5).
TEST(Computation, DeformationsBeyondOneFiftiethOfTheirLengthAddTheHint) {
  SharedResults shared;
  Computation c = Compute(testing::DefaultInputs(), SystemType::TwoHingedFrame, shared);
  ASSERT_GT(c.deformation->w, 1000);
  EXPECT_NE(DeformationNote(c).find(kLargeDeformationHint), std::string::npos);
  Deformation& d = *c.deformation;
  for (const auto& [moved, limit] :
       {std::pair{&Deformation::u, 80.0}, std::pair{&Deformation::w, 100.0}}) {
    d.u = d.w = 0;
    for (const double at : {limit, -limit}) {
      d.*moved = at;
      EXPECT_FALSE(DeformationsBeyondOneFiftieth(c)) << at;
      d.*moved = std::nextafter(at, 2 * at);
      EXPECT_TRUE(DeformationsBeyondOneFiftieth(c)) << at;
    }
  }
  d.u = d.w = 0;
  EXPECT_EQ(DeformationNote(c).find("1/50"), std::string::npos) << "the hint goes with it";
}

TEST(Computation, FaultLeavesNoSnapshotAndInputsMatchComparesEveryField) {
  SharedResults shared;
  const Computation first = Compute(testing::AllLoads(), SystemType::FixedFrame, shared);
  EXPECT_TRUE(InputsMatch(first, testing::AllLoads(), SystemType::FixedFrame));
  EXPECT_FALSE(InputsMatch(first, testing::AllLoads(), SystemType::TwoHingedFrame));
  for (double InputSet::*field :
       {&InputSet::wD, &InputSet::q, &InputSet::h, &InputSet::a, &InputSet::b, &InputSet::L,
        &InputSet::wS, &InputSet::F, &InputSet::I1, &InputSet::I2}) {
    InputSet edited = testing::AllLoads();
    edited.*field += 0.001;
    EXPECT_FALSE(InputsMatch(first, edited, SystemType::FixedFrame));
  }
  InputSet broken = testing::AllLoads();
  broken.I1 = 0;
  EXPECT_THROW(Compute(broken, SystemType::FixedFrame, shared), ArithmeticFault);
}

}  // namespace
}  // namespace strevo
