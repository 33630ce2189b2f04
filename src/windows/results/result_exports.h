// What leaves the program from a computation: the clipboard, the CSV file, the picture as PNG
// or SVG, and the PDF report. Files are written whole or not at all.
#pragma once

#include <QString>

#include <vector>

#include "core/text/result_list.h"
#include "report/report_writer.h"

class QRect;
class QWidget;

namespace strevo {

// The result list to the clipboard, as plain text and as an HTML table, its numbers as a
// German spreadsheet takes them.
void CopyResultList(const std::vector<ListRow>& rows);
// Chosen cells of the list to the clipboard, in the same forms.
void CopyListCells(const std::vector<ListRow>& rows, const std::vector<ListCell>& cells);

void SaveResultCsv(const QString& path, const std::vector<ListRow>& rows);
// The part `area` of `window` as it shows now, labels included: SVG when the name ends in
// ".svg" (text as large as on screen, in the family the screen shows), otherwise PNG at twice
// the screen's resolution.
void SavePicture(const QString& path, QWidget& window, const QRect& area);
void SaveReport(const QString& path, const TakenComputation& taken, const ReportFacts& facts);

}  // namespace strevo
