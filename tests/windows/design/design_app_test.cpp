// The design window in the program: reached from the results window, one portal with the main
// window and the cross-section window, its result in the list window.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "core/analysis/input_table.h"
#include "core/design/design_output.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "settled.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/design/load_case_table.h"
#include "windows/results/form2.h"
#include "windows/results/picture_box.h"
#include "windows/sections/form4.h"

namespace strevo {
namespace {

constexpr const char* kHalle = R"({
  "format": "strevo-bemessung",
  "version": 1,
  "system": 2,
  "h": 6.0,
  "L": 15.0,
  "columns": "HE 300 A",
  "beam": "IPE 450",
  "loadCases": [
    { "name": "Dach", "action": "G", "q": 4.0 },
    { "name": "Schnee", "action": "S", "q": 8.0 }
  ]
})";

class DesignAppTest : public ::testing::Test {
 protected:
  DesignAppTest() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~DesignAppTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  Form1& form() { return app.MainWindow(); }
  QString Field(int index) { return form().Text1(index)->text(); }
  void Open(const std::string& text) {
    const QString path = dir.filePath(QStringLiteral("halle.strevo"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.c_str());
    file.close();
    fileDialogs.names.push_back(path);
    app.DesignForm().mnuOeffnen_Click();
    ASSERT_TRUE(testing::Settled(app.DesignForm()));
  }

  QTemporaryDir dir;
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(DesignAppTest, TheResultsWindowsKeyOpensTheDesignWindowOnTheMainWindowsPortal) {
  form().mnuschnittgroessen_Click();
  Form2& results = app.ResultsWindow();
  QAction* entry = nullptr;
  for (QAction* action : results.Picture1()->actions()) {
    if (action->objectName() == "Bemessung") {
      entry = action;
    }
  }
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(), "Bemessung…");
  EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_TRUE(results.Picture1()->toolTip().contains("Bemessung mit Lastfällen (F5)"));
  EXPECT_FALSE(app.IsDesignWindowLoaded());

  QApplication::setActiveWindow(&results);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&results));
  QTest::keyClick(&results, Qt::Key_F5);
  ASSERT_TRUE(app.IsDesignWindowLoaded());
  DesignWindow& design = app.DesignForm();
  EXPECT_TRUE(design.isVisible());
  EXPECT_EQ(design.PortalValue(0)->text(), "Zweigelenk Strevo");
  EXPECT_EQ(design.PortalValue(1)->text(), "4.00 m");
  EXPECT_EQ(design.PortalValue(3)->text(), "I = 1 cm4 (ohne Profil)");
  EXPECT_DOUBLE_EQ(design.CurrentDesign().loadCases.at(0).loads.q, 2) << "the main window's q";
  EXPECT_TRUE(messages.shown.empty());

  design.close();  // through the title bar: unloaded
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(app.IsDesignWindowLoaded());
  entry->trigger();
  EXPECT_TRUE(app.IsDesignWindowLoaded()) << "the menu entry loads it afresh";
}

// The file's sections as the cross-section window chooses them: their I from the profile table
// (HE 300 A 18260 cm4, IPE 450 33740 cm4), and kept as chosen for the main window's check.
TEST_F(DesignAppTest, OpeningAFileSetsTheMainWindowsSystemFieldsAndSections) {
  Open(kHalle);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(form().Option1(2)->isChecked());
  EXPECT_EQ(Field(kFieldH), "6");
  EXPECT_EQ(Field(kFieldL), "15");
  EXPECT_EQ(Field(kFieldI1), "18260");
  EXPECT_EQ(Field(kFieldI2), "33740");
  EXPECT_EQ(app.SectionsWindow().SectionLabel(1)->text().trimmed(), "HE-A 300");
  EXPECT_EQ(app.SectionsWindow().SectionLabel(2)->text().trimmed(), "IPE 450");
  EXPECT_EQ(app.ChosenFamilies().column, 1);
  EXPECT_EQ(app.ChosenFamilies().beam, 0);
  EXPECT_TRUE(app.ResultsWindow().Line3()[0].visible) << "the fixed frame's clamps";

  const PortalChoice portal = app.MainPortal();
  EXPECT_EQ(portal, PortalChoiceOf(app.DesignForm().CurrentDesign())) << "one portal";
  form().mnuschnittgroessen_Click();
  EXPECT_EQ(app.LastComputation()->Snapshot().columnSection, "HE-A 300");
  EXPECT_EQ(app.LastComputation()->Snapshot().beamSection, "IPE 450");

  // A field typed over is a bare I again.
  form().Text1(kFieldI2)->setText(QStringLiteral("30000"));
  EXPECT_EQ(app.MainPortal().beam, (MemberChoice{"", 30000}));
  app.DesignForm().Uebernehmen_Click();
  ASSERT_TRUE(testing::Settled(app.DesignForm()));
  EXPECT_EQ(app.DesignForm().PortalValue(4)->text(), "I = 30000 cm4 (ohne Profil)");
}

