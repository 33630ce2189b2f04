// What the results window shows belongs to the last computation: a point load off the beam is
// refused before anything is computed, the pictures never mix in fields edited since, and
// whatever leaves the window says when it is older than the fields.
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include "core/analysis/input_table.h"
#include "recording_messages.h"
#include "report/picture_painter.h"
#include "scripted_file_dialogs.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/results/picture_box.h"
#include "windows/results/result_list_window.h"

namespace strevo {
namespace {

constexpr const char* kOffTheBeam = "Die Einzellast F muss auf dem Riegel stehen: 0 ≤ a ≤ L.";
const QColor kDarkRed(139, 0, 0);

class LastComputationTest : public ::testing::Test {
 protected:
  LastComputationTest() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~LastComputationTest() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QLineEdit& Field(int index) { return *app.MainWindow().Text1(index); }
  void Type(int index, const QString& text) {
    Field(index).selectAll();
    QTest::keyClicks(&Field(index), text);
  }
  bool Marked(int index) { return Field(index).palette().color(QPalette::Text) == kDarkRed; }
  // The strokes of one colour, as the picture holds them.
  std::vector<QLineF> Strokes(int colour) {
    std::vector<QLineF> lines;
    const QColor wanted(kPalette[colour].r, kPalette[colour].g, kPalette[colour].b);
    for (const RecordedStroke& stroke : app.ResultsWindow().Picture1()->Recording().Strokes()) {
      if (PaletteColour(stroke.colour) == wanted) {
        lines.push_back(QLineF(stroke.x1, stroke.y1, stroke.x2, stroke.y2));
      }
    }
    return lines;
  }

  QTemporaryDir dir;
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(LastComputationTest, APointLoadOffTheBeamIsRefusedAndItsPlaceMarked) {
  app.MainWindow().mnuschnittgroessen_Click();
  const TakenComputation* first = app.LastComputation();
  ASSERT_NE(first, nullptr);
  const QString M3 = app.ResultsWindow().Label2(12)->text();

  Type(kFieldF, "10");
  Type(kFieldA, "6");  // L = 5
  EXPECT_TRUE(Marked(kFieldA));
  EXPECT_EQ(Field(kFieldA).toolTip().toStdString(), kOffTheBeam);
  for (void (Form1::*command)() : {&Form1::mnuschnittgroessen_Click, &Form1::mnudrucken_Click}) {
    messages.shown.clear();
    (app.MainWindow().*command)();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.toStdString(), kOffTheBeam);
    EXPECT_EQ(app.LastComputation(), first) << "nothing computed";
    EXPECT_DOUBLE_EQ(first->Snapshot().inputs.F, 0);
    EXPECT_EQ(app.ResultsWindow().Label2(12)->text(), M3) << "the old lines stay";
  }

  Type(kFieldA, "-0.5");
  EXPECT_TRUE(Marked(kFieldA)) << "before the beam's start";
  Type(kFieldL, "8");
  Type(kFieldA, "6");
  EXPECT_FALSE(Marked(kFieldA)) << "the longer beam carries it";
  Type(kFieldL, "5");
  EXPECT_TRUE(Marked(kFieldA)) << "a span edit decides as well";
  Type(kFieldF, "0");
  EXPECT_FALSE(Marked(kFieldA)) << "without a point load its place does not matter";
  EXPECT_TRUE(Field(kFieldA).toolTip().isEmpty());
  messages.shown.clear();
  app.MainWindow().mnuschnittgroessen_Click();
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_NE(app.LastComputation(), nullptr);
  EXPECT_DOUBLE_EQ(app.LastComputation()->Snapshot().inputs.a, 6);

