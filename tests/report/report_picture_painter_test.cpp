// The report's pictures on paper, read back from what the painter paints: every label inside
// its picture, off the others and, where there is room, off the drawn lines; values with units
// and a decimal comma; the system sketch's texts alike.
#include <gtest/gtest.h>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextItem>
#include <vector>

#include "core/analysis/computation.h"
#include "core/design/design.h"
#include "core/design/design_pictures.h"
#include "core/drawing/deflected_shape.h"
#include "core/drawing/drawings.h"
#include "core/drawing/value_label_layout.h"
#include "report/picture_viewport.h"
#include "report/report_picture_painter.h"
#include "test_designs.h"
#include "test_inputs.h"

namespace strevo {
namespace {

struct PaintedText {
  QString text;
  QRectF rect;
};

// A page of 72 dpi, as the PDF writer's, that keeps the texts and lines painted on it.
class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice* device) override {
    device_ = device;
    return true;
  }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& /*state*/) override {}
  void drawPixmap(const QRectF& /*rect*/, const QPixmap& /*pixmap*/,
                  const QRectF& /*source*/) override {}
  Type type() const override { return QPaintEngine::User; }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QFontMetricsF metrics(item.font(), device_);
    texts.push_back(
        {item.text(), QRectF(p.x(), p.y() - metrics.ascent(),
                             metrics.horizontalAdvance(item.text()), metrics.height())});
  }
  void drawLines(const QLineF* drawn, int count) override {
    lines.insert(lines.end(), drawn, drawn + count);
  }
  void drawPath(const QPainterPath& path) override {
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
      drawPolygon(polygon.data(), static_cast<int>(polygon.size()), PolylineMode);
    }
  }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode /*mode*/) override {
    for (int i = 1; i < count; ++i) {
      lines.emplace_back(points[i - 1], points[i]);
    }
  }
  // The background and the frame.
  void drawRects(const QRectF* /*rects*/, int /*count*/) override {}

  std::vector<PaintedText> texts;
  std::vector<QLineF> lines;

 private:
  QPaintDevice* device_ = nullptr;
};

class Page : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable RecordingEngine engine;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return 595;
      case PdmHeight:
        return 842;
      case PdmWidthMM:
        return 210;
      case PdmHeightMM:
        return 297;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 72;  // the resolutions
    }
  }
};

const QRectF kArea(50, 100, 247.5, 247.5);  // as the report lays a picture out

// Whether the segment runs through the rectangle's inside.
bool Crosses(const QLineF& line, const QRectF& rect) {
  for (int i = 0; i <= 200; ++i) {
    if (rect.contains(line.pointAt(i / 200.0))) {
      return true;
    }
  }
  return false;
}

struct Painted {
  std::vector<PaintedText> texts;
  std::vector<QLineF> lines;
  const PaintedText* Find(const QString& start) const {
    for (const PaintedText& t : texts) {
      // A reaction's value follows the arrow of its direction and a space.
      if (t.text.startsWith(start) || t.text.mid(2).startsWith(start)) {
        return &t;
      }
    }
    return nullptr;
  }
  bool OnALine(const PaintedText& t) const {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QLineF& line) { return Crosses(line, t.rect); });
  }
};

Painted PaintPicture(const ReportPicture& picture) {
  Page page;
  {
    QPainter painter(&page);
    PaintReportPicture(painter, picture, kArea);
  }
  return {page.engine.texts, page.engine.lines};
}

Painted PaintSketch(const SystemSketch& sketch, const QRectF& area) {
  Page page;
  {
    QPainter painter(&page);
    PaintSystemSketch(painter, sketch, area);
  }
  return {page.engine.texts, page.engine.lines};
}

// Inside the area and none over another.
void ExpectInsideAndApart(const Painted& painted, const QRectF& area, const std::string& what) {
  for (std::size_t i = 0; i < painted.texts.size(); ++i) {
    const PaintedText& t = painted.texts[i];
    EXPECT_TRUE(area.contains(t.rect)) << what << ": " << t.text.toStdString();
    for (std::size_t j = i + 1; j < painted.texts.size(); ++j) {
      EXPECT_FALSE(t.rect.intersects(painted.texts[j].rect))
          << what << ": " << t.text.toStdString() << " over "
          << painted.texts[j].text.toStdString();
    }
  }
}

Computation ComputationOf(const InputSet& in, SystemType system) {
  SharedResults shared;
  return Compute(in, system, shared);
}

