// The Rechenweg's typeset blocks in Qt: text measured with a font family on a paint device (the
// screen or the PDF writer, each in its own resolution) and the runs and rules painted.
#pragma once

#include <QFontMetricsF>
#include <QPointF>
#include <QString>
#include <map>
#include <utility>

#include "core/text/typeset.h"

class QPaintDevice;
class QPainter;

namespace strevo {

class QtTypesetMetrics : public typeset::FontMetrics {
 public:
  // Sizes are in points; widths and heights come back in the device's pixels.
  QtTypesetMetrics(QString family, QPaintDevice* device);

  double Width(std::string_view utf8, typeset::Face face, double size) const override;
  double Ascent(double size) const override;
  double Descent(double size) const override;

 private:
  // A step measures hundreds of pieces in a few faces and sizes.
  const QFontMetricsF& Metrics(typeset::Face face, double size) const;

  QString family_;
  QPaintDevice* device_;
  mutable std::map<std::pair<typeset::Face, double>, QFontMetricsF> metrics_;
};

// The block's runs in `family` and its rules in the painter's pen colour, its top left at
// `topLeft`.
void PaintBlock(QPainter& painter, const typeset::Block& block, QPointF topLeft,
                const QString& family);

}  // namespace strevo
