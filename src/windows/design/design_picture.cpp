#include "windows/design/design_picture.h"

#include <QPainter>
#include <algorithm>
#include <utility>

#include "report/picture_painter.h"

namespace strevo {

DesignPicture::DesignPicture(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DesignPicture::Show(ReportPicture picture) {
  picture_ = std::move(picture);
  setToolTip(QString::fromStdString(picture_->note));
  update();
}

void DesignPicture::Clear() {
  picture_.reset();
  setToolTip(QString());
  update();
}

void DesignPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const int titleHeight = 2 * fontMetrics().height() + 4;  // a long label takes two lines
  // Value labels may reach past the picture's sides, as over the results window's picture.
  constexpr int kLabelRoom = 16;
  const qreal side =
      std::max(0, std::min(width() - 2 * kLabelRoom - 1, height() - titleHeight - 1));
  const QRectF area((width() - side) / 2, titleHeight, side, side);
  if (!picture_) {
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    return;
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRectF(0, 0, width(), titleHeight),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap,
                   QString::fromStdString(picture_->title));
  PaintRecording(painter, area, picture_->picture, font());
  if (!picture_->note.empty()) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     QString::fromStdString(picture_->note));
  }
}

}  // namespace strevo
