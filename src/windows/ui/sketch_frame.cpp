#include "windows/ui/sketch_frame.h"

#include <QPainter>
#include <algorithm>

#include "report/twips.h"
#include "windows/ui/titled_frame.h"

namespace strevo {
namespace {

// Arrow positions follow the inputs without limit; keep what reaches the painter sane.
qreal ToPixels(double twips) {
  return std::clamp(twips / kTwipsPerPixel, -100000.0, 100000.0);
}

}  // namespace

SketchFrame::SketchFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  StyleTitledFrame(*this);
}

void SketchFrame::paintEvent(QPaintEvent* event) {
  QGroupBox::paintEvent(event);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const LineArray* lines : arrays_) {
    for (const SketchLine& line : *lines) {
      if (!line.visible) {
        continue;
      }
      painter.setPen(QPen(Qt::black, 1, line.dashed ? Qt::DashLine : Qt::SolidLine));
      painter.drawLine(QPointF(ToPixels(line.x1), ToPixels(line.y1)),
                       QPointF(ToPixels(line.x2), ToPixels(line.y2)));
    }
  }
}

}  // namespace strevo
