#include "report/typeset_painter.h"

#include <QPainter>
#include <QPen>
#include <utility>

namespace strevo {
namespace {

QFont TypesetFont(const QString& family, typeset::Face face, double size) {
  QFont font(family);
  // Unshaped, "fi" stays two letters that a search in the PDF finds, as in the report's text.
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setPointSizeF(size);
  font.setItalic(face == typeset::Face::Italic || face == typeset::Face::BoldItalic);
  font.setBold(face == typeset::Face::Bold || face == typeset::Face::BoldItalic);
  return font;
}

}  // namespace

QtTypesetMetrics::QtTypesetMetrics(QString family, QPaintDevice* device)
    : family_(std::move(family)), device_(device) {}

const QFontMetricsF& QtTypesetMetrics::Metrics(typeset::Face face, double size) const {
  const std::pair key(face, size);
  auto found = metrics_.find(key);
  if (found == metrics_.end()) {
    found = metrics_.emplace(key, QFontMetricsF(TypesetFont(family_, face, size), device_)).first;
  }
  return found->second;
}

double QtTypesetMetrics::Width(std::string_view utf8, typeset::Face face, double size) const {
  return Metrics(face, size)
      .horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

double QtTypesetMetrics::Ascent(double size) const {
  return Metrics(typeset::Face::Upright, size).ascent();
}

double QtTypesetMetrics::Descent(double size) const {
  return Metrics(typeset::Face::Upright, size).descent();
}

void PaintBlock(QPainter& painter, const typeset::Block& block, QPointF topLeft,
                const QString& family) {
  painter.save();
  for (const typeset::Run& run : block.runs) {
    painter.setFont(TypesetFont(family, run.face, run.size));
    painter.drawText(topLeft + QPointF(run.x, run.y), QString::fromStdString(run.text));
  }
  QPen pen(painter.pen().color());
  pen.setJoinStyle(Qt::RoundJoin);
  for (const typeset::Rule& rule : block.rules) {
    // Bars end square at their ends; the root's strokes meet round.
    pen.setCapStyle(rule.y0 == rule.y1 ? Qt::FlatCap : Qt::RoundCap);
    pen.setWidthF(rule.thickness);
    painter.setPen(pen);
    painter.drawLine(topLeft + QPointF(rule.x0, rule.y0), topLeft + QPointF(rule.x1, rule.y1));
  }
  painter.restore();
}

}  // namespace strevo
