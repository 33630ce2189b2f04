// What the PDF reports share: A4 pages laid out in points, their fonts, the title block every
// page carries, and numbers written the German way.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QtGlobal>
#include <string>

class QPainter;
class QPdfWriter;

namespace strevo {

// A4 is 595 x 842 points, with 50-point margins; the title block takes the top of each page.
inline constexpr qreal kPageWidth = 595, kPageHeight = 842, kMargin = 50;
inline constexpr qreal kTitleBlockHeight = 56;
inline constexpr QSizeF kTextPage(kPageWidth - 2 * kMargin,
                                  kPageHeight - 2 * kMargin - kTitleBlockHeight - 14);

// Every text of the reports is set in this family.
inline constexpr const char* kReportFamily = "DejaVu Sans";
QFont ReportFont(qreal points, bool bold = false);

// A4 without margins, one unit a point (the output stays vector), with the document's title.
void SetUpWriter(QPdfWriter& writer, const QString& title);

// What the head of every page says. An empty project, position or author is left as a line
// to be filled in by hand, as a calculation handed in must name them.
struct TitleBlock {
  QString title;  // "Strevo-Bemessung", "Strevoberechnung"
  QString project, position, author;
  QString system;  // "Zweigelenk Strevo"
  QString date;    // "08.12.2026"
};
void PaintTitleBlock(QPainter& painter, const TitleBlock& block, int page, int pages);

// A number with two decimals and a decimal comma: "57,40".
QString Decimal(double value);
// A value in the "0.00" form of the results, with a decimal comma.
QString Decimal(const std::string& value);
// Every number with a decimal point in a text, with a decimal comma ("x = 2,40 m", "1/2,5").
QString Commas(const std::string& text);
// Each number stated after "=" or "≤" in a text, with a decimal comma ("ψ0 = 0,50"): clause
// and equation numbers of the standards keep their points.
QString StatedNumbers(const std::string& text);

}  // namespace strevo
