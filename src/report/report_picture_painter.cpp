#include "report/report_picture_painter.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "report/picture_painter.h"
#include "report/report_layout.h"

namespace strevo {
namespace {

// The labels' size against the picture's width in points: 7 points in a picture of 245, not
// below 5 in a small one.
constexpr qreal kPicturePointsPerLabelPoint = 35, kSmallestLabelPoints = 5, kLabelPoints = 7;
constexpr qreal kSketchPoints = 8;
constexpr qreal kInset = 2;                        // labels keep off the frame by this much
constexpr qreal kClearance = 1;                    // and off a line
constexpr int kReachAcross = 24, kReachDown = 10;  // in half line heights around the anchor
constexpr qreal kHeadLength = 5, kHeadHalfWidth = 2;

std::array<QLineF, 4> Edges(const QRectF& rect) {
  return {QLineF(rect.topLeft(), rect.topRight()), QLineF(rect.topRight(), rect.bottomRight()),
          QLineF(rect.bottomRight(), rect.bottomLeft()), QLineF(rect.bottomLeft(), rect.topLeft())};
}

// Whether the segment touches the rectangle.
bool Crosses(const QLineF& line, const QRectF& rect) {
  if (std::max(line.x1(), line.x2()) < rect.left() ||
      std::min(line.x1(), line.x2()) > rect.right() ||
      std::max(line.y1(), line.y2()) < rect.top() ||
      std::min(line.y1(), line.y2()) > rect.bottom()) {
    return false;
  }
  if (rect.contains(line.p1()) || rect.contains(line.p2())) {
    return true;
  }
  const std::array<QLineF, 4> edges = Edges(rect);
  return std::any_of(edges.begin(), edges.end(), [&](const QLineF& edge) {
    return line.intersects(edge, nullptr) == QLineF::BoundedIntersection;
  });
}

// The moves tried around a label's wanted place, in half line heights, the nearest first.
const std::vector<QPoint>& Moves() {
  static const std::vector<QPoint> moves = [] {
    std::vector<QPoint> all;
    for (int dy = -kReachDown; dy <= kReachDown; ++dy) {
      for (int dx = -kReachAcross; dx <= kReachAcross; ++dx) {
        all.emplace_back(dx, dy);
      }
    }
    std::stable_sort(all.begin(), all.end(), [](const QPoint& a, const QPoint& b) {
      return a.x() * a.x() + a.y() * a.y() < b.x() * b.x() + b.y() * b.y();
    });
    return all;
  }();
  return moves;
}

// Places labels one after the other inside an area, off the ones placed and off the lines.
class LabelPlacer {
 public:
  LabelPlacer(const QRectF& area, std::vector<QLineF> lines)
      : area_(area.adjusted(kInset, kInset, -kInset, -kInset)), lines_(std::move(lines)) {}

  // The first place near `wanted` inside the area that is off the other labels and off the
  // lines; else the first off the labels; else `wanted` moved inside.
  QRectF Place(const QRectF& wanted) {
    const QRectF start = MovedInside(wanted);
    const qreal step = wanted.height() / 2;
    std::optional<QRectF> offLabels;
    for (const QPoint& move : Moves()) {
      const QRectF r = start.translated(move.x() * step, move.y() * step);
      if (!area_.contains(r) || !OffLabels(r)) {
        continue;
      }
      if (OffLines(r)) {
        placed_.push_back(r);
        return r;
      }
      if (!offLabels) {
        offLabels = r;
      }
    }
    placed_.push_back(offLabels.value_or(start));
    return placed_.back();
  }

 private:
  QRectF MovedInside(QRectF r) const {
    r.moveLeft(std::max(area_.left(), std::min(r.left(), area_.right() - r.width())));
    r.moveTop(std::max(area_.top(), std::min(r.top(), area_.bottom() - r.height())));
    return r;
  }
  bool OffLabels(const QRectF& r) const {
    return std::none_of(placed_.begin(), placed_.end(),
                        [&](const QRectF& other) { return other.intersects(r); });
  }
  bool OffLines(const QRectF& r) const {
    const QRectF cleared = r.adjusted(-kClearance, -kClearance, kClearance, kClearance);
    return std::none_of(lines_.begin(), lines_.end(),
                        [&](const QLineF& line) { return Crosses(line, cleared); });
  }

