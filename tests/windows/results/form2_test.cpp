// The results window against a scripted host: load-time set-up, buttons, labels, picture.
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "pdf_printer.h"
#include "recording_messages.h"
#include "report/picture_painter.h"
#include "test_inputs.h"
#include "widget_helpers.h"
#include "windows/results/form2.h"
#include "windows/results/picture_box.h"

namespace strevo {
namespace {

using testing::NextTabStop;

class FakeHost : public ResultsHost {
 public:
  std::optional<SystemType> SelectedSystem() const override { return system; }
  InputSet ReadInputs() const override { return inputs; }
  SharedResults& Results() override { return results; }
  CommandGuard& Guard() override { return guard; }
  MessageService& Messages() override { return messages; }
  PrinterService& Printers() override { return printers; }
  void SetMainHingeLineVisible(int index, bool visible) override { mainHinges[index] = visible; }
  void ResultsWindowClosed() override { ++closed; }

  std::optional<SystemType> system = SystemType::TwoHingedFrame;
  InputSet inputs = testing::DefaultInputs();
  SharedResults results;
  testing::RecordingMessages messages;
  CommandGuard guard{messages};
  testing::PdfPrinter printers;
  std::array<bool, 7> mainHinges{true, true, true, true, true, true, true};
  int closed = 0;
};

struct Window {
  explicit Window(std::optional<SystemType> system = SystemType::TwoHingedFrame) {
    host.system = system;
    form.Form_Load();
  }
  // What "&Schnittgrößen" leaves behind: computed lines and the system drawing.
  void ComputeAndDraw() {
    form.WriteResultLines(ComputeResults(host.inputs, host.system, host.results));
    form.DrawSystem();
  }
  std::vector<int> VisibleValueLabels() const {
    std::vector<int> visible;
    for (int i = 11; i <= 23; ++i) {
      if (!form.Picture1()->Label3(i)->isHidden()) {
        visible.push_back(i);
      }
    }
    return visible;
  }
  std::size_t LinesOfColour(int paletteIndex) const {
    const Rgb rgb = kPalette[paletteIndex];
    const std::vector<RecordedStroke>& strokes = form.Picture1()->Recording().Strokes();
    return std::count_if(strokes.begin(), strokes.end(), [&](const RecordedStroke& stroke) {
      return !stroke.box && PaletteColour(stroke.colour) == QColor(rgb.r, rgb.g, rgb.b);
    });
  }
  FakeHost host;
  Form2 form{host};
};

TEST(Form2, LoadTimeSetUpPerSystem) {
  Window hinged(SystemType::TwoHingedFrame);
  EXPECT_EQ(hinged.form.Label1()->text(), "Das Programm hat folgende Ergebnisse berechnet");
  EXPECT_EQ(hinged.form.windowTitle(), "Schnittgrößen");
  EXPECT_TRUE(hinged.form.Label2(14)->isHidden());
  EXPECT_TRUE(hinged.form.Label2(2)->isHidden());
  EXPECT_FALSE(hinged.form.Label2(3)->isHidden());
  EXPECT_TRUE(hinged.form.Label2(5)->isHidden());
  for (int i = 0; i < 10; ++i) {
    EXPECT_FALSE(hinged.form.Line3()[i].visible);
  }
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(hinged.form.Line2()[i].visible);
  }
  EXPECT_FALSE(hinged.form.Line2()[6].visible);
  EXPECT_TRUE(hinged.host.mainHinges[0]) << "only the fixed frame touches the main window";

  Window kinked(SystemType::KinkedBeam);
  EXPECT_TRUE(kinked.form.Label2(3)->isHidden());
  EXPECT_TRUE(kinked.form.Line2()[6].visible);

  Window fixed(SystemType::FixedFrame);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(fixed.form.Line3()[i].visible);
  }
  for (int i = 0; i < 7; ++i) {
    EXPECT_FALSE(fixed.form.Line2()[i].visible);
    EXPECT_FALSE(fixed.host.mainHinges[i]);
  }
  for (int i : {2, 3, 5}) {
    EXPECT_FALSE(fixed.form.Label2(i)->isHidden());
  }
  EXPECT_TRUE(fixed.form.Frame1()->isHidden());
}

