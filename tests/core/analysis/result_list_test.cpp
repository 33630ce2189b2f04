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

#include "arithmetic_fault.h"
#include "result_list.h"
#include "test_inputs.h"
#include "text_rules.h"

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

TEST_P(ResultListPerSystem, ClipboardTextHasTheSystemFirstThenOneValueALine) {
  const std::vector<std::string> lines = Split(ResultListText(ResultListRows(computation)), "\n");
  const std::vector<ListRow> rows = ResultListRows(computation);
  ASSERT_EQ(lines.size(), rows.size() + 1) << "the text ends with a line break";
  EXPECT_EQ(lines[0], "System: " + SystemCaption(GetParam()));
  for (std::size_t i = 1; i < rows.size(); ++i) {
    // Every value says what it is, with its sense.
    EXPECT_FALSE(rows[i].remark.empty()) << rows[i].symbol;
    EXPECT_EQ(Split(lines[i], "\t"), (std::vector<std::string>{rows[i].symbol, rows[i].value,
                                                               rows[i].unit, rows[i].remark}));
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

TEST_P(ResultListPerSystem, HtmlGivesEveryValueItsNumber) {
  const std::string html = ResultListHtml(ResultListRows(computation));
  for (const ListRow& row : ResultListRows(computation)) {
    if (row.symbol != "System") {
      EXPECT_NE(html.find("<td>" + row.symbol + "</td><td x:num=\"" + row.value + "\""),
                std::string::npos)
          << row.symbol;
    }
  }
  EXPECT_NE(html.find("<td>System</td><td>" + SystemCaption(GetParam()) + "</td>"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ResultList, ResultListPerSystem,
                         ::testing::Values(SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                           SystemType::FixedFrame),
                         [](const auto& info) { return testing::SystemName(info.param); });

// A beam without stiffness is no fault of the forces; its deformations cannot be computed, so
// the list leaves them out and says why.
TEST(Computation, DeformationsThatFaultAreLeftOutAndNamed) {
  InputSet in = testing::AllLoads();
  in.I2 = 0;
  SharedResults shared;
  const Computation computation = Compute(in, SystemType::FixedFrame, shared);
  EXPECT_EQ(computation.lines.size(), 20u);
  EXPECT_FALSE(computation.deformation.has_value());
  EXPECT_EQ(computation.deformationFault, "Division durch Null");
  EXPECT_EQ(ResultListRows(computation).size(), 12u + 20u);
  EXPECT_EQ(DeformationNote(computation), "Verformungen nicht berechenbar: Division durch Null.");
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
