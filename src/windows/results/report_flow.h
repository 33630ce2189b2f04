// Headings, paragraphs and ruled tables flowing down A4 pages: laid out first, so that the
// number of pages is known before a footer is painted, then painted page by page. Drawn with
// the painter alone: QTextDocument takes many times as long for tables of this length.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

#include "report_layout.h"

class QPaintDevice;
class QPainter;

namespace strevo {

// Where the flow begins and ends on a page: inside the margins, above the footer.
inline constexpr qreal kFlowTop = kMargin, kFlowBottom = kMargin + kTextPage.height();

struct FlowCell {
  QString text;
  QColor colour = Qt::black;
  bool bold = false;
};
using FlowRow = std::vector<FlowCell>;

class ReportFlow {
 public:
  // Text is measured as `device` (the PDF writer) will draw it.
  explicit ReportFlow(QPaintDevice& device) : device_(device) {}

  void Title(const QString& text);
  // Kept on one page with the beginning of what follows.
  void Heading(const QString& text);
  void Subheading(const QString& text);
  void Paragraph(const QString& text, const QColor& colour = Qt::black, bool bold = false);
  // Columns as parts of the text's width; a row's cells wrap, and the header row (none when
  // empty) is repeated on every page the table reaches.
  void Table(const std::vector<qreal>& widths, const FlowRow& header,
             const std::vector<FlowRow>& rows);

  int PageCount() const { return page_ + 1; }
  // The pieces of page `page` (from 0), footer aside.
  void Paint(QPainter& painter, int page) const;

 private:
  struct Piece {
    int page;
    QRectF rect;  // points on the page
    QString text;
    QFont font;
    QColor colour;
    bool cell;    // ruled round
    bool header;  // shaded
  };
  qreal Height(const QString& text, const QFont& font, qreal width) const;
  // A new page unless `height` fits below.
  void Need(qreal height);
  void Text(const QString& text, const QFont& font, const QColor& colour, qreal spaceAbove,
            qreal keepBelow);
  qreal RowHeight(const std::vector<qreal>& widths, const FlowRow& row, bool header) const;
  void Row(const std::vector<qreal>& widths, const FlowRow& row, bool header, qreal height);

  QPaintDevice& device_;
  std::vector<Piece> pieces_;
  int page_ = 0;
  qreal y_ = kFlowTop;
};

}  // namespace strevo