TEST_F(DesignAppTest, ABareIOfTheFileIsTypedAndNoSectionStaysChosen) {
  Open(kHalle);
  std::string text = kHalle;
  text.replace(text.find("\"HE 300 A\""), 10, "{ \"I\": 12345.5 }");
  Open(text);
  EXPECT_EQ(Field(kFieldI1), "12345.5");
  EXPECT_EQ(app.MainPortal().columns, (MemberChoice{"", 12345.5}));
  EXPECT_EQ(app.MainPortal().beam, (MemberChoice{"IPE 450", 0}));
}

TEST_F(DesignAppTest, TheListWindowShowsTheDesignAfterTheComputation) {
  form().mnuschnittgroessen_Click();
  app.ShowResultList();
  QTableWidget& table = *app.ResultList().Table();
  const int computationRows = table.rowCount();
  EXPECT_EQ(computationRows, 12 + 18 + 3) << "no design yet: the computation alone";

  Open(kHalle);
  ASSERT_NE(app.LastDesign(), nullptr);
  EXPECT_EQ(app.LastDesign(), app.DesignForm().ShownResult());
  const std::vector<ListRow> rows = DesignRows(*app.LastDesign());
  ASSERT_EQ(table.rowCount(), computationRows + static_cast<int>(rows.size()));
  EXPECT_EQ(table.item(computationRows, 0)->text().toStdString(), rows.front().symbol);
  EXPECT_EQ(table.item(table.rowCount() - 1, 1)->text().toStdString(), rows.back().value);

  // An edit computes the design again, and the list follows.
  app.DesignForm().Cases()->item(1, LoadCaseTable::kQ)->setText(QStringLiteral("9"));
  ASSERT_TRUE(testing::Settled(app.DesignForm()));
  const std::vector<ListRow> again = DesignRows(*app.LastDesign());
  EXPECT_EQ(app.LastDesign()->design.loadCases[1].loads.q, 9);
  EXPECT_EQ(table.rowCount(), computationRows + static_cast<int>(again.size()));

  // The results window's copy carries the same rows as the list.
  QApplication::clipboard()->clear();
  app.ResultsWindow().mnuKopieren_Click();
  // Opening the design changed the main window's fields since its computation.
  std::vector<ListRow> copied = WithChangeNote(app.LastComputation()->ListRows(), true);
  copied.insert(copied.end(), again.begin(), again.end());
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), ResultListText(copied));

  // A design with a mistake is not computed: the list keeps the last one.
  app.DesignForm().Cases()->item(1, LoadCaseTable::kQ)->setText(QStringLiteral("neun"));
  EXPECT_EQ(app.DesignForm().ShownResult(), nullptr);
  EXPECT_EQ(app.LastDesign()->design.loadCases[1].loads.q, 9);
}

// The results window's report: the computation's pages, then the design's, counted as one.
TEST_F(DesignAppTest, TheResultsWindowsReportCarriesTheDesignAfterTheComputation) {
  form().mnuschnittgroessen_Click();
  Open(kHalle);
  const QString pdf = dir.filePath(QStringLiteral("bericht.pdf"));
  fileDialogs.names.push_back(pdf);
  app.ResultsWindow().mnuBerichtSpeichern_Click();
  ASSERT_TRUE(messages.shown.empty());
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  ASSERT_GT(pages.size(), 4);
  for (int i = 0; i < pages.size(); ++i) {
    EXPECT_TRUE(pages[i].contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(pages.size())))
        << i;
  }
  EXPECT_TRUE(pages[0].contains(QStringLiteral("System: Zweigelenk Strevo")));
  EXPECT_TRUE(text.contains(QStringLiteral("1,35·G + 1,5·S")));
  EXPECT_TRUE(text.contains(QStringLiteral("HE 300 A")));
}

TEST_F(DesignAppTest, QuittingClosesAChangedDesignWithoutAsking) {
  app.ShowDesignWindow();
  app.DesignForm().Hinzufuegen_Click();
  ASSERT_TRUE(app.DesignForm().IsModified());
  app.Quit();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(app.IsDesignWindowLoaded());
}

}  // namespace
}  // namespace strevo
