#include "result_list.h"

#include <algorithm>
#include <cmath>

#include "input_table.h"
#include "text_rules.h"

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

std::vector<ListRow> ResultListRows(const Computation& computation) {
  std::vector<ListRow> rows;
  rows.push_back({"System", SystemCaption(computation.system), "", "", false});
  for (int i = 0; i < kFieldCount; ++i) {
    rows.push_back({kInputFields[i].symbol, FormatFixed2(computation.inputs.*kFieldValues[i]),
                    kInputFields[i].unit});
  }
  rows.push_back({"k", FormatFixed2(computation.results.k), ""});
  for (const ResultLine& line : computation.lines) {
    rows.push_back(
        {ResultLineSymbol(line.index), FormatFixed2(line.value), ResultLineUnit(line.index)});
  }
  if (const auto& d = computation.deformation) {
    rows.push_back({"u", FormatFixed2(d->u), "mm"});
    rows.push_back({"w", FormatFixed2(d->w), "mm"});
    rows.push_back({"xw", FormatFixed2(d->xw), "m"});
  }
  return rows;
}

std::vector<ListRow> WithChangeNote(std::vector<ListRow> rows, bool inputsChanged) {
  if (inputsChanged && !rows.empty()) {
    rows.insert(rows.begin() + 1, ListRow{"Hinweis", kInputsChangedNote, "", "", false});
  }
  return rows;
}

std::string ResultListText(const std::vector<ListRow>& rows) {
  std::string text = "System: " + rows[0].value + "\n";
  for (std::size_t i = 1; i < rows.size(); ++i) {
    text += rows[i].symbol + "\t" + rows[i].value + "\t" + rows[i].unit;
    text += rows[i].remark.empty() ? "\n" : "\t" + rows[i].remark + "\n";
  }
  return text;
}

std::string ResultListHtml(const std::vector<ListRow>& rows) {
  std::string html =
      "<table>\n<tr><th>Größe</th><th>Wert</th><th>Einheit</th><th>Bemerkung</th></tr>\n";
  for (const ListRow& row : rows) {
    // The number attributes let spreadsheets take the value as a number in any locale.
    const std::string number =
        row.number ? " x:num=\"" + row.value + "\" sdval=\"" + row.value + "\"" : "";
    html += "<tr><td>" + HtmlEscaped(row.symbol) + "</td><td" + number + ">" +
            HtmlEscaped(row.value) + "</td><td>" + HtmlEscaped(row.unit) + "</td><td>" +
            HtmlEscaped(row.remark) + "</td></tr>\n";
  }
  return html + "</table>\n";
}

std::string ResultListCsv(const std::vector<ListRow>& rows) {
  std::string csv = "\xEF\xBB\xBFGröße;Wert;Einheit;Bemerkung\r\n";
  for (const ListRow& row : rows) {
    std::string value = row.value;
    if (row.number) {
      std::replace(value.begin(), value.end(), '.', ',');
    }
    csv += CsvField(row.symbol) + ";" + CsvField(value) + ";" + CsvField(row.unit) + ";" +
           CsvField(row.remark) + "\r\n";
  }
  return csv;
}

}  // namespace strevo
