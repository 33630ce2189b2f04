// The main window and the window registry: start-up, editing reactions, system choice, menu
// commands and fault reports, driven as a user would.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "core/analysis/input_table.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "widget_helpers.h"
#include "windows/app/form1.h"
#include "windows/app/main_sketch.h"
#include "windows/app/strevo_app.h"
#include "windows/results/picture_box.h"

namespace strevo {
namespace {

using testing::NextTabStop;

const std::array<const char*, 10> kDefaults = {"0.00", "2.00", "4.00", "3.00", "2.00",
                                               "5.00", "0.00", "0.00", "1.00", "1.50"};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~MainWindowTest() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  Form1& form() { return app.MainWindow(); }
  QString Text(int i) { return form().Text1(i)->text(); }
  // Types into a field as a user does: select all, then the keys.
  void Type(int field, const QString& text) {
    QLineEdit* edit = form().Text1(field);
    edit->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(edit, Qt::Key_Delete);
    } else {
      QTest::keyClicks(edit, text);
    }
  }
  void ExpectPointLoadControlsVisible(bool visible) {
    for (int i : {3, 4}) {
      EXPECT_EQ(!form().Text1(i)->isHidden(), visible) << "Text1 " << i;
      EXPECT_EQ(!form().Label2(i)->isHidden(), visible) << "Label2 " << i;
      EXPECT_EQ(!form().Label3(i)->isHidden(), visible) << "Label3 " << i;
    }
    for (const int i : kPointLoadChainLines) {
      EXPECT_EQ(form().Line6()[i].visible, visible) << "Line6 " << i;
    }
    for (int i : {5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
      EXPECT_TRUE(form().Line6()[i].visible) << "Line6 " << i;
    }
    EXPECT_EQ(kPointLoadChainLines.size() + 10, form().Line6().size()) << "every line named once";
    for (const SketchLine& line : form().Line5()) {
      EXPECT_EQ(line.visible, visible);
    }
  }
  void ExpectSymbols(SystemType system) {
    Form2& results = app.ResultsWindow();
    const bool clamps = system == SystemType::FixedFrame;
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(form().Line3()[i].visible, clamps);
      EXPECT_EQ(results.Line3()[i].visible, clamps);
    }
    for (int i = 0; i < 7; ++i) {
      const bool hinge =
          system == SystemType::KinkedBeam || (system == SystemType::TwoHingedFrame && i < 6);
      EXPECT_EQ(form().Line2()[i].visible, hinge) << i;
      EXPECT_EQ(results.Line2()[i].visible, hinge) << i;
    }
    EXPECT_EQ(!results.Label2(2)->isHidden(), system == SystemType::FixedFrame);
    EXPECT_EQ(!results.Label2(3)->isHidden(), system != SystemType::KinkedBeam);
    EXPECT_EQ(!results.Label2(5)->isHidden(), system == SystemType::FixedFrame);
  }

  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(MainWindowTest, StartUpState) {
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Text(i), kDefaults[i]) << i;
  }
  EXPECT_EQ(form().SelectedSystem(), SystemType::TwoHingedFrame);
  EXPECT_EQ(form().windowTitle(), "Strevoberechnung");
  EXPECT_EQ(form().findChild<QLabel*>("Label1")->text(), "Strevo");
  EXPECT_EQ(form().Option1(0)->text(), "Geknickter Träger");
  EXPECT_EQ(form().Option1(1)->text(), "Zweigelenk Strevo");
  EXPECT_EQ(form().Option1(2)->text(), "Eingesp. Strevo");
  EXPECT_EQ(form().Label2(0)->text(), "wD =");
  EXPECT_EQ(form().Label3(0)->text(), "kN/m");
  EXPECT_EQ(form().Label2(9)->text(), "I2 =");
  EXPECT_EQ(form().Label3(7)->text(), "kN");
  EXPECT_EQ(form().Label4(0)->text(), "A");
  EXPECT_EQ(form().Label4(1)->text(), "B");
  ExpectPointLoadControlsVisible(false);
  EXPECT_EQ(form().Line5()[0].x1, 3792);
  EXPECT_EQ(form().Line5()[0].x2, 3792);
  EXPECT_EQ(form().Line5()[1].x1, 3712);
  EXPECT_EQ(form().Line5()[1].x2, 3792);
  EXPECT_EQ(form().Line5()[2].x1, 3872);
  EXPECT_EQ(form().Line5()[2].x2, 3792);
  EXPECT_EQ(form().Line5()[0].y1, 960) << "y stays as laid out";
  ExpectSymbols(SystemType::TwoHingedFrame);
  ASSERT_TRUE(app.IsResultsWindowLoaded());
  EXPECT_TRUE(app.ResultsWindow().isHidden());
  EXPECT_TRUE(app.ResultsWindow().Label2(14)->isHidden());
  for (const char* name :
       {"mnuöffnen", "mnuspeichern", "mnuausschneiden", "mnukopieren", "mnueinfügen"}) {
    EXPECT_FALSE(form().MenuItem(QString::fromUtf8(name))->isEnabled()) << name;
  }
  for (const char* name : {"mnuneu", "mnudrucken", "mnubeenden", "mnuquerschnitte",
                           "mnuschnittgrößen", "mnuhilfe", "mnuinfo"}) {
    EXPECT_TRUE(form().MenuItem(QString::fromUtf8(name))->isEnabled()) << name;
  }
  EXPECT_TRUE(form().Text1(kFieldB)->isReadOnly());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, MenuBarInOrder) {
  QStringList top;
  for (QAction* action : form().menuBar()->actions()) {
    top << action->text();
  }
  EXPECT_EQ(top, QStringList({"&Datei", "&Bearbeiten", "&Querschnitte", "&Schnittgrößen", "?"}));
  const auto items = [&](const char* menu) {
    QStringList names;
    for (QAction* action : form().MenuItem(menu)->menu()->actions()) {
      names << (action->isSeparator() ? "-" : action->text());
    }
    return names;
  };
  EXPECT_EQ(items("mnudatei"),
            QStringList({"Neu", "Öffnen", "Speichern", "Drucken", "-", "Beenden"}));
  EXPECT_EQ(items("mnubearbeiten"), QStringList({"Ausschneiden", "Kopieren", "Einfügen"}));
  EXPECT_EQ(items("mnuhelp"), QStringList({"Hilfe", "-", "Info"}));
  EXPECT_TRUE(form().MenuItem("mnutrenn")->isSeparator());
  EXPECT_TRUE(form().MenuItem("mnutrenn1")->isSeparator());
  for (QAction* action : form().findChildren<QAction*>()) {
    EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
  }
}

