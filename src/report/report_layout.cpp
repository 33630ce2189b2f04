#include "report/report_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include "core/base/text_rules.h"

namespace strevo {

QFont ReportFont(qreal points, bool bold) {
  QFont font(QString::fromLatin1(kReportFamily));
  // Without shaping, "fi" in "Profil" stays two letters that a search or a copy of the PDF's
  // text finds (a ligature is one glyph); hinting means nothing in a vector file.
  font.setStyleStrategy(QFont::PreferNoShaping);
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

namespace {

QString Filled(const QString& what, const QString& text) {
  return what + QStringLiteral(": ") + (text.isEmpty() ? QStringLiteral("________________") : text);
}

}  // namespace

void PaintTitleBlock(QPainter& painter, const TitleBlock& block, int page, int pages) {
  constexpr qreal kPadding = 4, kLine = 11.5, kSplit = 0.66;
  const QRectF frame(kMargin, kMargin, kPageWidth - 2 * kMargin, kTitleBlockHeight);
  const qreal split = frame.left() + kSplit * frame.width();
  painter.setPen(QPen(Qt::black, 0.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);
  painter.drawLine(QPointF(split, frame.top()), QPointF(split, frame.bottom()));
  const QString left[] = {Filled(QStringLiteral("Projekt"), block.project),
                          Filled(QStringLiteral("Position"), block.position),
                          Filled(QStringLiteral("Bearbeiter"), block.author),
                          QStringLiteral("System: ") + block.system};
  const QString right[] = {block.title, QStringLiteral("Datum: ") + block.date,
                           QStringLiteral("Strevo %1").arg(QStringLiteral(STREVO_VERSION)),
                           QStringLiteral("Seite %1 von %2").arg(page).arg(pages)};
  const auto column = [&](const QString(&lines)[4], qreal from, qreal to) {
    for (int i = 0; i < 4; ++i) {
      // The right column's first line names the report.
      const QFont font = ReportFont(8.5, from > split - 1 && i == 0);
      painter.setFont(font);
      const QFontMetricsF metrics(font, painter.device());
      const qreal width = to - from - 2 * kPadding;
      const QString text = metrics.elidedText(lines[i], Qt::ElideRight, width);
      painter.drawText(QRectF(from + kPadding, frame.top() + 3 + i * kLine, width, kLine),
                       Qt::AlignLeft | Qt::AlignVCenter, text);
    }
  };
  column(left, frame.left(), split);
  column(right, split, frame.right());
}

QString Decimal(double value) {
  return Decimal(FormatFixed2(value));
}

QString Decimal(const std::string& value) {
  return QString::fromStdString(DecimalCommas(value));
}

QString Commas(const std::string& text) {
  static const QRegularExpression number(QStringLiteral("(?<![\\d.])(\\d+)\\.(\\d+)(?![\\d.])"));
  return QString::fromStdString(text).replace(number, QStringLiteral("\\1,\\2"));
}

QString StatedNumbers(const std::string& text) {
  static const QRegularExpression stated(QStringLiteral("([=≤] −?-?\\d+)\\.(\\d)"));
  return QString::fromStdString(text).replace(stated, QStringLiteral("\\1,\\2"));
}

}  // namespace strevo
