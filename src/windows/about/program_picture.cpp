#include "windows/about/program_picture.h"

#include <QPainter>
#include <QPainterPath>

#include "report/twips.h"

namespace strevo {

QImage ProgramPicture(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(size.width() / 100.0, size.height() / 100.0);
  PaintProgramPicture(painter, 100);
  return image;
}

void PaintProgramPicture(QPainter& painter, qreal side) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 100 x 100 grid and scaled, so that every size looks the same.
  painter.scale(side / 100.0, side / 100.0);
  painter.setBrush(kLightBlue);
  painter.setPen(QPen(QColor(0, 0, 128), 1.5));
  painter.drawRoundedRect(QRectF(2, 2, 96, 96), 10, 10);

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0, 0, 128), 2));
  painter.drawRect(QRectF(22, 18, 56, 8));  // beam load
  for (double x : {34.0, 50.0, 66.0}) {
    painter.drawLine(QPointF(x, 18), QPointF(x, 26));
  }
  painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawPolyline(QPolygonF({{22, 78}, {22, 32}, {78, 32}, {78, 78}}));
  painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (double x : {22.0, 78.0}) {
    painter.drawPolygon(QPolygonF({{x, 80}, {x - 7, 90}, {x + 7, 90}}));
  }
  // The moment line under the beam, in the moment diagram's red.
  painter.setPen(QPen(QColor(255, 0, 0), 2));
  QPainterPath moment(QPointF(24, 36));
  moment.quadTo(QPointF(50, 62), QPointF(76, 36));
  painter.drawPath(moment);
  painter.restore();
}

}  // namespace strevo