TEST_F(MainWindowTest, LayoutInTwips) {
  EXPECT_EQ(form().centralWidget()->size(), QSize(981, 676));
  EXPECT_EQ(form().Frame1()->geometry(), QRect(88, 200, 529, 393));
  EXPECT_EQ(form().Text1(0)->geometry(), QRect(48, 88, 49, 19));
  EXPECT_EQ(form().Text1(kFieldI1)->geometry(), QRect(208, 184, 57, 19));
  EXPECT_EQ(form().Label2(0)->geometry(), QRect(8, 88, 33, 17));
  EXPECT_EQ(form().Label2(1)->geometry(), QRect(128, 48, 25, 17));
  EXPECT_EQ(form().Option1(2)->geometry(), QRect(360, 32, 145, 17));
  EXPECT_EQ(form().Label4(1)->geometry(), QRect(336, 256, 25, 25));
  for (int i = 0; i < 10; ++i) {
    const bool load = i == 0 || i == 1 || i == 6 || i == 7;
    EXPECT_EQ(form().Label2(i)->font().bold(), load) << i;
    EXPECT_EQ(form().Text1(i)->palette().color(QPalette::Base) == QColor(192, 192, 255), load);
    EXPECT_EQ(form().Label2(i)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  }
  for (int i = 0; i + 1 < 10; ++i) {
    EXPECT_EQ(NextTabStop(form().Text1(i)), form().Text1(i + 1)) << i;
  }
  EXPECT_TRUE(form().Line1()[3].dashed && form().Line1()[4].dashed && form().Line1()[5].dashed);
  EXPECT_FALSE(form().Line1()[0].dashed);
  EXPECT_EQ(form().Line4().size(), 21u);
  EXPECT_EQ(form().Line6().size(), 17u);
  EXPECT_EQ(form().Line7().size(), 6u);
}

TEST_F(MainWindowTest, EditingDerivesBAndGuardsTheSpan) {
  Type(3, "1");
  EXPECT_EQ(Text(4), "4.00");
  Type(5, "8");
  EXPECT_EQ(Text(4), "7.00");
  // A span of 0 is marked while it is typed and replaced only when the field is left or a
  // command runs: ".75" typed over the span once became "5.0075".
  Type(5, ".75");
  EXPECT_EQ(Text(5), ".75");
  EXPECT_EQ(Text(4), "-0.25");
  Type(5, "-5");
  EXPECT_EQ(Text(5), "-5") << "a negative span can be typed";
  Type(5, "");
  EXPECT_EQ(Text(5), "");
  EXPECT_EQ(Text(4), "-1.00") << "b follows what L reads as";
  Type(5, "0");
  QLineEdit* span = form().Text1(kFieldL);
  EXPECT_EQ(span->palette().color(QPalette::Text), QColor(139, 0, 0));
  EXPECT_EQ(span->toolTip(),
            "L = 0: beim Verlassen des Feldes oder beim nächsten Befehl wird 5.00 eingesetzt.");
  QTest::keyClick(span, Qt::Key_Return);  // leaves the editing
  EXPECT_EQ(Text(5), "5.00");
  EXPECT_EQ(Text(4), "4.00");
  EXPECT_TRUE(span->toolTip().isEmpty());
  span->setText("abc");  // pasted: no leading number
  EXPECT_EQ(Text(5), "abc");
  form().mnuschnittgroessen_Click();
  EXPECT_EQ(Text(5), "5.00") << "the command replaces it before the engine reads it";
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_DOUBLE_EQ(app.LastComputation()->Snapshot().inputs.L, 5);
  Type(3, "7");
  EXPECT_EQ(Text(4), "-2.00") << "b may become negative";
  EXPECT_DOUBLE_EQ(form().Line5()[0].x1, 7 * 2520 / 5.0 + 2280) << "right of the right column";
}

TEST_F(MainWindowTest, PointLoadShowsItsFieldsAndArrow) {
  Type(7, "10");
  ExpectPointLoadControlsVisible(true);
  EXPECT_EQ(form().Line5()[0].x1, 3792);
  EXPECT_EQ(form().Line5()[1].x1, 3702) << "after an edit the heads stand 90 twips aside";
  EXPECT_EQ(form().Line5()[2].x1, 3882);
  EXPECT_EQ(form().Line5()[1].x2, 3792);
  Type(7, "0");
  ExpectPointLoadControlsVisible(false);
}

TEST_F(MainWindowTest, SystemChoiceInBothWindows) {
  QTest::mouseClick(form().Option1(2), Qt::LeftButton);
  EXPECT_EQ(form().SelectedSystem(), SystemType::FixedFrame);
  ExpectSymbols(SystemType::FixedFrame);
  QTest::mouseClick(form().Option1(0), Qt::LeftButton);
  ExpectSymbols(SystemType::KinkedBeam);
  QTest::mouseClick(form().Option1(1), Qt::LeftButton);
  ExpectSymbols(SystemType::TwoHingedFrame);
  form().Option1_Click(3);  // not a system: nothing happens
  ExpectSymbols(SystemType::TwoHingedFrame);
}

TEST_F(MainWindowTest, NewRestoresTheStartState) {
  QTest::mouseClick(form().Option1(2), Qt::LeftButton);
  Type(0, "3");
  Type(7, "12");
  Type(5, "9");
  form().MenuItem("mnuneu")->trigger();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Text(i), kDefaults[i]) << i;
  }
  EXPECT_EQ(form().SelectedSystem(), SystemType::TwoHingedFrame);
  ExpectSymbols(SystemType::TwoHingedFrame);
  ExpectPointLoadControlsVisible(false);
}

