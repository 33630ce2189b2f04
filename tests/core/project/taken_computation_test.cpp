// The taken computation: its rows, check and Rechenweg are those of the parts it is made of,
// worked out once, and a new grade or limit changes the check and nothing else.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "core/base/text_rules.h"
#include "core/project/taken_computation.h"
#include "test_inputs.h"

namespace strevo {
namespace {

// Two-hinged frame, q = 20 kN/m on 8 m, h = 4 m, IPE 200 columns and a HE-B 400 beam.
Computation Portal() {
  SharedResults shared;
  Computation c = Compute(testing::SteelPortal(1943, 57680), SystemType::TwoHingedFrame, shared);
  c.columnSection = "IPE 200";
  c.beamSection = "HE-B 400";
  return c;
}

std::vector<std::string> Targets(const std::vector<RechenwegStep>& steps) {
  std::vector<std::string> targets;
  for (const RechenwegStep& step : steps) {
    targets.push_back(step.target + " " + step.result);
  }
  return targets;
}

std::vector<std::string> Cells(const std::vector<ListRow>& rows) {
  std::vector<std::string> cells;
  for (const ListRow& row : rows) {
    cells.push_back(row.symbol + "|" + row.value + "|" + row.unit + "|" + row.remark);
  }
  return cells;
}

const ListRow* Row(const std::vector<ListRow>& rows, const std::string& symbol) {
  for (const ListRow& row : rows) {
    if (row.symbol == symbol) {
      return &row;
    }
  }
  return nullptr;
}

TEST(TakenComputation, HoldsWhatItsPartsGive) {
  const Computation c = Portal();
  const CheckSettings s275{SteelGrade::S275, 200, 250};
  const TakenComputation taken(c, s275);
  EXPECT_DOUBLE_EQ(taken.Snapshot().results.k, c.results.k);
  EXPECT_EQ(taken.Snapshot().beamSection, "HE-B 400");
  EXPECT_EQ(Cells(taken.ResultRows()), Cells(ResultListRows(c)));
  const SectionCheck check = CheckSections(c, s275);
  EXPECT_EQ(taken.Sections().settings, s275);
  EXPECT_EQ(taken.Sections().beam->sigma, check.beam->sigma);
  EXPECT_EQ(Cells(taken.CheckRows()), Cells(CheckRows(c, check)));
  std::vector<RechenwegStep> steps = BuildRechenweg(c);
  const std::vector<RechenwegStep> working = CheckRechenweg(c, check);
  ASSERT_FALSE(working.empty());
  steps.insert(steps.end(), working.begin(), working.end());
  EXPECT_EQ(Targets(taken.Rechenweg()), Targets(steps));
  EXPECT_EQ(taken.DeformationNote(), DeformationNote(c));
  std::vector<ListRow> rows = ResultListRows(c);
  const std::vector<ListRow> checkRows = CheckRows(c, check);
  rows.insert(rows.end(), checkRows.begin(), checkRows.end());
  EXPECT_EQ(Cells(taken.ListRows()), Cells(rows));
}

// Against the hand calculation: σ of the beam from |N2| and the field moment |M3|, HE-B 400
// with A = 198 cm² and Wel = 2884 cm³; η follows fy.
TEST(TakenComputation, ARecheckFollowsTheGradeAndKeepsTheComputation) {
  TakenComputation taken(Portal(), {});
  const SharedResults& r = taken.Snapshot().results;
  const double sigma = 10 * std::abs(r.N2) / 198 + 1000 * std::abs(r.M3) / 2884;
  ASSERT_NE(Row(taken.CheckRows(), "ηR"), nullptr);
  EXPECT_EQ(Row(taken.CheckRows(), "Stahlsorte")->value, "S235");
  EXPECT_NEAR(taken.Sections().beam->etaSigma, sigma / 235, 1e-12);
  const std::vector<std::string> before = Targets(taken.Rechenweg());
  const std::vector<std::string> resultsBefore = Cells(taken.ResultRows());
  const std::size_t computationSteps = BuildRechenweg(taken.Snapshot()).size();

  taken.Recheck({SteelGrade::S355, 150, 300});
  EXPECT_EQ(Row(taken.CheckRows(), "Stahlsorte")->value, "S355");
  EXPECT_NEAR(taken.Sections().beam->etaSigma, sigma / 355, 1e-12);
  EXPECT_EQ(Row(taken.ListRows(), "ηR")->value, FormatFixed2(taken.Sections().beam->Eta()));
  ASSERT_EQ(taken.Rechenweg().size(), before.size()) << "the old working is replaced";
  for (std::size_t i = 0; i < computationSteps; ++i) {
    EXPECT_EQ(taken.Rechenweg()[i].target + " " + taken.Rechenweg()[i].result, before[i]) << i;
  }
  EXPECT_NE(Targets(taken.Rechenweg()), before) << "η is now against 355 N/mm²";
  EXPECT_EQ(Cells(taken.ResultRows()), resultsBefore);

  taken.Recheck({});
  EXPECT_EQ(Targets(taken.Rechenweg()), before) << "back to S235, the same working";
}

// A recheck before anyone asked for the working: the working then asked for is the new one.
TEST(TakenComputation, TheWorkingFollowsARecheckMadeBeforeItIsAskedFor) {
  TakenComputation taken(Portal(), {});
  const CheckSettings s355{SteelGrade::S355, 150, 300};
  taken.Recheck(s355);
  std::vector<RechenwegStep> steps = BuildRechenweg(taken.Snapshot());
  const std::vector<RechenwegStep> working =
      CheckRechenweg(taken.Snapshot(), CheckSections(taken.Snapshot(), s355));
  steps.insert(steps.end(), working.begin(), working.end());
  EXPECT_EQ(Targets(taken.Rechenweg()), Targets(steps));
  EXPECT_EQ(&taken.Rechenweg(), &taken.Rechenweg()) << "worked out once and kept";
}

TEST(TakenComputation, ALimitAloneChangesOnlyItsRow) {
  TakenComputation taken(Portal(), {});
  const std::string swayBefore = Row(taken.CheckRows(), "u / h")->remark;
  taken.Recheck({SteelGrade::S235, 150, 100000});
  EXPECT_EQ(Row(taken.CheckRows(), "u / h")->remark, swayBefore);
  EXPECT_EQ(Row(taken.CheckRows(), "w / L")->remark, "Grenze 1/100000: nicht erfüllt");
  EXPECT_EQ(taken.Sections().settings.deflectionLimit, 100000);
}

TEST(TakenComputation, WithoutSectionsThereIsNoCheck) {
  Computation c = Portal();
  c.columnSection.clear();
  c.beamSection.clear();
  const TakenComputation taken(c, {SteelGrade::S355, 150, 300});
  EXPECT_TRUE(taken.CheckRows().empty());
  EXPECT_EQ(taken.ListRows().size(), ResultListRows(c).size());
  EXPECT_EQ(taken.Rechenweg().size(), BuildRechenweg(c).size());
  EXPECT_FALSE(taken.Sections().columns.has_value());
}

}  // namespace
}  // namespace strevo