TEST(Form2, LayoutAndFocusOrder) {
  Window w;
  EXPECT_EQ(w.form.size(), QSize(625, 528));
  EXPECT_EQ(w.form.Picture1()->geometry(), QRect(40, 80, 353, 353));
  const char* captions[] = {"",       "OK",     "Hilfe",       "Drucken",
                            "System", "Moment", "Normalkraft", "Querkraft"};
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(w.form.Command(n)->text(), captions[n]);
    EXPECT_EQ(w.form.Command(n)->size(), QSize(81, 25));
  }
  EXPECT_EQ(w.form.Command(4)->pos(), QPoint(472, 144));
  EXPECT_FALSE(w.form.Command(3)->isEnabled());
  for (int n = 1; n < 7; ++n) {
    EXPECT_EQ(NextTabStop(w.form.Command(n)), w.form.Command(n + 1)) << n;
  }
  EXPECT_EQ(NextTabStop(w.form.Command(7)), w.form.Picture1());
  EXPECT_EQ(w.form.Label2(0)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_TRUE(w.form.Label2(4)->font().bold());
  EXPECT_FALSE(w.form.Label2(6)->font().bold());
  EXPECT_EQ(w.form.Label2(12)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  const auto textColour = [&](int i) {
    return w.form.Picture1()->Label3(i)->palette().color(QPalette::WindowText);
  };
  EXPECT_EQ(textColour(0), QColor(Qt::black));
  EXPECT_EQ(textColour(2), QColor(255, 0, 0));
  EXPECT_EQ(textColour(8), QColor(0, 0, 192));
  EXPECT_EQ(textColour(12), QColor(255, 0, 0));
  EXPECT_EQ(textColour(17), QColor(0, 128, 0));
  EXPECT_EQ(textColour(22), QColor(128, 128, 128));
  EXPECT_EQ(w.form.Picture1()->Label3(0)->text(), "Label3") << "placeholder until drawn";
}

TEST(Form2, EachButtonHidesTheDiagramLabelsThenShowsOnlyItsOwn) {
  Window w;
  w.ComputeAndDraw();
  QTest::mouseClick(w.form.Command(5), Qt::LeftButton);
  EXPECT_EQ(w.VisibleValueLabels(), (std::vector<int>{11, 12, 13, 14, 15}));
  EXPECT_EQ(w.LinesOfColour(12), 36u);

  QTest::mouseClick(w.form.Command(7), Qt::LeftButton);
  EXPECT_EQ(w.VisibleValueLabels(), (std::vector<int>{16, 17, 18, 19}));
  EXPECT_EQ(w.LinesOfColour(12), 36u) << "the moment lines stay until System clears";
  EXPECT_EQ(w.LinesOfColour(2), 9u);

  QTest::mouseClick(w.form.Command(6), Qt::LeftButton);
  EXPECT_EQ(w.VisibleValueLabels(), (std::vector<int>{20, 21, 22, 23}));
  EXPECT_EQ(w.LinesOfColour(8), 9u);

  QTest::mouseClick(w.form.Command(4), Qt::LeftButton);
  EXPECT_TRUE(w.VisibleValueLabels().empty());
  EXPECT_EQ(w.LinesOfColour(12) + w.LinesOfColour(2) + w.LinesOfColour(8), 0u);
  EXPECT_GT(w.LinesOfColour(0), 0u);
  EXPECT_TRUE(w.host.messages.shown.empty());
}

// A new computation hides the old diagram labels first, as the main window's "Schnittgrößen"
// does; the normal-force diagram then shows the last of them, N5, again with the new value.
// Two-hinged frame: the columns carry the vertical reactions, BV from moments about A,
// BV = (q·L²/2 + F·a + (wD + wS)·h²/2)/L, AV = q·L + F − BV.
TEST(Form2, NormalForceAtPointFiveShowsAgainAfterTheLabelsWereHidden) {
  Window w;  // q = 2 kN/m, L = 5 m, h = 4 m
  w.ComputeAndDraw();
  w.form.Command6_Click();
  QLabel* n1 = w.form.Picture1()->Label3(kLabelN1);
  QLabel* n5 = w.form.Picture1()->Label3(kLabelN5);
  // BV = AV = 2·5/2 = 5 kN: N1 = N5 = −5.
  EXPECT_EQ(n5->text(), "-5.00");
  EXPECT_FALSE(n5->isHidden());

  w.form.HideDiagramLabels();
  EXPECT_TRUE(n5->isHidden());
  EXPECT_TRUE(w.VisibleValueLabels().empty());
  // F = 10 kN at a = 3 m, wD = 1 and wS = 0.5 kN/m: BV = (25 + 30 + 1.5·16/2)/5 = 13.4 kN,
  // AV = 10 + 10 − 13.4 = 6.6 kN.
  w.host.inputs.F = 10;
  w.host.inputs.wD = 1;
  w.host.inputs.wS = 0.5;
  w.ComputeAndDraw();
  EXPECT_TRUE(n5->isHidden()) << "the system drawing shows no diagram value";
  w.form.Command6_Click();
  EXPECT_EQ(n5->text(), "-13.40");
  EXPECT_FALSE(n5->isHidden());
  EXPECT_EQ(n1->text(), "-6.60");
  EXPECT_EQ(w.VisibleValueLabels(), (std::vector<int>{20, 21, 22, 23}));
  EXPECT_TRUE(w.host.messages.shown.empty());
}

TEST(Form2, MomentTwiceDrawsOnceWithTheSameLabels) {
  Window w(SystemType::FixedFrame);
  w.ComputeAndDraw();
  w.form.Command5_Click();
  const QString m3 = w.form.Picture1()->Label3(13)->text();
  w.form.Command5_Click();
  EXPECT_EQ(w.LinesOfColour(12), 36u);
  EXPECT_EQ(w.form.Picture1()->Label3(13)->text(), m3);
  EXPECT_EQ(m3, "3.65");
}

TEST(Form2, DiagramWithoutSystemDrawingOrLoadSaysWhy) {
  Window w;
  w.form.WriteResultLines(ComputeResults(w.host.inputs, w.host.system, w.host.results));
  w.form.Command5_Click();
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_TRUE(w.host.messages.shown[0].text.contains("System"));
  EXPECT_EQ(w.host.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_TRUE(w.form.Picture1()->Recording().Strokes().empty());
  EXPECT_TRUE(w.VisibleValueLabels().empty());

  Window unloaded;
  unloaded.host.inputs.q = 0;
  unloaded.ComputeAndDraw();
  const std::size_t systemItems = unloaded.form.Picture1()->Recording().Strokes().size();
  unloaded.form.Command7_Click();
  ASSERT_EQ(unloaded.host.messages.shown.size(), 1u);
  EXPECT_EQ(unloaded.host.messages.shown[0].text,
            "Es gibt nichts zu zeichnen: alle Querkräfte sind Null.");
  EXPECT_EQ(unloaded.form.Picture1()->Recording().Strokes().size(), systemItems);
  EXPECT_TRUE(unloaded.VisibleValueLabels().empty());
}

TEST(Form2, ResultLinesAndReactionLabels) {
  Window w(SystemType::FixedFrame);
  w.ComputeAndDraw();
  EXPECT_EQ(w.form.Label2(0)->text(), "AH = 0.98 kN");
  EXPECT_EQ(w.form.Label2(5)->text(), "MB = 1.30 kNm");
  EXPECT_EQ(w.form.Label2(14)->text(), "Label2");
  EXPECT_EQ(w.form.Picture1()->Label3(1)->text(), "MA = 1.30 kNm");
  EXPECT_FALSE(w.form.Picture1()->Label3(1)->isHidden());
}

// A right-aligned label whose caption is wider than its layout box grows to the left and
// keeps its right edge; no value label is cut by the picture's border.
TEST(Form2, LabelsAreNeverClipped) {
  Window w(SystemType::FixedFrame);
  w.host.inputs.wD = -12345.678;
  w.ComputeAndDraw();
  QLabel* ma = w.form.Picture1()->Label3(1);
  EXPECT_EQ(ma->parentWidget(), &w.form);
  EXPECT_GE(ma->width(), ma->sizeHint().width());
  const int layoutRight = 40 + 2 + static_cast<int>(30.0 / 1000 * 349) + 65;
  EXPECT_NEAR(ma->geometry().right() + 1, layoutRight, 1);
}

TEST(Form2, OkHidesHelpSaysSoAndTitleBarCloseUnloads) {
  Window w;
  w.form.show();
  QTest::mouseClick(w.form.Command(1), Qt::LeftButton);
  EXPECT_TRUE(w.form.isHidden());
  EXPECT_EQ(w.host.closed, 0);
  QTest::mouseClick(w.form.Command(2), Qt::LeftButton);
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_EQ(w.host.messages.shown[0].text, "Derzeit ist noch keine Hilfe installiert!");
  EXPECT_EQ(w.host.messages.shown[0].title, "Hilfe");
  EXPECT_EQ(w.host.messages.shown[0].icon, MessageIcon::Information);
  w.form.show();
  w.form.close();
  EXPECT_EQ(w.host.closed, 1);
}

TEST(Form2, PictureSurvivesRepaint) {
  Window w(SystemType::FixedFrame);
  w.ComputeAndDraw();
  w.form.Command5_Click();
  const QImage first = w.form.Picture1()->grab().toImage();
  w.form.Picture1()->update();
  const QImage second = w.form.Picture1()->grab().toImage();
  EXPECT_EQ(first, second);
  int red = 0;
  for (int y = 0; y < first.height(); ++y) {
    for (int x = 0; x < first.width(); ++x) {
      red += first.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    }
  }
  EXPECT_GT(red, 200) << "the moment diagram is painted";
}

// Labels were once placed on a fixed 1000-unit scale while lines followed the drawing's scale.
TEST(Form2, LinesAndLabelsShareTheDrawingsScale) {
  Window w;
  PictureBox& picture = *w.form.Picture1();
  Canvas& canvas = picture.Canvas();
  canvas.SetScale(0, 0, 2 * kPictureUnits, 2 * kPictureUnits);
  canvas.SetLabelLeft(11, kPictureUnits);
  canvas.SetLabelTop(11, kPictureUnits);
  const QRect area = picture.contentsRect();
  const QPointF middle = picture.Viewport().ToPixels({kPictureUnits, kPictureUnits});
  EXPECT_NEAR(middle.x(), area.left() + area.width() / 2.0, 0.5);
  EXPECT_NEAR(middle.y(), area.top() + area.height() / 2.0, 0.5);
  const QPoint label = picture.Label3(11)->pos() - picture.pos();
  EXPECT_NEAR(label.x(), middle.x(), 1);
  EXPECT_NEAR(label.y(), middle.y(), 1);
}

TEST(Form2, FaultInADiagramIsReportedAndTheDrawingStays) {
  Window w(SystemType::FixedFrame);
  w.ComputeAndDraw();
  w.host.inputs.wD = 1e300;
  w.form.Command5_Click();
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_EQ(w.host.messages.shown[0].text, "Laufzeitfehler: Überlauf");
  EXPECT_EQ(w.LinesOfColour(12), 1u);
  EXPECT_TRUE(w.VisibleValueLabels().empty());
}

}  // namespace
}  // namespace strevo