TEST_F(MainWindowTest, PrintShowsFreshLinesWithoutDrawing) {
  Form2& results = app.ResultsWindow();
  form().MenuItem("mnudrucken")->trigger();
  EXPECT_FALSE(results.isHidden());
  EXPECT_EQ(results.Label2(0)->text(), "AH = 0.58 kN");
  EXPECT_TRUE(results.Picture1()->Recording().Strokes().empty());
  EXPECT_EQ(app.Results().Lmax, 0);
}

TEST_F(MainWindowTest, SchnittgroessenComputesShowsAndDraws) {
  Form2& results = app.ResultsWindow();
  results.Picture1()->Canvas().SetLabelVisible(12, true);
  form().MenuItem(QString::fromUtf8("mnuschnittgrößen"))->trigger();
  EXPECT_FALSE(results.isHidden());
  EXPECT_EQ(results.Label2(12)->text(), "M3 = 3.94 kNm");
  EXPECT_FALSE(results.Picture1()->Recording().Strokes().empty());
  EXPECT_EQ(app.Results().Lmax, 5);
  for (int i = 11; i <= 23; ++i) {
    EXPECT_TRUE(results.Picture1()->Label3(i)->isHidden()) << i;
  }
  EXPECT_EQ(results.Picture1()->Label3(3)->text(), "AH = 0.58 kN");

  // OK hides; the command shows the same window again with a fresh drawing.
  results.Command1_Click();
  Type(1, "4");
  form().mnuschnittgroessen_Click();
  EXPECT_EQ(&app.ResultsWindow(), &results);
  EXPECT_FALSE(results.isHidden());
  EXPECT_EQ(results.Picture1()->Label3(8)->text(), "4.00");
}

