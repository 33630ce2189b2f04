// What the PDF reports share: A4 pages laid out in points, their fonts and footer, text that
// flows over pages of its own, and a recorded picture in a frame.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QtGlobal>

#include "report_pictures.h"

class QPainter;
class QPdfWriter;
class QRectF;
class QTextDocument;

namespace strevo {

// A4 is 595 x 842 points, with 50-point margins.
inline constexpr qreal kPageWidth = 595, kPageHeight = 842, kMargin = 50;
// Flowing text on a page: inside the margins, above the footer.
inline constexpr QSizeF kTextPage(kPageWidth - 2 * kMargin, kPageHeight - 2 * kMargin - 20);

QFont ReportFont(qreal points, bool bold = false);

// A4 without margins, one unit a point (the output stays vector), with the document's title.
void SetUpWriter(QPdfWriter& writer, const QString& title);

// "Strevo 1.0.0" on the left, "Seite 2 von 5" on the right.
void Footer(QPainter& painter, int page, int pages);

// The HTML laid out for this writer in pages of kTextPage, so that no line is cut.
void LayOutText(QTextDocument& document, QPdfWriter& writer, const QString& html);
// Each page of the document on a new page, footed with its number from `firstPage` on.
void WriteTextPages(QPdfWriter& writer, QPainter& painter, QTextDocument& document, int firstPage,
                    int pages);

// A picture that cannot be drawn (whole) says why over its middle.
void WritePicture(QPainter& painter, const ReportPicture& picture, const QRectF& area);

}  // namespace strevo