  Type(kFieldF, "10");
  Type(kFieldA, "5");  // on the beam's end
  EXPECT_FALSE(Marked(kFieldA));
  Type(kFieldA, "abc");  // reads as 0, on the beam: the reading note speaks
  EXPECT_TRUE(Field(kFieldA).toolTip().startsWith("Gelesen wird"));
}

TEST_F(LastComputationTest, DiagramsAndTooltipFollowTheLastComputationNotTheFields) {
  app.MainWindow().mnuschnittgroessen_Click();
  Form2& results = app.ResultsWindow();
  results.Command5_Click();
  const std::vector<QLineF> moment = Strokes(12);
  ASSERT_FALSE(moment.empty());
  const QString M3 = results.Picture1()->Label3(13)->text();
  EXPECT_EQ(M3, "3.94");

  Type(1, "20");  // q ten times larger, not computed
  results.Command4_Click();
  results.Command5_Click();
  EXPECT_EQ(Strokes(12), moment) << "the parabola of the computed q";
  EXPECT_EQ(results.Picture1()->Label3(13)->text(), M3);

  // The tooltip says that the picture is older than the fields, over a member and beside one.
  results.show();
  PictureBox& picture = *results.Picture1();
  const QPoint onBeam = picture.Viewport().ToPixels({500, 301}).toPoint();
  const QPoint inside = picture.Viewport().ToPixels({500, 500}).toPoint();
  for (const QPoint& at : {onBeam, inside}) {
    QHelpEvent help(QEvent::ToolTip, at, picture.mapToGlobal(at));
    QCoreApplication::sendEvent(&picture, &help);
    EXPECT_TRUE(QToolTip::text().endsWith("Eingaben seit der letzten Berechnung geändert"))
        << QToolTip::text().toStdString();
  }
  Type(1, "2");
  QHelpEvent help(QEvent::ToolTip, onBeam, picture.mapToGlobal(onBeam));
  QCoreApplication::sendEvent(&picture, &help);
  EXPECT_FALSE(QToolTip::text().contains("seit der letzten Berechnung"));
}

TEST_F(LastComputationTest, TheDeflectedShapeKeyShowsAndHides) {
  app.MainWindow().mnuschnittgroessen_Click();
  Form2& results = app.ResultsWindow();
  results.Command5_Click();
  const std::size_t withMoment = results.Picture1()->Recording().Strokes().size();
  results.mnuVerformung_Click();
  EXPECT_FALSE(Strokes(kDeformationColour).empty());
  EXPECT_FALSE(results.Picture1()->Label3(kFirstDeformationLabel)->isHidden());
  results.mnuVerformung_Click();
  EXPECT_TRUE(Strokes(kDeformationColour).empty());
  EXPECT_EQ(results.Picture1()->Recording().Strokes().size(), withMoment)
      << "the moment diagram stays";
  for (int i = kFirstDeformationLabel; i < kValueLabelCount; ++i) {
    EXPECT_TRUE(results.Picture1()->Label3(i)->isHidden()) << i;
  }
  EXPECT_FALSE(results.Picture1()->Label3(13)->isHidden()) << "M3 of the diagram stays";
  results.mnuVerformung_Click();
  EXPECT_FALSE(Strokes(kDeformationColour).empty()) << "and shows again";
  EXPECT_TRUE(messages.shown.empty()) << messages.shown[0].text.toStdString();
}

// After a failed computation the clipboard, the CSV and the picture say that they show an
// earlier one; after "Drucken" the picture says that it is older than the values.
TEST_F(LastComputationTest, ExportsAndPictureSayWhenTheyAreOld) {
  app.MainWindow().mnuschnittgroessen_Click();
  Type(8, "0");  // I1 = 0: the next computation fails
  app.MainWindow().mnuschnittgroessen_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  app.ShowResultList();
  EXPECT_EQ(app.ResultList().Notice()->text(), "Eingaben seit der letzten Berechnung geändert");
  Form2& results = app.ResultsWindow();
  results.mnuKopieren_Click();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(
      "System: Zweigelenk Strevo\nHinweis\tEingaben seit der letzten Berechnung geändert\t\n"))
      << QGuiApplication::clipboard()->text().toStdString();
  const QString csv = dir.filePath("alt.csv");
  fileDialogs.names.push_back(csv);
  results.mnuErgebnisseSpeichern_Click();
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("Hinweis;Eingaben seit der letzten Berechnung geändert;"));

  Type(8, "1.00");
  Type(1, "3");
  app.MainWindow().mnudrucken_Click();  // computes, draws nothing
  PictureBox& picture = *results.Picture1();
  const QPoint inside = picture.Viewport().ToPixels({500, 500}).toPoint();
  QHelpEvent help(QEvent::ToolTip, inside, picture.mapToGlobal(inside));
  QCoreApplication::sendEvent(&picture, &help);
  EXPECT_TRUE(QToolTip::text().endsWith("Das Bild gehört zu einer früheren Berechnung."))
      << QToolTip::text().toStdString();
  results.Command4_Click();
  QCoreApplication::sendEvent(&picture, &help);
  EXPECT_FALSE(QToolTip::text().contains("früheren Berechnung")) << "drawn again";
}

// Typing "bericht" where "bericht.csv" exists overwrote it unasked; the chosen type decides the
// suffix and the format.
TEST_F(LastComputationTest, TheOverwriteQuestionCoversTheNameWritten) {
  app.MainWindow().mnuschnittgroessen_Click();
  Form2& results = app.ResultsWindow();
  const QString existing = dir.filePath("bericht.csv");
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("alt");
  }
  fileDialogs.names.push_back(dir.filePath("bericht"));
  messages.answers.push_back(MessageAnswer::Cancel);
  results.mnuErgebnisseSpeichern_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "„bericht.csv“ ist bereits vorhanden.\nSoll die Datei ersetzt werden?");
  QFile old(existing);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "alt") << "kept when the answer is no";

  fileDialogs.names.push_back(dir.filePath("bericht"));
  results.mnuErgebnisseSpeichern_Click();  // answered yes
  QFile replaced(existing);
  ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
  EXPECT_TRUE(replaced.readAll().startsWith("\xEF\xBB\xBFGröße;"));

  fileDialogs.names.push_back(dir.filePath("bild.jpg"));
  fileDialogs.filterIndices.push_back(2);  // SVG
  results.mnuBildSpeichern_Click();
  QFile svg(dir.filePath("bild.jpg.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
  EXPECT_FALSE(QFile::exists(dir.filePath("bild.jpg")));
}

}  // namespace
}  // namespace strevo
