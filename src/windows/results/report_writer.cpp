#include "report_writer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <algorithm>
#include <optional>

#include "design_report.h"
#include "rechenweg.h"
#include "report_layout.h"
#include "report_pictures.h"
#include "result_list.h"

namespace strevo {
namespace {

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

void WriteHeading(Page& page, QPainter& painter, const Computation& computation,
                  const ReportFacts& facts) {
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
}

// The inputs in one column, the results in two beside them; the page goes on under the longest.
void WriteInputsAndResults(Page& page, const std::vector<ListRow>& rows) {
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
}

// The note may carry the cm4 hint, longer than a line: wrapped under the results.
void WriteDeformationNote(Page& page, QPainter& painter, const QString& text) {
  painter.setFont(ReportFont(9));
  QRectF note;
  painter.drawText(QRectF(230, page.y() + 4, kPageWidth - kMargin - 230, kPageHeight),
                   Qt::TextWordWrap, text, &note);
  page.SetY(note.bottom());
}

void WriteSectionCheck(Page& page, QPainter& painter, const std::vector<ListRow>& check) {
  if (check.empty()) {
    return;
  }
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

// Two pictures a row, each under its title.
void WritePictures(Page& page, QPainter& painter, const std::array<ReportPicture, 4>& pictures) {
  page.SetY(kMargin);
  page.Line(QStringLiteral("Bilder"), 12, true);
  const qreal side = (kPageWidth - 2 * kMargin - 20) / 2;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const std::size_t row = i / 2, column = i % 2;
    const qreal left = kMargin + static_cast<qreal>(column) * (side + 20);
    const qreal titleTop = kMargin + 30 + static_cast<qreal>(row) * (side + 50);
    painter.setFont(ReportFont(10, true));
    painter.drawText(QPointF(left, titleTop + 12), Text(pictures[i].title));
    WritePicture(painter, pictures[i], QRectF(left, titleTop + 20, side, side));
  }
}

}  // namespace

void WriteReport(QIODevice& device, const TakenComputation& taken, const ReportFacts& facts) {
  const Computation& computation = taken.Snapshot();
  QPdfWriter writer(&device);
  SetUpWriter(writer, QStringLiteral("Strevoberechnung"));
  QPainter painter(&writer);
  QTextDocument rechenweg;
  LayOutText(rechenweg, writer, QString::fromStdString(RechenwegHtml(taken.Rechenweg())));
  const int ownPages = 2 + rechenweg.pageCount();
  std::optional<DesignReportPages> design;
  if (facts.design != nullptr) {
    design.emplace(writer, *facts.design, facts);
  }
  const int pages = ownPages + (design ? design->Count() : 0);

  Page page(painter);
  WriteHeading(page, painter, computation, facts);
  WriteInputsAndResults(page, taken.ResultRows());
  WriteDeformationNote(page, painter, Text(taken.DeformationNote()));
  WriteSectionCheck(page, painter, taken.CheckRows());
  Footer(painter, 1, pages);

  writer.newPage();
  WritePictures(page, painter, DrawReportPictures(computation));
  Footer(painter, 2, pages);

  WriteTextPages(writer, painter, rechenweg, 3, pages);
  if (design) {
    design->Paint(writer, painter, ownPages + 1, pages);
  }
}

}  // namespace strevo
