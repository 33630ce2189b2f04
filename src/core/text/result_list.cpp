#include "core/text/result_list.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/analysis/input_table.h"
#include "core/base/text_rules.h"

namespace strevo {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(";\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') {
      quoted += '"';
    }
  }
  return quoted + "\"";
}

bool DeformationsBeyondOneFiftieth(const Computation& computation) {
  const auto& d = computation.deformation;
  const InputSet& in = computation.inputs;
  return d && (std::abs(d->u) > in.h * 1000 / 50 || std::abs(d->w) > in.L * 1000 / 50);
}

std::string DeformationNote(const Computation& computation) {
  if (computation.deformation) {
    const std::string note =
        "Verformungen für Stahl, E = 210000 N/mm² (EI = 2.1 · I kNm² mit I in cm4).";
    return DeformationsBeyondOneFiftieth(computation) ? note + " " + kLargeDeformationHint : note;
  }
  if (!computation.deformationFault.empty()) {
    return "Verformungen nicht berechenbar: " + computation.deformationFault + ".";
  }
  return {};
}

std::string SystemCaption(std::optional<SystemType> system) {
  return system ? kSystemCaptions[static_cast<int>(*system)] : "kein System gewählt";
}

namespace {

// What each symbol of the list is, with the sense in which it counts positive. Moments are
// positive with tension on the inside of the portal, normal forces in tension, Q = dM/ds.
struct Meaning {
  const char* symbol;
  const char* text;
};
constexpr Meaning kMeanings[] = {
    {"wD", "Gleichlast auf der linken Stütze, positiv nach rechts"},
    {"q", "Gleichlast auf dem Riegel, positiv nach unten"},
    {"h", "Stützenhöhe"},
    {"a", "Abstand der Einzellast F von Punkt 2"},
    {"b", "Abstand der Einzellast F von Punkt 4, L − a"},
    {"L", "Spannweite des Riegels"},
    {"wS", "Gleichlast auf der rechten Stütze, positiv nach rechts"},
    {"F", "Einzellast auf dem Riegel, positiv nach unten"},
    {"I1", "Flächenmoment 2. Grades der Stützen"},
    {"I2", "Flächenmoment 2. Grades des Riegels"},
    {"k", "Steifigkeitsverhältnis (I2 / I1) · (h / L)"},
    {"AH", "Horizontalkraft im Lager A, positiv nach rechts"},
    {"AV", "Vertikalkraft im Lager A, positiv nach oben"},
    {"MA", "Einspannmoment in A, positiv mit Zug innen"},
    {"BH", "Horizontalkraft im Lager B, positiv nach links"},
    {"BV", "Vertikalkraft im Lager B, positiv nach oben"},
    {"MB", "Einspannmoment in B, positiv mit Zug innen"},
    {"M1", "Moment an Punkt 1, Kopf der linken Stütze"},
    {"N1", "Normalkraft an Punkt 1 in der linken Stütze, positiv als Zug"},
    {"Q1", "Querkraft an Punkt 1, Kopf der linken Stütze"},
    {"M2", "Moment an Punkt 2, Riegelanfang links"},
    {"N2", "Normalkraft an Punkt 2 im Riegel, positiv als Zug"},
    {"Q2", "Querkraft an Punkt 2, Riegelanfang links"},
    {"X3", "Stelle des größten Feldmoments, von Punkt 2 aus"},
    {"M3", "Größtes Feldmoment des Riegels, an der Stelle X3"},
    {"M4", "Moment an Punkt 4, Riegelende rechts"},
    {"N4", "Normalkraft an Punkt 4 im Riegel, positiv als Zug"},
    {"Q4", "Querkraft an Punkt 4, Riegelende rechts"},
    {"M5", "Moment an Punkt 5, Kopf der rechten Stütze"},
    {"N5", "Normalkraft an Punkt 5 in der rechten Stütze, positiv als Zug"},
    {"Q5", "Querkraft an Punkt 5, Kopf der rechten Stütze"},
    {"u", "Verschiebung des Riegels, positiv nach rechts"},
    {"w", "Größte Durchbiegung des Riegels, positiv nach unten"},
    {"xw", "Stelle der größten Durchbiegung, von Punkt 2 aus"},
};

}  // namespace

std::string MeaningOf(std::string_view symbol) {
  for (const Meaning& m : kMeanings) {
    if (symbol == m.symbol) {
      return m.text;
    }
  }
  return {};
}

std::vector<ListRow> ResultListRows(const Computation& computation) {
  std::vector<ListRow> rows;
  rows.push_back({"System", SystemCaption(computation.system), "", "", false});
  const auto add = [&rows](const std::string& symbol, double value, const std::string& unit) {
    rows.push_back({symbol, FormatFixed2(value), unit, MeaningOf(symbol)});
  };
  for (int i = 0; i < kFieldCount; ++i) {
    add(kInputFields[i].symbol, computation.inputs.*kFieldValues[i], kInputFields[i].unit);
  }
  add("k", computation.results.k, "");
  for (const ResultLine& line : computation.lines) {
    add(ResultLineSymbol(line.index), line.value, ResultLineUnit(line.index));
  }
  if (const auto& d = computation.deformation) {
    add("u", d->u, "mm");
    add("w", d->w, "mm");
    add("xw", d->xw, "m");
  }
  return rows;
}

