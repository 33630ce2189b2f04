#include "report_flow.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace strevo {
namespace {

constexpr qreal kPadding = 3;
constexpr int kWrap = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter;

}  // namespace

qreal ReportFlow::Height(const QString& text, const QFont& font, qreal width) const {
  const QFontMetricsF metrics(font, &device_);
  return std::max(metrics.height(),
                  metrics.boundingRect(QRectF(0, 0, width, kPageHeight), kWrap, text).height());
}

void ReportFlow::Need(qreal height) {
  if (y_ + height > kFlowBottom && y_ > kFlowTop) {
    ++page_;
    y_ = kFlowTop;
  }
}

void ReportFlow::Text(const QString& text, const QFont& font, const QColor& colour,
                      qreal spaceAbove, qreal keepBelow) {
  const qreal height = Height(text, font, kTextPage.width());
  if (y_ > kFlowTop) {
    y_ += spaceAbove;
  }
  Need(height + keepBelow);
  pieces_.push_back(
      {page_, QRectF(kMargin, y_, kTextPage.width(), height), text, font, colour, false, false});
  y_ += height;
}

void ReportFlow::Title(const QString& text) {
  Text(text, ReportFont(18, true), Qt::black, 0, 0);
  y_ += 4;
}

void ReportFlow::Heading(const QString& text) {
  Text(text, ReportFont(12, true), Qt::black, 14, 60);
  y_ += 4;
}

void ReportFlow::Subheading(const QString& text) {
  Text(text, ReportFont(10, true), Qt::black, 8, 40);
  y_ += 2;
}

void ReportFlow::Paragraph(const QString& text, const QColor& colour, bool bold) {
  Text(text, ReportFont(9, bold), colour, 4, 0);
}

qreal ReportFlow::RowHeight(const std::vector<qreal>& widths, const FlowRow& row,
                            bool header) const {
  qreal height = 0;
  for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
    const QFont font = ReportFont(9, header || row[i].bold);
    height =
        std::max(height, Height(row[i].text, font, widths[i] * kTextPage.width() - 2 * kPadding));
  }
  return height + 2 * kPadding;
}

void ReportFlow::Row(const std::vector<qreal>& widths, const FlowRow& row, bool header,
                     qreal height) {
  qreal left = kMargin;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const qreal width = widths[i] * kTextPage.width();
    const FlowCell cell = i < row.size() ? row[i] : FlowCell{};
    pieces_.push_back({page_, QRectF(left, y_, width, height), cell.text,
                       ReportFont(9, header || cell.bold), cell.colour, true, header});
    left += width;
  }
  y_ += height;
}

void ReportFlow::Table(const std::vector<qreal>& widths, const FlowRow& header,
                       const std::vector<FlowRow>& rows) {
  const qreal headerHeight = header.empty() ? 0 : RowHeight(widths, header, true);
  const auto headerRow = [&] {
    if (!header.empty()) {
      Row(widths, header, true, headerHeight);
    }
  };
  y_ += 4;
  Need(headerHeight + (rows.empty() ? 0 : RowHeight(widths, rows.front(), false)));
  headerRow();
  for (const FlowRow& row : rows) {
    const qreal height = RowHeight(widths, row, false);
    if (y_ + height > kFlowBottom) {
      ++page_;
      y_ = kFlowTop;
      headerRow();
    }
    Row(widths, row, false, height);
  }
}

void ReportFlow::Paint(QPainter& painter, int page) const {
  for (const Piece& piece : pieces_) {
    if (piece.page != page) {
      continue;
    }
    QRectF text = piece.rect;
    if (piece.cell) {
      if (piece.header) {
        painter.fillRect(piece.rect, QColor(230, 230, 230));
      }
      painter.setPen(QPen(Qt::darkGray, 0.5));
      painter.drawRect(piece.rect);
      text = piece.rect.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    }
    painter.setFont(piece.font);
    painter.setPen(piece.colour);
    painter.drawText(text, kWrap, piece.text);
  }
  painter.setPen(Qt::black);
}

}  // namespace strevo
