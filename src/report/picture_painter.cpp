#include "report/picture_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace strevo {
namespace {

// The value labels' 8.25-point font at 96 dpi.
constexpr qreal kLabelPixels = 11;

// A right-aligned label keeps its right edge where the layout put it, as over the window.
void PaintValueLabels(QPainter& painter, const PictureViewport& viewport,
                      const PictureRecording& picture, const QFont& labelFont, qreal pixel) {
  QFont font = labelFont;
  font.setPixelSize(std::max(1, static_cast<int>(kLabelPixels * pixel + 0.5)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  for (int i = 0; i < kValueLabelCount; ++i) {
    const RecordedValueLabel& label = picture.Label(i);
    if (!label.visible) {
      continue;
    }
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    const QString caption = QString::fromStdString(label.caption);
    QPointF at = viewport.ToPixels({label.left, label.top});
    if (layout.rightAligned) {
      const qreal designWidth = static_cast<qreal>(layout.width) / kTwipsPerPixel * pixel;
      at.rx() += designWidth - metrics.horizontalAdvance(caption);
    }
    painter.setPen(ToQColor(layout.colour));
    painter.drawText(at + QPointF(0, metrics.ascent()), caption);
  }
}

}  // namespace

void PaintStrokes(QPainter& painter, const PictureViewport& viewport,
                  const PictureRecording& picture, qreal penScale) {
  painter.setRenderHint(QPainter::Antialiasing);
  for (const RecordedStroke& stroke : picture.Strokes()) {
    QPen pen(PaletteColour(stroke.colour), stroke.width * penScale);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QPointF p1 = viewport.ToPixels({stroke.x1, stroke.y1});
    const QPointF p2 = viewport.ToPixels({stroke.x2, stroke.y2});
    if (stroke.box) {
      painter.drawRect(QRectF(p1, p2).normalized());
    } else {
      painter.drawLine(p1, p2);
    }
  }
}

void PaintRecording(QPainter& painter, const QRectF& target, const PictureRecording& picture,
                    const QFont& labelFont) {
  PictureViewport viewport;
  viewport.SetScale(picture.Scale());
  viewport.SetPixelArea(target);
  const qreal pixel = target.width() / kPicturePixels;
  painter.save();
  painter.setClipRect(target);
  painter.fillRect(target, kLightBlue);
  PaintStrokes(painter, viewport, picture, pixel);
  // Labels may reach past the picture's edge, as they do over the window's picture.
  painter.setClipping(false);
  PaintValueLabels(painter, viewport, picture, labelFont, pixel);
  painter.restore();
  painter.setPen(Qt::black);
  painter.drawRect(target);
}

}  // namespace strevo
