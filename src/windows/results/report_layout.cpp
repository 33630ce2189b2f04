#include "report_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "picture_painter.h"

namespace strevo {

QFont ReportFont(qreal points, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  // Without shaping, "fi" in "Profil" stays two letters that a search or a copy of the PDF's
  // text finds (a ligature is one glyph); hinting means nothing in a vector file.
  font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void SetUpWriter(QPdfWriter& writer, const QString& title) {
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(72);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Strevo %1").arg(QStringLiteral(STREVO_VERSION)));
}

void Footer(QPainter& painter, int page, int pages) {
  painter.setFont(ReportFont(8));
  painter.setPen(Qt::darkGray);
  const QRectF area(kMargin, kPageHeight - kMargin + 10, kPageWidth - 2 * kMargin, 14);
  painter.drawText(area, Qt::AlignLeft,
                   QStringLiteral("Strevo %1").arg(QStringLiteral(STREVO_VERSION)));
  painter.drawText(area, Qt::AlignRight, QStringLiteral("Seite %1 von %2").arg(page).arg(pages));
  painter.setPen(Qt::black);
}

void LayOutText(QTextDocument& document, QPdfWriter& writer, const QString& html) {
  document.documentLayout()->setPaintDevice(&writer);
  document.setDefaultFont(ReportFont(9));
  document.setDocumentMargin(0);
  document.setPageSize(kTextPage);
  document.setHtml(html);
}

void WriteTextPages(QPdfWriter& writer, QPainter& painter, QTextDocument& document, int firstPage,
                    int pages) {
  for (int i = 0; i < document.pageCount(); ++i) {
    writer.newPage();
    painter.save();
    painter.translate(kMargin, kMargin - i * kTextPage.height());
    document.drawContents(&painter, QRectF(QPointF(0, i * kTextPage.height()), kTextPage));
    painter.restore();
    Footer(painter, firstPage + i, pages);
  }
}

void WritePicture(QPainter& painter, const ReportPicture& picture, const QRectF& area) {
  PaintRecording(painter, area, picture.picture, ReportFont(8));
  if (!picture.note.empty()) {
    painter.setFont(ReportFont(9));
    const qreal side = area.height();
    painter.fillRect(area.adjusted(10, side / 2 - 20, -10, -side / 2 + 20), Qt::white);
    painter.drawText(area.adjusted(14, 0, -14, 0), Qt::AlignCenter | Qt::TextWordWrap,
                     QString::fromStdString(picture.note));
  }
}

}  // namespace strevo
