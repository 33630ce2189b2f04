#include "report_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <algorithm>

#include "rechenweg.h"
#include "report_pictures.h"
#include "result_list.h"
#include "value_label_layout.h"

namespace strevo {
namespace {

// The page is laid out in points: A4 is 595 x 842, with 50-point margins.
constexpr qreal kPageWidth = 595, kPageHeight = 842, kMargin = 50;
// The results window's picture is 353 pixels wide; strokes and labels keep that proportion.
constexpr qreal kScreenPicturePixels = 353, kScreenLabelPixels = 11;

QColor ColourOf(int paletteIndex) {
  if (paletteIndex < 0 || paletteIndex >= static_cast<int>(kPalette.size())) {
    return Qt::black;
  }
  const Rgb rgb = kPalette[paletteIndex];
  return {rgb.r, rgb.g, rgb.b};
}

QFont ReportFont(qreal points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

class Page {
 public:
  explicit Page(QPainter& painter) : painter_(painter) {}
  void Line(const QString& text, qreal points = 10, bool bold = false, qreal left = kMargin) {
    painter_.setFont(ReportFont(points, bold));
    y_ += points * 1.45;
    painter_.drawText(QPointF(left, y_), text);
  }
  void Skip(qreal points) { y_ += points; }
  qreal y() const { return y_; }
  void SetY(qreal y) { y_ = y; }

 private:
  QPainter& painter_;
  qreal y_ = kMargin;
};

void Footer(QPainter& painter, int page, int pages) {
  painter.setFont(ReportFont(8));
  painter.setPen(Qt::darkGray);
  const QRectF area(kMargin, kPageHeight - kMargin + 10, kPageWidth - 2 * kMargin, 14);
  painter.drawText(area, Qt::AlignLeft,
                   QStringLiteral("Strevo %1").arg(QStringLiteral(STREVO_VERSION)));
  painter.drawText(area, Qt::AlignRight, QStringLiteral("Seite %1 von %2").arg(page).arg(pages));
  painter.setPen(Qt::black);
}

// "AH = 0.58 kN", as the result lines write a value.
QString RowText(const ListRow& row) {
  QString text = Text(row.symbol + " = " + row.value);
  if (!row.unit.empty()) {
    text += QLatin1Char(' ') + Text(row.unit);
  }
  return text;
}

void Rows(Page& page, const std::vector<ListRow>& rows, std::size_t from, std::size_t to,
          qreal left) {
  for (std::size_t i = from; i < to && i < rows.size(); ++i) {
    page.Line(RowText(rows[i]), 10, false, left);
  }
}

}  // namespace

void PaintRecording(QPainter& painter, const QRectF& target, const PictureRecording& picture) {
  painter.save();
  painter.setClipRect(target);
  painter.fillRect(target, QColor(192, 192, 255));
  const auto& scale = picture.Scale();
  const auto map = [&](qreal x, qreal y) {
    return QPointF(target.left() + (x - scale[0]) / (scale[2] - scale[0]) * target.width(),
                   target.top() + (y - scale[1]) / (scale[3] - scale[1]) * target.height());
  };
  const qreal pixel = target.width() / kScreenPicturePixels;
  painter.setRenderHint(QPainter::Antialiasing);
  for (const RecordedStroke& stroke : picture.Strokes()) {
    QPen pen(ColourOf(stroke.colour), stroke.width * pixel);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QPointF p1 = map(stroke.x1, stroke.y1), p2 = map(stroke.x2, stroke.y2);
    if (stroke.box) {
      painter.drawRect(QRectF(p1, p2).normalized());
    } else {
      painter.drawLine(p1, p2);
    }
  }
  // Labels may reach past the picture's edge, as they do over the window's picture.
  painter.setClipping(false);
  QFont font = ReportFont(8);
  font.setPixelSize(std::max(1, static_cast<int>(kScreenLabelPixels * pixel + 0.5)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  for (int i = 0; i < kValueLabelCount; ++i) {
    const RecordedValueLabel& label = picture.Label(i);
    if (!label.visible) {
      continue;
    }
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    const QString caption = Text(label.caption);
    QPointF at = map(label.left, label.top);
    if (layout.rightAligned) {
      const qreal designWidth = layout.width / 15.0 * pixel;
      at.rx() += designWidth - metrics.horizontalAdvance(caption);
    }
    painter.setPen(QColor(layout.colour.r, layout.colour.g, layout.colour.b));
    painter.drawText(at + QPointF(0, metrics.ascent()), caption);
  }
  painter.restore();
  painter.setPen(Qt::black);
  painter.drawRect(target);
}

void WriteReport(QIODevice& device, const Computation& computation, const ReportFacts& facts) {
  QPdfWriter writer(&device);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(72);  // one unit a point; the output stays vector
  writer.setTitle(QStringLiteral("Strevoberechnung"));
  writer.setCreator(QStringLiteral("Strevo %1").arg(QStringLiteral(STREVO_VERSION)));
  QPainter painter(&writer);

  // The Rechenweg follows on pages of its own, laid out for this writer so that no line is cut.
  QTextDocument rechenweg;
  rechenweg.documentLayout()->setPaintDevice(&writer);
  rechenweg.setDefaultFont(ReportFont(9));
  rechenweg.setDocumentMargin(0);
  const QSizeF textPage(kPageWidth - 2 * kMargin, kPageHeight - 2 * kMargin - 20);
  rechenweg.setPageSize(textPage);
  rechenweg.setHtml(
      QString::fromStdString(RechenwegHtml(RechenwegWithCheck(computation, facts.check))));
  const int pages = 2 + rechenweg.pageCount();

  Page page(painter);
  page.Line(QStringLiteral("Strevoberechnung"), 18, true);
  page.Line(QStringLiteral("Erstellt am %1 um %2 Uhr")
                .arg(facts.created.toString(QStringLiteral("dd.MM.yyyy")),
                     facts.created.toString(QStringLiteral("HH:mm"))),
            9);
  page.Skip(6);
  page.Line(QStringLiteral("System: %1").arg(Text(SystemCaption(computation.system))), 12, true);
  if (facts.inputsChanged) {
    painter.setPen(Qt::darkRed);
    page.Line(QString::fromUtf8(kInputsChangedNote), 10, true);
    painter.setPen(Qt::black);
  }
  const std::vector<ListRow> rows = ResultListRows(computation);
  constexpr std::size_t kFirstResult = 1 + kFieldCount + 1;  // system, inputs, k
  page.Skip(10);
  const qreal headings = page.y();
  page.Line(QStringLiteral("Eingaben"), 12, true);
  const qreal top = page.y();
  Rows(page, rows, 1, kFirstResult, kMargin);
  page.SetY(headings);
  const std::size_t half = kFirstResult + (rows.size() - kFirstResult + 1) / 2;
  page.Line(QStringLiteral("Ergebnisse"), 12, true, 230);
  page.SetY(top);
  Rows(page, rows, kFirstResult, half, 230);
  const qreal longest = page.y();
  page.SetY(top);
  Rows(page, rows, half, rows.size(), 400);
  page.SetY(std::max(longest, page.y()) + 8);
  // The note may carry the cm4 hint, longer than a line: wrapped under the results.
  painter.setFont(ReportFont(9));
  QRectF note;
  painter.drawText(QRectF(230, page.y() + 4, kPageWidth - kMargin - 230, kPageHeight),
                   Qt::TextWordWrap, Text(DeformationNote(computation)), &note);
  page.SetY(note.bottom());
  const std::vector<ListRow> check = CheckRows(computation, facts.check);
  if (!check.empty()) {
    page.Skip(10);
    page.Line(QStringLiteral("Querschnittsnachweis"), 12, true);
    for (const ListRow& row : check) {
      QString text = RowText(row);
      if (!row.remark.empty()) {
        text += QStringLiteral(" – ") + Text(row.remark);
      }
      if (row.verdict == Verdict::NotMet) {
        painter.setPen(Qt::red);
      } else if (row.verdict == Verdict::Met) {
        painter.setPen(QColor(0, 128, 0));
      }
      page.Line(text, 10);
      painter.setPen(Qt::black);
    }
    page.Line(QString::fromUtf8(kCheckStatement), 9);
  }
  Footer(painter, 1, pages);

  writer.newPage();
  page.SetY(kMargin);
  page.Line(QStringLiteral("Bilder"), 12, true);
  const std::array<ReportPicture, 4> pictures = DrawReportPictures(computation);
  const qreal side = (kPageWidth - 2 * kMargin - 20) / 2;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const std::size_t row = i / 2, column = i % 2;  // two pictures a row
    const qreal left = kMargin + static_cast<qreal>(column) * (side + 20);
    const qreal titleTop = kMargin + 30 + static_cast<qreal>(row) * (side + 50);
    painter.setFont(ReportFont(10, true));
    painter.drawText(QPointF(left, titleTop + 12), Text(pictures[i].title));
    const QRectF area(left, titleTop + 20, side, side);
    PaintRecording(painter, area, pictures[i].picture);
    if (!pictures[i].note.empty()) {
      painter.setFont(ReportFont(9));
      painter.fillRect(area.adjusted(10, side / 2 - 20, -10, -side / 2 + 20), Qt::white);
      painter.drawText(area.adjusted(14, 0, -14, 0), Qt::AlignCenter | Qt::TextWordWrap,
                       Text(pictures[i].note));
    }
  }
  Footer(painter, 2, pages);

  for (int i = 0; i < rechenweg.pageCount(); ++i) {
    writer.newPage();
    painter.save();
    painter.translate(kMargin, kMargin - i * textPage.height());
    rechenweg.drawContents(&painter, QRectF(QPointF(0, i * textPage.height()), textPage));
    painter.restore();
    Footer(painter, 3 + i, pages);
  }
}

}  // namespace strevo