TEST_F(MainWindowTest, ResultsWindowReloadsAfterTitleBarClose) {
  form().mnuschnittgroessen_Click();
  app.ResultsWindow().close();
  EXPECT_FALSE(app.IsResultsWindowLoaded());
  QTest::mouseClick(form().Option1(2), Qt::LeftButton);  // loads it again, hidden
  ASSERT_TRUE(app.IsResultsWindowLoaded());
  EXPECT_TRUE(app.ResultsWindow().isHidden());
  app.ResultsWindow().close();
  EXPECT_FALSE(app.IsResultsWindowLoaded());
  form().mnudrucken_Click();
  Form2& reloaded = app.ResultsWindow();
  EXPECT_TRUE(reloaded.Label2(14)->isHidden());
  EXPECT_EQ(reloaded.Label1()->text(), "Das Programm hat folgende Ergebnisse berechnet");
  ExpectSymbols(SystemType::FixedFrame);
  EXPECT_EQ(reloaded.Label2(2)->text(), "MA = 1.30 kNm");
  EXPECT_TRUE(reloaded.Picture1()->Recording().Strokes().empty()) << "a fresh window starts empty";
}

TEST_F(MainWindowTest, WindowsCarryTheProgramIcon) {
  EXPECT_FALSE(form().windowIcon().isNull());
  EXPECT_FALSE(app.ResultsWindow().windowIcon().isNull());
  EXPECT_FALSE(app.SectionsWindow().windowIcon().isNull());
}

TEST_F(MainWindowTest, HelpMessage) {
  form().MenuItem("mnuhilfe")->trigger();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Derzeit ist noch keine Hilfe installiert!");
  EXPECT_EQ(messages.shown[0].title, "Hilfe");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(MainWindowTest, QuitAnsweredWithCancelChangesNothing) {
  form().mnuschnittgroessen_Click();
  messages.answers.push_back(MessageAnswer::Cancel);
  form().MenuItem("mnubeenden")->trigger();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Sind Sie sicher, dass Sie das Programm beenden wollen?");
  EXPECT_EQ(messages.shown[0].title, "Beenden");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_FALSE(app.QuitRequested());
  EXPECT_TRUE(form().isVisible());
  EXPECT_TRUE(app.ResultsWindow().isVisible());
}

TEST_F(MainWindowTest, QuitAnsweredWithOkClosesEveryWindow) {
  form().mnuschnittgroessen_Click();
  form().MenuItem("mnubeenden")->trigger();
  EXPECT_TRUE(app.QuitRequested());
  EXPECT_FALSE(app.IsResultsWindowLoaded());
  EXPECT_FALSE(form().isVisible());
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgram) {
  ASSERT_TRUE(app.IsResultsWindowLoaded());  // loaded hidden by the start-up
  form().close();
  EXPECT_TRUE(app.QuitRequested());
  EXPECT_FALSE(app.IsResultsWindowLoaded());
  EXPECT_TRUE(messages.shown.empty()) << "no question when closed through the title bar";
}

TEST_F(MainWindowTest, FaultsAreReportedAndTheProgramGoesOn) {
  Type(8, "0");
  form().MenuItem(QString::fromUtf8("mnuschnittgrößen"))->trigger();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Laufzeitfehler: Division durch Null");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  Form2& results = app.ResultsWindow();
  EXPECT_EQ(results.Label2(0)->text(), "Label2") << "no line of the failed run";
  EXPECT_TRUE(results.Picture1()->Recording().Strokes().empty())
      << "no drawing after a failed computation";

  Type(8, "1");
  Type(2, "0");  // h = 0 in the two-hinged frame, with a load
  form().mnuschnittgroessen_Click();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "Laufzeitfehler: Division durch Null");

  Type(1, "0");  // and without any load
  form().mnudrucken_Click();
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[2].text, "Laufzeitfehler: Ungültige Rechenoperation");

  Type(2, "4");
  Type(1, "2");
  form().mnuschnittgroessen_Click();
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(results.Label2(0)->text(), "AH = 0.58 kN");
  EXPECT_FALSE(results.Picture1()->Recording().Strokes().empty());
}

TEST_F(MainWindowTest, OverflowingInputIsReportedWhileTyping) {
  Type(5, "1e999");
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().text, "Laufzeitfehler: Überlauf im Feld L");
  Type(5, "6");
  EXPECT_EQ(Text(4), "3.00");
}

