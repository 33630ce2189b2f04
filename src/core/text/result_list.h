// The result list of a computation: the system, the ten inputs, k and every result value its
// result lines show, as rows, plain text, HTML and CSV.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/computation.h"

namespace strevo {

enum class Verdict { None, Met, NotMet };

struct ListRow {
  std::string symbol = {};  // "AH"
  std::string value = {};   // "0.58", or a text such as the system's caption
  std::string unit = {};    // "kN"; empty for k and the system
  std::string remark = {};  // what the value is, or where a check governs and its verdict
  bool number = true;       // the value is a number (a spreadsheet takes it as one)
  Verdict verdict = Verdict::None;
};

std::string SystemCaption(std::optional<SystemType> system);

// In this order: the system, the ten inputs, k, the system's result lines in line order, then
// the deformations u, w, xw when they could be computed; values formatted "0.00".
std::vector<ListRow> ResultListRows(const Computation& computation);
// What an input or result symbol is, in German, with the sense in which it counts positive
// ("Horizontalkraft im Lager A, positiv nach rechts"); empty for an unknown symbol.
std::string MeaningOf(std::string_view symbol);

// Whether the sway exceeds h/50 or the beam's deflection L/50: a sign that I1 and I2 were
// typed as stiffness ratios (the defaults 1.00 and 1.50), which the deformations take as cm4.
bool DeformationsBeyondOneFiftieth(const Computation& computation);
inline constexpr const char* kLargeDeformationHint =
    "Die Verschiebungen sind größer als 1/50 der Stablänge: I1 und I2 werden als wirkliche "
    "Flächenträgheitsmomente in cm4 gerechnet. Profile lassen sich in der Querschnittsauswahl "
    "wählen.";

// Said wherever the results are shown or leave the program while the fields no longer hold
// what the computation read (also after a computation that failed).
inline constexpr const char* kInputsChangedNote = "Eingaben seit der letzten Berechnung geändert";

// The rows with a "Hinweis" row after the system when the fields changed since.
std::vector<ListRow> WithChangeNote(std::vector<ListRow> rows, bool inputsChanged);

// What the deformations rest on (steel), with the hint above where it applies, or why there
// are none; empty without a system.
std::string DeformationNote(const Computation& computation);

// Whether a row's value goes to a spreadsheet as a number: a number row whose value is a plain
// decimal ("-12.50"); a "∞" or "—" stays text.
bool IsNumberCell(const ListRow& row);

// The forms of a list whose first row names the system. One value a line, "symbol TAB value
// TAB unit" (TAB remark where there is one), after a first line naming the system; numbers
// with a decimal comma, as a German spreadsheet reads pasted text.
std::string ResultListText(const std::vector<ListRow>& rows);
// An HTML document with the list as a table for pasting into a spreadsheet: each number shows
// with a decimal comma and also carries its value and its decimals for LibreOffice (sdval,
// sdnum) and Excel (x:num, mso-number-format).
std::string ResultListHtml(const std::vector<ListRow>& rows);

// A cell of a list by row index and column: 0 symbol, 1 value, 2 unit, 3 remark.
struct ListCell {
  std::size_t row;
  int column;
};
// Chosen cells of a list, in row and column order, as the whole list's text and HTML give
// them: one row a line, its cells separated by tabs, numbers as above.
std::string ListCellsText(const std::vector<ListRow>& rows, const std::vector<ListCell>& cells);
std::string ListCellsHtml(const std::vector<ListRow>& rows, const std::vector<ListCell>& cells);
// A field of a CSV line: quoted where it holds a semicolon, a quote or a line break.
std::string CsvField(const std::string& text);
// For German spreadsheets: UTF-8 with byte-order mark, semicolons, decimal comma, CRLF.
std::string ResultListCsv(const std::vector<ListRow>& rows);

}  // namespace strevo