TEST(ReportPicturePainter, LabelsStayInsideApartAndOffTheLines) {
  for (const SystemType system :
       {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    for (const ReportPicture& picture :
         DrawReportPictures(ComputationOf(testing::AllLoads(), system))) {
      const Painted painted = PaintPicture(picture);
      const std::string what = picture.title + " " + std::to_string(static_cast<int>(system));
      ASSERT_GE(painted.texts.size(), 8u) << what << ": the reactions and loads at least";
      ExpectInsideAndApart(painted, kArea, what);
      for (const PaintedText& t : painted.texts) {
        EXPECT_FALSE(painted.OnALine(t)) << what << ": " << t.text.toStdString();
      }
    }
  }
}

// The window's right-aligned "MA = …" grows to the left from where the layout puts its right
// edge; a long value reaches past the picture's frame there.
TEST(ReportPicturePainter, ALongFootMomentStaysInsideTheFrame) {
  InputSet in = testing::AllLoads();
  in.q = 60;
  in.h = 6;
  in.L = 15;
  const ReportPicture system = DrawReportPictures(ComputationOf(in, SystemType::FixedFrame))[0];
  const Painted painted = PaintPicture(system);
  const PaintedText* ma = painted.Find(QStringLiteral("MA = "));
  ASSERT_NE(ma, nullptr);
  ASSERT_EQ(ma->text.size(), QStringLiteral("↻ MA = 000,00 kNm").size()) << "a long value";
  PictureViewport viewport;
  viewport.SetPixelArea(kArea);
  const RecordedValueLabel& recorded = system.picture.Label(kLabelMA);
  const qreal right = viewport.ToPixels({recorded.left, recorded.top}).x() +
                      ValueLabelLayoutOf(kLabelMA).width * kArea.width() / kPictureTwips;
  ASSERT_LT(right - ma->rect.width(), kArea.left()) << "the window's place is past the frame";
  EXPECT_TRUE(kArea.contains(ma->rect));
  EXPECT_FALSE(painted.OnALine(*ma));
  EXPECT_LT(ma->rect.left() - kArea.left(), 10) << "as near to its place as it fits";
}

TEST(ReportPicturePainter, ValuesCarryUnitsAndADecimalComma) {
  const auto pictures =
      DrawReportPictures(ComputationOf(testing::AllLoads(), SystemType::TwoHingedFrame));
  const QRegularExpression number(
      QStringLiteral("^([→←↑↻↺] \\w+ = )?-?\\d+,\\d\\d (kNm|kN|kN/m|m)$"));
  const struct {
    std::size_t picture;
    const char* unit;
    int count;  // values in this unit
  } cases[] = {{0, " kN/m", 3}, {0, " m", 1}, {1, " kNm", 5}, {2, " kN", 4 + 5}, {3, " kN", 4 + 5}};
  for (const auto& c : cases) {
    const Painted painted = PaintPicture(pictures[c.picture]);
    int count = 0;
    for (const PaintedText& t : painted.texts) {
      EXPECT_TRUE(number.match(t.text).hasMatch()) << t.text.toStdString();
      count += t.text.endsWith(QString::fromLatin1(c.unit)) ? 1 : 0;
    }
    EXPECT_EQ(count, c.count) << pictures[c.picture].title << c.unit;
  }
  const Painted system = PaintPicture(pictures[0]);
  ASSERT_NE(system.Find(QStringLiteral("AH = ")), nullptr);
  EXPECT_EQ(
      system.Find(QStringLiteral("AH = "))->text,
      QString::fromStdString(ReportCaption(kLabelAH, pictures[0].picture.Label(kLabelAH).caption)));
  EXPECT_NE(system.Find(QStringLiteral("5,00 m")), nullptr) << "the span";
  EXPECT_NE(system.Find(QStringLiteral("10,00 kN")), nullptr) << "the point load";
}

TEST(ReportPicturePainter, AVeryLongSpanKeepsTheRightFootsLabelsInside) {
  InputSet in = testing::AllLoads();
  in.L = 123456;
  in.a = 3;
  const ReportPicture system = DrawReportPictures(ComputationOf(in, SystemType::FixedFrame))[0];
  PictureViewport viewport;
  viewport.SetPixelArea(kArea);
  const RecordedValueLabel& bh = system.picture.Label(kLabelBH);
  const Painted painted = PaintPicture(system);
  const PaintedText* paintedBh = painted.Find(QStringLiteral("BH = "));
  ASSERT_NE(paintedBh, nullptr);
  ASSERT_GT(viewport.ToPixels({bh.left, bh.top}).x() + paintedBh->rect.width(), kArea.right())
      << "from the window's place it runs past the frame";
  ExpectInsideAndApart(painted, kArea, "L = 123456");
}

TEST(ReportPicturePainter, TheDeflectedShapesLabelsStandApart) {
  // The kinked beam's roller lets the beam slide: u's label follows the left corner to the
  // right, onto w's.
  const Computation computation = ComputationOf(testing::DefaultInputs(), SystemType::KinkedBeam);
  ReportPicture shape = DrawReportPictures(computation)[0];  // as the report draws it
  ASSERT_EQ(DrawDeflectedShape(computation, shape.picture), DiagramOutcome::Drawn);
  const Painted painted = PaintPicture(shape);
  const PaintedText* u = painted.Find(QStringLiteral("u = "));
  const PaintedText* w = painted.Find(QStringLiteral("w = "));
  ASSERT_NE(u, nullptr);
  ASSERT_NE(w, nullptr);
  PictureViewport viewport;
  viewport.SetPixelArea(kArea);
  const auto recorded = [&](int label, const PaintedText& t) {
    const RecordedValueLabel& l = shape.picture.Label(label);
    return QRectF(viewport.ToPixels({l.left, l.top}), t.rect.size());
  };
  ASSERT_TRUE(
      recorded(kFirstDeformationLabel, *u).intersects(recorded(kFirstDeformationLabel + 1, *w)))
      << "where the window puts them they overlap";
  EXPECT_TRUE(u->text.endsWith(QStringLiteral(" mm")) && u->text.contains(QLatin1Char(',')));
  ExpectInsideAndApart(painted, kArea, "Verformung");
}

TEST(ReportPicturePainter, TheDesignsPicturesPlaceTheirLabelsAlike) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  for (const ForceKind kind : {ForceKind::Moment, ForceKind::Shear, ForceKind::Normal}) {
    const ReportPicture envelope = EnvelopePicture(result, kind);
    const Painted painted = PaintPicture(envelope);
    ASSERT_GE(painted.texts.size(), 4u) << envelope.title;
    ExpectInsideAndApart(painted, kArea, envelope.title);
    const ReportPicture combination = CombinationPicture(result, 0, kind);
    ExpectInsideAndApart(PaintPicture(combination), kArea, combination.title);
  }
  int moments = 0;
  for (const PaintedText& t : PaintPicture(EnvelopePicture(result, ForceKind::Moment)).texts) {
    EXPECT_TRUE(t.text == QStringLiteral("15,00 m") || t.text.endsWith(QStringLiteral(" kNm")))
        << t.text.toStdString();
    moments += t.text.endsWith(QStringLiteral(" kNm")) ? 1 : 0;
  }
  EXPECT_GE(moments, 3) << "the envelope's extremes";
}