// Fusion drew a titled frame's border a text line below the frame's top, under its title.
TEST_F(MainWindowTest, FrameBordersRunThroughTheirTitles) {
  for (QGroupBox* frame :
       {form().findChild<QGroupBox*>("Frame2"), form().findChild<QGroupBox*>("Frame1"),
        form().findChild<QGroupBox*>("Frame3"),
        app.SectionsWindow().findChild<QGroupBox*>("Frame1")}) {
    ASSERT_NE(frame, nullptr);
    const QImage image = frame->grab().toImage();
    // The border is the first row drawn darker than the window across most of the width.
    const int window = frame->palette().color(QPalette::Window).lightness();
    int borderRow = -1;
    for (int y = 0; y < image.height() && borderRow < 0; ++y) {
      int dark = 0;
      for (int x = 0; x < image.width(); ++x) {
        dark += image.pixelColor(x, y).lightness() < window - 40 ? 1 : 0;
      }
      borderRow = dark > image.width() / 2 ? y : -1;
    }
    const int titleHeight = frame->fontMetrics().height();
    EXPECT_GE(borderRow, 1) << frame->title().toStdString();
    EXPECT_LE(borderRow, titleHeight / 2 + 2) << frame->title().toStdString();
  }
}

// A German "2,5" once gave a result for 2 without a hint; a text that is more than its number
// now shows, in dark red, what is read from it. Nothing it reads changes.
TEST_F(MainWindowTest, FieldsThatAreMoreThanTheirNumberSayWhatIsRead) {
  const auto marking = [&](int field) {
    QLineEdit* edit = form().Text1(field);
    const bool red = edit->palette().color(QPalette::Text) == QColor(139, 0, 0);
    return (red ? "rot: " : "normal: ") + edit->toolTip().toStdString();
  };
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(marking(i), "normal: ") << "the defaults are plain numbers: " << i;
  }
  Type(1, "2,5");
  EXPECT_EQ(marking(1), "rot: Gelesen wird: 2");
  Type(1, " 2.5 ");
  EXPECT_EQ(marking(1), "normal: ") << "blanks around a number are allowed";
  Type(1, "");
  EXPECT_EQ(marking(1), "rot: Gelesen wird: 0");
  Type(1, "abc");
  EXPECT_EQ(marking(1), "rot: Gelesen wird: 0");
  Type(0, "0.1234567890123456 kN");
  EXPECT_EQ(marking(0), "rot: Gelesen wird: 0.123456789012346") << "15 significant digits";
  Type(7, "1e999");
  EXPECT_EQ(marking(7), "rot: Zahl zu groß");
  Type(7, "0");

  // A span typed over key by key keeps every key; the command replaces what reads as 0.
  form().Text1(kFieldL)->selectAll();
  QTest::keyClicks(form().Text1(kFieldL), "abc");
  EXPECT_EQ(Text(5), "abc");
  EXPECT_EQ(marking(5), "rot: Gelesen wird: 0");
  EXPECT_EQ(Text(4), "-3.00") << "b follows what L reads as";
  form().mnuschnittgroessen_Click();
  EXPECT_EQ(Text(5), "5.00");
  EXPECT_EQ(app.ResultsWindow().Label2(13)->text(), "X3 = 2.50 m") << "q and F read as 0";
}

// Guards against one overflowing field stopping the reaction for good: with F unreadable,
// b must still follow L and a. The overflow is reported once until F's text changes: a box on
// every keystroke took the keys typed into the other fields ("12.5" into wS left "1").
TEST_F(MainWindowTest, AnOverflowingFieldIsReportedOnceAndTheOthersKeepReacting) {
  form().Text1(7)->setText("1e999");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Laufzeitfehler: Überlauf im Feld F");
  form().Text1(3)->setText("1");
  EXPECT_EQ(Text(4), "4.00");
  Type(6, "12.5");
  EXPECT_EQ(Text(6), "12.5");
  EXPECT_EQ(messages.shown.size(), 1u) << "keystrokes elsewhere bring no box";
  form().Text1(7)->setText("2e999");
  EXPECT_EQ(messages.shown.size(), 2u) << "a new text of F is reported again";
  form().Text1(7)->setText("0");
  Type(5, "1e999");
  EXPECT_EQ(messages.shown.back().text, "Laufzeitfehler: Überlauf im Feld L");
  Type(0, "3");
  EXPECT_EQ(messages.shown.size(), 3u);
  form().mnuschnittgroessen_Click();
  EXPECT_EQ(messages.shown.size(), 4u) << "a command says it again";
}

}  // namespace
}  // namespace strevo
