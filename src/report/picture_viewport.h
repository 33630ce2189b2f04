// Maps the picture's user scale (picture units, kPictureUnits square unless a drawing sets
// another) to the widget's pixels, for lines and value labels alike.
#pragma once

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <array>

#include "core/drawing/canvas.h"

namespace strevo {

class PictureViewport {
 public:
  // left, top, right, bottom, as a recording keeps them
  void SetScale(const std::array<float, 4>& scale) {
    scale_ = QRectF(QPointF(scale[0], scale[1]), QPointF(scale[2], scale[3]));
  }
  void SetPixelArea(const QRectF& pixelArea) { pixels_ = pixelArea; }
  const QRectF& PixelArea() const { return pixels_; }

  // Coordinates are unlimited; what reaches the painter stays within what it can rasterise.
  QPointF ToPixels(const QPointF& picturePoint) const {
    return {Limit(pixels_.left() +
                  (picturePoint.x() - scale_.left()) / scale_.width() * pixels_.width()),
            Limit(pixels_.top() +
                  (picturePoint.y() - scale_.top()) / scale_.height() * pixels_.height())};
  }

  QPointF ToPicture(const QPointF& pixelPoint) const {
    return {scale_.left() + (pixelPoint.x() - pixels_.left()) / pixels_.width() * scale_.width(),
            scale_.top() + (pixelPoint.y() - pixels_.top()) / pixels_.height() * scale_.height()};
  }
  // A distance in pixels as picture units, across.
  qreal ToPictureUnits(qreal pixels) const { return pixels / pixels_.width() * scale_.width(); }

 private:
  static qreal Limit(qreal pixels) { return std::clamp(pixels, -1e5, 1e5); }

  QRectF scale_{0, 0, kPictureUnits, kPictureUnits};
  QRectF pixels_;
};

}  // namespace strevo