  QRectF area_;
  std::vector<QLineF> lines_;
  std::vector<QRectF> placed_;
};

void DrawCaption(QPainter& painter, const QFontMetricsF& metrics, const QRectF& rect,
                 const QString& text) {
  painter.drawText(QPointF(rect.left(), rect.top() + metrics.ascent()), text);
}

std::vector<QLineF> StrokeLines(const PictureViewport& viewport, const PictureRecording& picture) {
  std::vector<QLineF> lines;
  for (const RecordedStroke& stroke : picture.Strokes()) {
    const QPointF p1 = viewport.ToPixels({stroke.x1, stroke.y1});
    const QPointF p2 = viewport.ToPixels({stroke.x2, stroke.y2});
    if (stroke.box) {
      const std::array<QLineF, 4> edges = Edges(QRectF(p1, p2).normalized());
      lines.insert(lines.end(), edges.begin(), edges.end());
    } else {
      lines.emplace_back(p1, p2);
    }
  }
  return lines;
}

void PaintNote(QPainter& painter, const std::string& note, const QRectF& area) {
  painter.setFont(ReportFont(9));
  const qreal side = area.height();
  painter.fillRect(area.adjusted(10, side / 2 - 20, -10, -side / 2 + 20), Qt::white);
  painter.drawText(area.adjusted(14, 0, -14, 0), Qt::AlignCenter | Qt::TextWordWrap,
                   QString::fromStdString(note));
}

// The sketch's units on the page: a uniform scale and an origin.
struct SketchMapping {
  qreal scale;
  QPointF origin;
  QPointF operator()(SketchPoint p) const { return origin + QPointF(p.x, p.y) * scale; }
};

QRectF TextRect(const QFontMetricsF& metrics, const SketchText& text, QPointF anchor) {
  const qreal width = metrics.horizontalAdvance(QString::fromStdString(text.text));
  qreal left = anchor.x() - width / 2;
  if (text.align == SketchAlign::Left) {
    left = anchor.x();
  } else if (text.align == SketchAlign::Right) {
    left = anchor.x() - width;
  }
  return {left, anchor.y() - metrics.height() / 2, width, metrics.height()};
}

// The largest scale at which the geometry and the texts at their anchors fit into `area`,
// centred there: the texts keep their size, so the scale is found step by step.
SketchMapping FitSketch(const SystemSketch& sketch, const QFontMetricsF& metrics,
                        const QRectF& area) {
  const qreal width = sketch.bottomRight.x - sketch.topLeft.x;
  const qreal height = sketch.bottomRight.y - sketch.topLeft.y;
  SketchMapping map{std::min(area.width() / width, area.height() / height), {}};
  QRectF bounds;
  for (int round = 0; round < 30; ++round) {
    map.origin = {};
    bounds = QRectF(map(sketch.topLeft), map(sketch.bottomRight));
    for (const SketchText& text : sketch.texts) {
      bounds |= TextRect(metrics, text, map(text.anchor));
    }
    const qreal fit = std::min(area.width() / bounds.width(), area.height() / bounds.height());
    if (fit >= 1) {
      break;
    }
    map.scale *= fit * 0.995;
  }
  map.origin = area.center() - bounds.center();
  return map;
}

// An arrow's head at `tip`, pointing along `direction`.
QPolygonF Head(QPointF tip, QPointF direction) {
  const qreal length = std::hypot(direction.x(), direction.y());
  const QPointF along = direction / length, across(-along.y(), along.x());
  const QPointF base = tip - along * kHeadLength;
  return QPolygonF({tip, base + across * kHeadHalfWidth, base - across * kHeadHalfWidth});
}

qreal PageDegrees(QPointF centre, QPointF p) {
  return std::atan2(-(p.y() - centre.y()), p.x() - centre.x()) * 180 / std::numbers::pi;
}

// An arrow, straight or curved, with its head; its strokes into `drawn` for the labels to
// keep clear of.
void PaintSketchArrow(QPainter& painter, const SketchArrow& arrow, const SketchMapping& map,
                      std::vector<QLineF>& drawn) {
  const QPointF from = map(arrow.from), to = map(arrow.to);
  QPointF direction = to - from;
  if (arrow.curved) {
    const QPointF centre = map(arrow.centre);
    const qreal radius = QLineF(centre, from).length();
    const qreal start = PageDegrees(centre, from), end = PageDegrees(centre, to);
    const qreal sweep =
        arrow.clockwise ? -std::fmod(start - end + 360, 360) : std::fmod(end - start + 360, 360);
    QPainterPath path(from);
    path.arcTo(QRectF(centre - QPointF(radius, radius), centre + QPointF(radius, radius)), start,
               sweep);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    for (const QPolygonF& polyline : path.toSubpathPolygons()) {
      for (qsizetype i = 1; i < polyline.size(); ++i) {
        drawn.emplace_back(polyline[i - 1], polyline[i]);
      }
    }
    // The tangent at the end, in the sense of the turn.
    const qreal radians = end * std::numbers::pi / 180;
    direction = QPointF(-std::sin(radians), -std::cos(radians)) * (arrow.clockwise ? -1 : 1);
  } else {
    painter.drawLine(from, to);
    drawn.emplace_back(from, to);
  }
  painter.setBrush(Qt::black);
  const QPolygonF head = Head(to, direction);
  painter.drawPolygon(head);
  drawn.emplace_back(head[1], head[2]);
}

}  // namespace

void PaintReportPicture(QPainter& painter, const ReportPicture& picture, const QRectF& area) {
  PictureViewport viewport;
  viewport.SetScale(picture.picture.Scale());
  viewport.SetPixelArea(area);
  const qreal pixel = area.width() / kPicturePixels;
  painter.save();
  painter.setClipRect(area);
  painter.fillRect(area, kLightBlue);
  PaintStrokes(painter, viewport, picture.picture, pixel);

  const qreal areaPoints = area.width() * 72 / painter.device()->logicalDpiX();
  const QFont font = ReportFont(
      std::clamp(areaPoints / kPicturePointsPerLabelPoint, kSmallestLabelPoints, kLabelPoints));
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  LabelPlacer placer(area, StrokeLines(viewport, picture.picture));
  for (int i = 0; i < kValueLabelCount; ++i) {
    const RecordedValueLabel& label = picture.picture.Label(i);
    if (!label.visible) {
      continue;
    }
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    const QString caption = QString::fromStdString(ReportCaption(i, label.caption));
    const qreal width = metrics.horizontalAdvance(caption);
    QPointF at = viewport.ToPixels({label.left, label.top});
    if (layout.rightAligned) {  // its right edge stays where the layout put it
      at.rx() += static_cast<qreal>(layout.width) / kTwipsPerPixel * pixel - width;
    }
    painter.setPen(ToQColor(layout.colour));
    DrawCaption(painter, metrics, placer.Place(QRectF(at, QSizeF(width, metrics.height()))),
                caption);
  }
  painter.restore();
  painter.setPen(Qt::black);
  painter.drawRect(area);
  if (!picture.note.empty()) {
    PaintNote(painter, picture.note, area);
  }
}

void PaintSystemSketch(QPainter& painter, const SystemSketch& sketch, const QRectF& area) {
  const QFont font = ReportFont(kSketchPoints);
  const QFontMetricsF metrics(font, painter.device());
  const QRectF inner = area.adjusted(kInset, kInset, -kInset, -kInset);
  const SketchMapping map = FitSketch(sketch, metrics, inner);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  std::vector<QLineF> drawn;
  for (const SketchStroke& line : sketch.lines) {
    painter.setPen(QPen(Qt::black, line.width * 0.7, Qt::SolidLine, Qt::RoundCap));
    drawn.emplace_back(map(line.from), map(line.to));
    painter.drawLine(drawn.back());
  }
  painter.setPen(QPen(Qt::black, 0.7));
  for (const SketchCircle& circle : sketch.circles) {
    const qreal radius = circle.radius * map.scale;
    const QPointF centre = map(circle.centre);
    painter.setBrush(circle.filled ? QBrush(Qt::black) : QBrush(Qt::white));
    painter.drawEllipse(centre, radius, radius);
    const QRectF box(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    drawn.insert(drawn.end(),
                 {{box.topLeft(), box.bottomRight()}, {box.topRight(), box.bottomLeft()}});
  }
  for (const SketchArrow& arrow : sketch.arrows) {
    PaintSketchArrow(painter, arrow, map, drawn);
  }
  painter.setFont(font);
  LabelPlacer placer(area, std::move(drawn));
  for (const SketchText& text : sketch.texts) {
    const QRectF wanted = TextRect(metrics, text, map(text.anchor));
    DrawCaption(painter, metrics, placer.Place(wanted), QString::fromStdString(text.text));
  }
  painter.restore();
}

}  // namespace strevo