std::vector<ListRow> WithChangeNote(std::vector<ListRow> rows, bool inputsChanged) {
  if (inputsChanged && !rows.empty()) {
    rows.insert(rows.begin() + 1, ListRow{"Hinweis", kInputsChangedNote, "", "", false});
  }
  return rows;
}

bool IsNumberCell(const ListRow& row) {
  const std::string_view value = row.value;
  std::size_t i = value.rfind('-', 0) == 0 ? 1 : 0;
  bool digits = false;
  bool point = false;
  for (; i < value.size(); ++i) {
    if (value[i] >= '0' && value[i] <= '9') {
      digits = true;
    } else if (value[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

namespace {

// A cell as text: numbers with a decimal comma.
std::string CellText(const ListRow& row, int column) {
  switch (column) {
    case 0:
      return row.symbol;
    case 1:
      return IsNumberCell(row) ? DecimalCommas(row.value) : row.value;
    case 2:
      return row.unit;
    default:
      return row.remark;
  }
}

// A number keeps the decimals it shows: "57.40" is 57.4 formatted "0,00" in LibreOffice's
// German (1031) notation and "0\.00" in Excel's.
std::string NumberCellHtml(const std::string& value) {
  const std::size_t point = value.find('.');
  const std::string zeros(point == std::string::npos ? 0 : value.size() - point - 1, '0');
  const std::string calc = zeros.empty() ? "0" : "0," + zeros;
  const std::string excel = zeros.empty() ? "0" : "0\\." + zeros;
  return "<td sdval=\"" + value + "\" sdnum=\"1031;0;" + calc + "\" x:num=\"" + value +
         "\" style=\"mso-number-format:'" + excel + "'\">" + DecimalCommas(value) + "</td>";
}

std::string CellHtml(const ListRow& row, int column) {
  if (column == 1 && IsNumberCell(row)) {
    return NumberCellHtml(row.value);
  }
  return "<td>" + HtmlEscaped(CellText(row, column)) + "</td>";
}

// The namespaces let Excel read its attributes; the fragment marks say what is pasted where
// the clipboard's HTML format needs them.
std::string HtmlDocument(const std::string& table) {
  return "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
         "xmlns=\"http://www.w3.org/TR/REC-html40\">\n<head><meta http-equiv=\"Content-Type\" "
         "content=\"text/html; charset=utf-8\"></head>\n<body>\n<!--StartFragment-->\n<table>\n" +
         table + "</table>\n<!--EndFragment-->\n</body>\n</html>\n";
}

}  // namespace

std::string ResultListText(const std::vector<ListRow>& rows) {
  std::string text = "System: " + rows[0].value + "\n";
  for (std::size_t i = 1; i < rows.size(); ++i) {
    text += rows[i].symbol + "\t" + CellText(rows[i], 1) + "\t" + rows[i].unit;
    text += rows[i].remark.empty() ? "\n" : "\t" + rows[i].remark + "\n";
  }
  return text;
}

std::string ResultListHtml(const std::vector<ListRow>& rows) {
  std::string table = "<tr><th>Größe</th><th>Wert</th><th>Einheit</th><th>Bemerkung</th></tr>\n";
  for (const ListRow& row : rows) {
    table += "<tr>";
    for (int column = 0; column < 4; ++column) {
      table += CellHtml(row, column);
    }
    table += "</tr>\n";
  }
  return HtmlDocument(table);
}

std::string ListCellsText(const std::vector<ListRow>& rows, const std::vector<ListCell>& cells) {
  std::string text;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    text += CellText(rows.at(cells[i].row), cells[i].column);
    const bool rowEnds = i + 1 == cells.size() || cells[i + 1].row != cells[i].row;
    text += rowEnds ? '\n' : '\t';
  }
  return text;
}

std::string ListCellsHtml(const std::vector<ListRow>& rows, const std::vector<ListCell>& cells) {
  std::string table;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i == 0 || cells[i - 1].row != cells[i].row) {
      table += "<tr>";
    }
    table += CellHtml(rows.at(cells[i].row), cells[i].column);
    if (i + 1 == cells.size() || cells[i + 1].row != cells[i].row) {
      table += "</tr>\n";
    }
  }
  return HtmlDocument(table);
}

std::string ResultListCsv(const std::vector<ListRow>& rows) {
  std::string csv = "\xEF\xBB\xBFGröße;Wert;Einheit;Bemerkung\r\n";
  for (const ListRow& row : rows) {
    csv += CsvField(row.symbol) + ";" + CsvField(CellText(row, 1)) + ";" + CsvField(row.unit) +
           ";" + CsvField(row.remark) + "\r\n";
  }
  return csv;
}

}  // namespace strevo
