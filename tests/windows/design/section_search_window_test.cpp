// "Querschnitte bemessen" against a scripted host: the window shows what the search found,
// each shown pair checked again by the whole design, and takes the chosen pair into the design
// window and the main window.
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include <gtest/gtest.h>

#include "core/design/design_file.h"
#include "core/design/design_output.h"
#include "core/design/section_search.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "settled.h"
#include "test_designs.h"
#include "windows/app/strevo_app.h"
#include "windows/design/design_window.h"
#include "windows/design/load_case_table.h"
#include "windows/design/section_search_window.h"
#include "windows/sections/form4.h"

namespace strevo {
namespace {

class SearchHost : public DesignHost {
 public:
  CommandGuard& Guard() override { return guard; }
  MessageService& Messages() override { return messages; }
  FileDialogService& FileDialogs() override { return dialogs; }
  FurtherLoadsService& FurtherLoadsDialogs() override { return furtherLoads; }
  PortalChoice MainPortal() const override { return PortalChoiceOf(testing::HallDesign()); }
  LoadCase MainLoads() const override { return {}; }
  void ApplyPortal(const PortalChoice& portal) override { applied.push_back(portal); }
  const DesignResult& TakeDesign(DesignResult result) override {
    last = std::move(result);
    return *last;
  }
  void DesignWindowClosed() override {}

  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs dialogs;
  QtFurtherLoadsService furtherLoads{messages};  // never opened here
  CommandGuard guard{messages};
  std::vector<PortalChoice> applied;
  std::optional<DesignResult> last;
};

class SectionSearchWindowTest : public ::testing::Test {
 protected:
  // The design opened as a file, the search window opened on it.
  SectionSearchWindow& OpenOn(const Design& design) {
    const QString path = dir.filePath(QStringLiteral("halle.strevo"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteDesign(design).c_str());
    file.close();
    host.dialogs.names.push_back(path);
    window.mnuOeffnen_Click();
    EXPECT_TRUE(testing::Settled(window));
    host.applied.clear();
    window.QuerschnitteBemessen_Click();
    return *window.SearchWindow();
  }
  static QString Cell(const SectionSearchWindow& search, int row, int column) {
    return search.Passing()->item(row, column)->text();
  }
  static bool Passes(const Design& design, const TriedPair& pair) {
    return ComputeDesign(WithSections(design, *pair.columns, *pair.beam)).checks.AllMet();
  }

  QTemporaryDir dir;
  SearchHost host;
  DesignWindow window{host};
};

TEST_F(SectionSearchWindowTest, TheTableShowsTheLightestPassingPairFirstAndChosen) {
  const Design hall = testing::HallDesign();
  SectionSearchWindow& search = OpenOn(hall);
  EXPECT_EQ(search.windowTitle(), "Querschnitte bemessen");
  EXPECT_TRUE(search.isVisible());
  EXPECT_FALSE(search.ApplyButton()->isEnabled()) << "nothing found yet";
  for (int member = 0; member < 2; ++member) {
    for (int family = 0; family < 3; ++family) {
      EXPECT_TRUE(search.Family(member, family)->isChecked());
    }
  }
  search.Bemessen_Click();
  ASSERT_TRUE(testing::Settled(search));
  EXPECT_TRUE(host.messages.shown.empty());

  const SectionSearch expected = SearchSections(hall, {});
  ASSERT_FALSE(expected.passing.empty());
  ASSERT_EQ(search.Passing()->rowCount(), static_cast<int>(expected.passing.size()));
  const TriedPair& lightest = expected.passing.front();
  EXPECT_EQ(Cell(search, 0, 0), lightest.columns->designation);
  EXPECT_EQ(Cell(search, 0, 1), lightest.beam->designation);
  const double mass = 2 * 6 * lightest.columns->mass + 15 * lightest.beam->mass;
  EXPECT_EQ(Cell(search, 0, 2), QString::number(std::lround(mass)));
  EXPECT_EQ(Cell(search, 0, 3).toStdString(), EtaText(lightest.etaColumns));
  EXPECT_EQ(Cell(search, 0, 4).toStdString(), EtaText(lightest.etaBeam));
  EXPECT_EQ(Cell(search, 0, 5), QStringLiteral("1/%1").arg(std::floor(lightest.sway)));
  EXPECT_EQ(Cell(search, 0, 6), QStringLiteral("1/%1").arg(std::floor(lightest.deflection)));
  EXPECT_LE(lightest.etaColumns, 1);
  EXPECT_LE(lightest.etaBeam, 1);
  EXPECT_GE(lightest.sway, 150) << "the design's limit h/150";
  EXPECT_GE(lightest.deflection, 300) << "the design's limit L/300";
  EXPECT_TRUE(search.Passing()->item(0, 0)->isSelected());
  EXPECT_TRUE(search.ApplyButton()->isEnabled());

  // Checked again whole: every shown pair passes, every lighter one shown fails.
  for (int row = 1; row < search.Passing()->rowCount(); ++row) {
    EXPECT_GE(Cell(search, row, 2).toDouble(), Cell(search, row - 1, 2).toDouble());
  }
  for (const TriedPair& pair : expected.passing) {
    EXPECT_TRUE(Passes(hall, pair)) << pair.columns->designation << " / " << pair.beam->designation;
  }
  EXPECT_EQ(search.NotesHeading()->text(), "Leichtere Paare, die nicht bestehen:");
  ASSERT_EQ(search.Notes()->count(), static_cast<int>(expected.lighterFailing.size()));
  for (std::size_t i = 0; i < expected.lighterFailing.size(); ++i) {
    const TriedPair& pair = expected.lighterFailing[i];
    // Not heavier: a pair of the same mass before it in the table's order counts as lighter
    // (here IPE 160 / HE 800 A and HE 300 A / HE 550 A, both 3549.6 kg).
    EXPECT_LE(pair.mass, lightest.mass);
    EXPECT_FALSE(Passes(hall, pair));
    const QString note = search.Notes()->item(static_cast<int>(i))->text();
    EXPECT_TRUE(note.startsWith(
        QStringLiteral("%1 / %2 (").arg(pair.columns->designation, pair.beam->designation)));
    EXPECT_TRUE(note.endsWith(QString::fromStdString(pair.failure))) << note.toStdString();
  }
  ASSERT_LT(expected.decided, 65U * 65U) << "the search stops after five passing pairs";
  EXPECT_EQ(search.Count()->text(),
            QStringLiteral("Entschieden: %1 von 4225 zugelassenen Paaren (die übrigen sind "
                           "schwerer als das fünfte bestehende).")
                .arg(expected.decided));

  window.QuerschnitteBemessen_Click();
  EXPECT_EQ(window.SearchWindow(), &search) << "one window per design window";
  EXPECT_TRUE(search.Shown().has_value()) << "the design is unchanged: the result stays";
}

TEST_F(SectionSearchWindowTest, EachMemberKeepsAFamilyAndADesignWithAMistakeIsNotSearched) {
  SectionSearchWindow& search = OpenOn(testing::HallDesign());
  for (int member = 0; member < 2; ++member) {
    search.Family(member, 0)->setChecked(false);
    search.Family(member, 1)->setChecked(false);
    EXPECT_TRUE(search.SearchButton()->isEnabled()) << "HE-B is left";
    search.Family(member, 2)->setChecked(false);
    EXPECT_FALSE(search.SearchButton()->isEnabled()) << member;
    search.Family(member, 1)->setChecked(true);
    EXPECT_TRUE(search.SearchButton()->isEnabled());
  }

  EXPECT_TRUE(window.SearchButton()->isEnabled());
  window.Cases()->item(0, LoadCaseTable::Column::kQ)->setText(QStringLiteral("vier"));
  EXPECT_FALSE(window.SearchButton()->isEnabled());
  window.Cases()->item(0, LoadCaseTable::Column::kQ)->setText(QStringLiteral("4"));
  EXPECT_FALSE(window.SearchButton()->isEnabled()) << "while it computes";
  ASSERT_TRUE(testing::Settled(window));
  EXPECT_TRUE(window.SearchButton()->isEnabled());
}

TEST_F(SectionSearchWindowTest, UebernehmenSetsTheChosenPairInTheDesignAndTheMainWindow) {
  const Design hall = testing::HallDesign();
  SectionSearchWindow& search = OpenOn(hall);
  search.Bemessen_Click();
  ASSERT_TRUE(testing::Settled(search));
  ASSERT_GE(search.Passing()->rowCount(), 2);
  search.Passing()->selectRow(1);
  const QString columns = Cell(search, 1, 0);
  const QString beam = Cell(search, 1, 1);
  search.Uebernehmen_Click();
  ASSERT_TRUE(testing::Settled(window));

  EXPECT_FALSE(search.isVisible());
  EXPECT_EQ(window.PortalValue(3)->text(), columns);
  EXPECT_EQ(window.PortalValue(4)->text(), beam);
  EXPECT_EQ(window.CurrentDesign().columns, (MemberChoice{columns.toStdString(), 0}));
  EXPECT_EQ(window.CurrentDesign().beam, (MemberChoice{beam.toStdString(), 0}));
  ASSERT_EQ(host.applied.size(), 1U);
  const PortalChoice expected{
      hall.system, 6, 15, {columns.toStdString(), 0}, {beam.toStdString(), 0}};
  EXPECT_EQ(host.applied.front(), expected);
  ASSERT_NE(window.ShownResult(), nullptr) << "recomputed";
  EXPECT_TRUE(window.ShownResult()->checks.AllMet());
  EXPECT_EQ(window.ShownResult()->design.columns.section, columns.toStdString());
  EXPECT_TRUE(window.IsModified());

  window.QuerschnitteBemessen_Click();
  EXPECT_FALSE(search.Shown().has_value()) << "found for the sections before";
  EXPECT_EQ(search.Passing()->rowCount(), 0);
  EXPECT_FALSE(search.ApplyButton()->isEnabled());
}

// A roof load of 2000 kN/m on 15 m: the beam carries qL²/8 = 56250 kNm between its ends and
// midspan, the largest IPE (IPE 600, Wpl = 3512 cm³) 825 kNm in S235.
TEST_F(SectionSearchWindowTest, WithoutAPassingPairItSaysSoAndWhatMayHelp) {
  Design heavy = testing::HallDesign();
  heavy.loadCases[0].loads.q = 2000;
  SectionSearchWindow& search = OpenOn(heavy);
  for (int member = 0; member < 2; ++member) {
    search.Family(member, 1)->setChecked(false);
    search.Family(member, 2)->setChecked(false);
  }
  search.Bemessen_Click();
  ASSERT_TRUE(testing::Settled(search));

  EXPECT_EQ(search.Passing()->rowCount(), 0);
  EXPECT_FALSE(search.ApplyButton()->isEnabled());
  const QString verdict = search.Verdict()->text();
  EXPECT_TRUE(
      verdict.startsWith("Kein Profilpaar erfüllt alle Nachweise. Auch das schwerste, "
                         "IPE 600 / IPE 600 ("))
      << verdict.toStdString();
  EXPECT_EQ(search.Verdict()->palette().color(QPalette::WindowText), QColor(220, 0, 0));
  const QStringList expected = {"Abhilfe: eine höhere Stahlsorte wählen (S355)",
                                "Abhilfe: die seitlichen Halterungen von Stützen und Riegel enger "
                                "setzen",
                                "Abhilfe: die Stützenfüße einspannen (eingespannter Rahmen)",
                                "Abhilfe: weitere Profilreihen zulassen"};
  ASSERT_EQ(search.Notes()->count(), expected.size());
  for (int i = 0; i < search.Notes()->count(); ++i) {
    EXPECT_EQ(search.Notes()->item(i)->text(), expected[i]);
  }
  EXPECT_EQ(search.Count()->text(), "Entschieden: 289 von 289 zugelassenen Paaren.")
      << "17 IPE for each member";
}

// Abbrechen while the search runs: nothing shown, the design as it was, the window usable again;
// closing the window stops a search as well.
TEST_F(SectionSearchWindowTest, AbbrechenStopsTheSearchAndLeavesTheDesignAsItWas) {
  SectionSearchWindow& search = OpenOn(testing::HallDesign());
  const Design before = window.CurrentDesign();
  EXPECT_TRUE(search.Progress()->isHidden());
  EXPECT_TRUE(search.CancelButton()->isHidden());
  search.Bemessen_Click();
  EXPECT_TRUE(search.IsSearching());
  EXPECT_FALSE(search.Progress()->isHidden());
  EXPECT_FALSE(search.CancelButton()->isHidden());
  EXPECT_TRUE(search.CancelButton()->isEnabled());
  EXPECT_FALSE(search.SearchButton()->isEnabled());
  EXPECT_FALSE(search.Family(1, 2)->isEnabled()) << "the families stay as searched";
  EXPECT_FALSE(search.ApplyButton()->isEnabled());
  EXPECT_EQ(search.Verdict()->text(), "Sucht …");
  EXPECT_EQ(search.Progress()->maximum(), 65 * 65) << "the allowed pairs, known at once";
  EXPECT_LE(search.Progress()->value(), search.Progress()->maximum());

  search.Abbrechen_Click();
  EXPECT_FALSE(search.IsSearching());
  EXPECT_TRUE(search.Progress()->isHidden());
  EXPECT_TRUE(search.CancelButton()->isHidden());
  EXPECT_TRUE(search.SearchButton()->isEnabled());
  EXPECT_TRUE(search.Family(1, 2)->isEnabled());
  EXPECT_FALSE(search.ApplyButton()->isEnabled());
  EXPECT_EQ(search.Verdict()->text(),
            "Abgebrochen: nichts gefunden, die Bemessung ist unverändert.");
  QTest::qWait(300);
  EXPECT_FALSE(search.Shown().has_value()) << "the cancelled search never comes back";
  EXPECT_EQ(search.Passing()->rowCount(), 0);
  EXPECT_EQ(window.CurrentDesign(), before);
  EXPECT_TRUE(host.applied.empty());
  EXPECT_FALSE(window.IsModified());
  EXPECT_TRUE(host.messages.shown.empty());

  search.Bemessen_Click();
  ASSERT_TRUE(testing::Settled(search));
  ASSERT_TRUE(search.Shown().has_value());
  const SectionSearch expected = SearchSections(before, {});
  EXPECT_EQ(SectionSearchJson(*search.Shown()), SectionSearchJson(expected));
  EXPECT_TRUE(search.ApplyButton()->isEnabled());

  search.Bemessen_Click();
  search.close();
  EXPECT_FALSE(search.IsSearching());
  EXPECT_EQ(window.CurrentDesign(), before);
}

// In the program the pair reaches the main window as a design file's sections do: chosen in the
// cross-section window under its name there, and read back as the main window's portal.
TEST(SectionSearchAppTest, UebernehmenChoosesThePairInTheCrossSectionWindow) {
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs dialogs;
  StrevoApp app{messages, dialogs};
  app.SetProgramDirectory(STREVO_DATA_DIR);
  app.Start();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("halle.strevo"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(WriteDesign(testing::HallDesign()).c_str());
  file.close();
  dialogs.names.push_back(path);
  DesignWindow& window = app.DesignForm();
  window.mnuOeffnen_Click();
  ASSERT_TRUE(testing::Settled(window));
  window.QuerschnitteBemessen_Click();
  SectionSearchWindow& search = *window.SearchWindow();
  search.Bemessen_Click();
  ASSERT_TRUE(testing::Settled(search));
  ASSERT_TRUE(search.Shown().has_value());
  ASSERT_FALSE(search.Shown()->passing.empty());
  const TriedPair pair = search.Shown()->passing.front();
  search.Uebernehmen_Click();

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(app.SectionsWindow().SectionLabel(1)->text().trimmed().toStdString(),
            ProgramDesignation(*pair.columns));
  EXPECT_EQ(app.SectionsWindow().SectionLabel(2)->text().trimmed().toStdString(),
            ProgramDesignation(*pair.beam));
  const PortalChoice main = app.MainPortal();
  EXPECT_EQ(main.columns.section, pair.columns->designation);
  EXPECT_EQ(main.beam.section, pair.beam->designation);
  EXPECT_EQ(main, PortalChoiceOf(window.CurrentDesign()));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A height of 1e158 m: no pair's frame finds an equilibrium. Each fails with that reason, and
// the window says so instead of ending the program.
TEST_F(SectionSearchWindowTest, PairsWithoutEquilibriumFailWithTheirReason) {
  Design tall = testing::HallDesign();
  tall.h = 1e158;
  SectionSearchWindow& search = OpenOn(tall);
  host.messages.shown.clear();  // opening said that the design itself cannot be computed
  search.Bemessen_Click();
  ASSERT_TRUE(testing::Settled(search));
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(search.Passing()->rowCount(), 0);
  const QString verdict = search.Verdict()->text();
  EXPECT_TRUE(
      verdict.startsWith("Kein Profilpaar erfüllt alle Nachweise. Auch das schwerste, "
                         "HE 1000 B / HE 1000 B ("))
      << verdict.toStdString();
  EXPECT_TRUE(verdict.endsWith(" kg), besteht nicht: Rechenfehler (Rahmen ohne Gleichgewicht)."))
      << verdict.toStdString();
  EXPECT_FALSE(search.ApplyButton()->isEnabled());
}

}  // namespace
}  // namespace strevo
