// The one painter: the results window paints the recording it keeps exactly as the report
// paints a picture, and the window keeps what a plain recording keeps of the same drawing.
#include <gtest/gtest.h>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "core/analysis/computation.h"
#include "core/drawing/drawings.h"
#include "report/picture_painter.h"
#include "test_inputs.h"
#include "windows/results/picture_box.h"

namespace strevo {
namespace {

// The system with its moment diagram over it, as the results window draws them.
void DrawMomentPicture(Canvas& canvas) {
  SharedResults shared;
  const Computation computation =
      Compute(testing::DefaultInputs(), SystemType::TwoHingedFrame, shared);
  SharedResults results = computation.results;
  DrawSystem(computation.inputs, computation.system, results, canvas);
  ASSERT_EQ(DrawMomentDiagram(computation.inputs, results, canvas), DiagramOutcome::Drawn);
}

void HideLabels(Canvas& canvas) {
  for (int i = 0; i < kValueLabelCount; ++i) {
    canvas.SetLabelVisible(i, false);
  }
}

TEST(PicturePainter, TheWindowPaintsItsPictureAsTheReportDoes) {
  PictureBox box;
  box.resize(static_cast<int>(kPicturePixels) + 4, static_cast<int>(kPicturePixels) + 4);
  DrawMomentPicture(box.Canvas());
  HideLabels(box.Canvas());  // the window's labels are widgets, the report's painted text
  const QRect area = box.contentsRect();
  ASSERT_EQ(area.width(), kPicturePixels) << "the report's pens are the window's at this size";

  const QImage window = box.grab().toImage();
  QImage report(window.size(), window.format());
  report.fill(Qt::white);
  {
    QPainter painter(&report);
    PaintRecording(painter, area, box.Recording(), QFont());
  }
  int differing = 0, red = 0;
  for (int y = area.top() + 1; y < area.bottom(); ++y) {  // inside the report's frame
    for (int x = area.left() + 1; x < area.right(); ++x) {
      differing += window.pixel(x, y) != report.pixel(x, y) ? 1 : 0;
      red += window.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(red, 100) << "the moment diagram is painted";
  EXPECT_EQ(window.pixelColor(area.center()), kLightBlue);
}

TEST(PicturePainter, TheWindowKeepsWhatARecordingOfTheSameDrawingKeeps) {
  PictureBox box;
  PictureRecording plain(RepeatedStrokes::MovedToTop);
  for (int pass = 0; pass < 2; ++pass) {  // the second pass repeats every stroke
    DrawMomentPicture(box.Canvas());
    DrawMomentPicture(plain);
  }
  ASSERT_GT(plain.Strokes().size(), 40u);
  EXPECT_EQ(box.Recording().Strokes(), plain.Strokes());
  for (int i = 0; i < kValueLabelCount; ++i) {
    EXPECT_EQ(box.Recording().Label(i).caption, plain.Label(i).caption) << i;
    EXPECT_EQ(box.Recording().Label(i).visible, plain.Label(i).visible) << i;
    EXPECT_EQ(box.Label3(i)->text().toStdString(), plain.Label(i).caption) << i;
  }
  EXPECT_EQ(plain.Label(13).caption, "3.94");
}

TEST(PictureRecording, RepeatsAreKeptOrMovedToTheTop) {
  PictureRecording kept, moved(RepeatedStrokes::MovedToTop);
  for (Canvas* canvas : {static_cast<Canvas*>(&kept), static_cast<Canvas*>(&moved)}) {
    canvas->Line(0, 0, 10, 10, 12);
    canvas->Line(5, 5, 20, 20, 2);
    canvas->Line(0, 0, 10, 10, 12);
  }
  ASSERT_EQ(kept.Strokes().size(), 3u);
  ASSERT_EQ(moved.Strokes().size(), 2u);
  EXPECT_EQ(moved.Strokes()[0].colour, 2);
  EXPECT_EQ(moved.Strokes()[1].colour, 12) << "the repeat on top";
  moved.Line(0, 0, 10, 10, 13);
  EXPECT_EQ(moved.Strokes().size(), 3u) << "another colour is another stroke";
}

TEST(PictureRecording, StrokesThatPaintAlikeAreOneAndGoTogether) {
  PictureRecording picture(RepeatedStrokes::MovedToTop);
  picture.Line(0, 0, 10, 10, kForegroundColour);
  picture.Line(0, 0, 10, 10, 0);  // palette black paints as the foreground
  picture.Box(1, 1, 2, 2, 13);
  picture.Line(3, 3, 4, 4, 13);
  picture.Line(5, 5, 6, 6, 99);  // outside the palette: black
  ASSERT_EQ(picture.Strokes().size(), 4u);
  picture.RemoveStrokes(13);
  ASSERT_EQ(picture.Strokes().size(), 3u);
  EXPECT_TRUE(picture.Strokes()[1].box) << "boxes stay";
  picture.RemoveStrokes(kForegroundColour);
  ASSERT_EQ(picture.Strokes().size(), 1u);
  picture.Line(0, 0, 10, 10, 0);
  EXPECT_EQ(picture.Strokes().size(), 2u) << "a removed stroke is no repeat";
}

TEST(PicturePainter, PaletteColoursAndThePictureSize) {
  EXPECT_EQ(PaletteColour(kDeformationColour), QColor(255, 0, 255));
  EXPECT_EQ(PaletteColour(12), QColor(255, 0, 0));
  EXPECT_EQ(PaletteColour(kForegroundColour), QColor(Qt::black));
  EXPECT_EQ(PaletteColour(16), QColor(Qt::black));
  EXPECT_EQ(kPicturePixels, 353);
  EXPECT_EQ(Px(kPictureTwips), 353);
}

}  // namespace
}  // namespace strevo
