// What the results window shows belongs to the last computation: a point load off the beam is
// refused before anything is computed, and the pictures never mix in fields edited since.
#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include "form1.h"
#include "input_table.h"
#include "picture_box.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "strevo_app.h"

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
    for (const PictureBox::Item& item : app.ResultsWindow().Picture1()->Items()) {
      if (item.colour == wanted) {
        lines.push_back(item.line);
      }
    }
    return lines;
  }

  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(LastComputationTest, APointLoadOffTheBeamIsRefusedAndItsPlaceMarked) {
  app.MainWindow().mnuschnittgroessen_Click();
  const Computation* first = app.LastComputation();
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
    EXPECT_DOUBLE_EQ(first->inputs.F, 0);
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
  EXPECT_DOUBLE_EQ(app.LastComputation()->inputs.a, 6);

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
  const std::size_t withMoment = results.Picture1()->Items().size();
  results.mnuVerformung_Click();
  EXPECT_FALSE(Strokes(kDeformationColour).empty());
  EXPECT_FALSE(results.Picture1()->Label3(kFirstDeformationLabel)->isHidden());
  results.mnuVerformung_Click();
  EXPECT_TRUE(Strokes(kDeformationColour).empty());
  EXPECT_EQ(results.Picture1()->Items().size(), withMoment) << "the moment diagram stays";
  for (int i = kFirstDeformationLabel; i < kValueLabelCount; ++i) {
    EXPECT_TRUE(results.Picture1()->Label3(i)->isHidden()) << i;
  }
  EXPECT_FALSE(results.Picture1()->Label3(13)->isHidden()) << "M3 of the diagram stays";
  results.mnuVerformung_Click();
  EXPECT_FALSE(Strokes(kDeformationColour).empty()) << "and shows again";
  EXPECT_TRUE(messages.shown.empty()) << messages.shown[0].text.toStdString();
}

}  // namespace
}  // namespace strevo