TEST(ReportPicturePainter, ANoteIsWrittenOverThePicture) {
  InputSet in = testing::DefaultInputs();
  in.q = 0;  // nothing to draw in the diagrams
  const auto pictures = DrawReportPictures(ComputationOf(in, SystemType::FixedFrame));
  const Painted painted = PaintPicture(pictures[1]);
  EXPECT_NE(painted.Find(QStringLiteral("Es gibt nichts zu zeichnen")), nullptr);
}

TEST(SystemSketchPainter, TextsStayInsideApartAndOffTheLines) {
  const struct {
    SystemType system;
    double h, L;
    QRectF area;
  } cases[] = {{SystemType::KinkedBeam, 6, 15, QRectF(50, 100, 300, 200)},
               {SystemType::TwoHingedFrame, 6, 15, QRectF(50, 100, 300, 200)},
               {SystemType::FixedFrame, 6, 15, QRectF(50, 100, 300, 200)},
               {SystemType::FixedFrame, 6, 123456, QRectF(50, 100, 300, 200)},
               {SystemType::FixedFrame, 40, 2, QRectF(50, 100, 300, 200)},
               {SystemType::FixedFrame, 6, 15, QRectF(0, 0, 495, 260)},
               {SystemType::FixedFrame, 6, 15, QRectF(0, 0, 160, 110)}};  // crowded
  for (const auto& c : cases) {
    const SystemSketch sketch = SketchOf(c.system, c.h, c.L);
    const Painted painted = PaintSketch(sketch, c.area);
    const std::string what = std::to_string(static_cast<int>(c.system)) + " h " +
                             std::to_string(c.h) + " L " + std::to_string(c.L);
    ASSERT_EQ(painted.texts.size(), sketch.texts.size()) << what;
    ExpectInsideAndApart(painted, c.area, what);
    for (const PaintedText& t : painted.texts) {
      EXPECT_FALSE(painted.OnALine(t)) << what << ": " << t.text.toStdString();
    }
    for (const QLineF& line : painted.lines) {
      EXPECT_TRUE(c.area.contains(line.p1()) && c.area.contains(line.p2())) << what;
    }
  }
}

TEST(SystemSketchPainter, TheSketchFillsItsArea) {
  const QRectF area(50, 100, 400, 220);
  const Painted painted = PaintSketch(SketchOf(SystemType::TwoHingedFrame, 6, 15), area);
  QRectF bounds;
  for (const QLineF& line : painted.lines) {
    bounds |= QRectF(line.p1(), line.p2()).normalized();
  }
  for (const PaintedText& t : painted.texts) {
    bounds |= t.rect;
  }
  EXPECT_GT(std::max(bounds.width() / area.width(), bounds.height() / area.height()), 0.95)
      << "no more margin than it needs";
  EXPECT_LT(std::abs(bounds.center().x() - area.center().x()), 1) << "centred";
}

}  // namespace
}  // namespace strevo