namespace strevo {
namespace {

TEST(Form2, ZeroHeightAndSpanInTheDrawingIsReported) {
  Window w;
  w.host.results.Lmax = 5;
  w.host.inputs.h = 0;
  w.host.inputs.L = 0;
  w.form.Command4_Click();
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_EQ(w.host.messages.shown[0].text, "Laufzeitfehler: Ungültige Rechenoperation");
  EXPECT_EQ(w.host.results.Lmax, 0) << "stored before the fault";
  EXPECT_TRUE(w.form.Picture1()->Recording().Strokes().empty());
}

}  // namespace
}  // namespace strevo

namespace strevo {
namespace {

int PdfPages(const QString& file) {
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) {
    return -1;
  }
  const QString contents = QString::fromLatin1(pdf.readAll());
  int pages = 0;
  for (auto match = QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")).globalMatch(contents);
       match.hasNext(); match.next()) {
    ++pages;
  }
  return pages;
}

TEST(Form2Printing, CancelDoesNothing) {
  Window w;
  w.host.messages.answers.push_back(MessageAnswer::Cancel);
  w.form.Command3_Click();
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_EQ(w.host.messages.shown[0].text, "Drucker vorbereiten?");
  EXPECT_EQ(w.host.messages.shown[0].title, "Drucken");
  EXPECT_EQ(w.host.messages.shown[0].icon, MessageIcon::Question);
  EXPECT_EQ(w.host.messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(w.host.printers.prints, 0);
  EXPECT_FALSE(w.form.Command(1)->isHidden());
  EXPECT_EQ(w.host.closed, 0);
}

TEST(Form2Printing, OkPrintsOnePageWithoutTheButtonsAndUnloads) {
  QTemporaryDir dir;
  Window w(SystemType::FixedFrame);
  w.ComputeAndDraw();
  w.host.printers.file = dir.filePath("print.pdf");
  w.form.Command3_Click();
  EXPECT_EQ(w.host.printers.prints, 1);
  EXPECT_EQ(w.host.printers.hiddenWhenPrinted,
            (std::vector<QString>{"Command1", "Command2", "Command3"}));
  EXPECT_EQ(w.host.printers.backgroundWhenPrinted,
            w.form.palette().color(QPalette::HighlightedText));
  EXPECT_EQ(w.form.Label2(0)->palette().color(QPalette::Window),
            w.form.palette().color(QPalette::HighlightedText));
  EXPECT_EQ(PdfPages(w.host.printers.file), 1);
  EXPECT_EQ(w.host.closed, 1) << "unloaded after printing";
  EXPECT_FALSE(w.form.Command(3)->isEnabled()) << "nothing enables the button";
}

TEST(Form2Printing, WithoutAPrinterItSaysSoAndChangesNothing) {
  Window w;
  w.host.printers.installed = false;
  w.form.Command3_Click();
  ASSERT_EQ(w.host.messages.shown.size(), 2u);
  EXPECT_EQ(w.host.messages.shown[1].text, "Es ist kein Drucker eingerichtet.");
  EXPECT_FALSE(w.form.Command(1)->isHidden());
  EXPECT_EQ(w.host.closed, 0);
}

// A diagram pressed again adds nothing: the list of strokes stays as after the first press (it
// grew with every press, and the picture slowed down with it), and the order of the colours is
// that of the last presses.
TEST(Form2, RepeatedDiagramsDoNotGrowThePicture) {
  Window w(SystemType::FixedFrame);
  w.host.inputs.F = 10;
  w.ComputeAndDraw();
  w.form.Command7_Click();
  w.form.Command5_Click();
  const std::vector<RecordedStroke> once = w.form.Picture1()->Recording().Strokes();
  for (int i = 0; i < 20; ++i) {
    w.form.Command7_Click();
    w.form.Command5_Click();
  }
  const std::vector<RecordedStroke>& again = w.form.Picture1()->Recording().Strokes();
  const auto line = [](const RecordedStroke& s) { return QLineF(s.x1, s.y1, s.x2, s.y2); };
  ASSERT_EQ(again.size(), once.size());
  for (std::size_t i = 0; i < once.size(); ++i) {
    EXPECT_EQ(line(again[i]), line(once[i])) << i;
    EXPECT_EQ(PaletteColour(again[i].colour), PaletteColour(once[i].colour)) << i;
  }
  w.form.Command6_Click();
  EXPECT_GT(w.LinesOfColour(8), 0u) << "a new diagram is drawn as before";
  w.form.Command4_Click();
  w.form.Command5_Click();
  EXPECT_EQ(w.LinesOfColour(12), std::count_if(once.begin(), once.end(),
                                               [](const auto& stroke) {
                                                 return PaletteColour(stroke.colour) ==
                                                        QColor(255, 0, 0);
                                               }))
      << "after the system drawing the moment diagram is drawn whole again";
}

}  // namespace
}  // namespace strevo
