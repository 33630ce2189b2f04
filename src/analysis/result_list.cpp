#include "result_list.h"

#include <algorithm>

#include "input_table.h"
#include "text_rules.h"

namespace strevo {
namespace {

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '='; };
  while (!text.empty() && blank(text.back())) {
    text.pop_back();
  }
  text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
  return text;
}

std::string HtmlEscaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string CsvField(std::string text) {
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

// Whether a row's value is a number (every row but the system's).
bool IsNumberRow(std::size_t row) {
  return row > 0;
}

}  // namespace

std::string DeformationNote(const Computation& computation) {
  if (computation.deformation) {
    return "Verformungen für Stahl, E = 210000 N/mm² (EI = 2.1 · I kNm² mit I in cm4).";
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
  rows.push_back({"System", SystemCaption(computation.system), ""});
  const InputSet& in = computation.inputs;
  const double inputs[kFieldCount] = {in.wD, in.q,  in.h, in.a,  in.b,
                                      in.L,  in.wS, in.F, in.I1, in.I2};
  for (int i = 0; i < kFieldCount; ++i) {
    rows.push_back({kInputFields[i].symbol, FormatFixed2(inputs[i]), kInputFields[i].unit});
  }
  rows.push_back({"k", FormatFixed2(computation.results.k), ""});
  for (const ResultLine& line : computation.lines) {
    rows.push_back({Trimmed(ResultLinePrefix(line.index)), FormatFixed2(line.value),
                    Trimmed(ResultLineUnit(line.index))});
  }
  if (const auto& d = computation.deformation) {
    rows.push_back({"u", FormatFixed2(d->u), "mm"});
    rows.push_back({"w", FormatFixed2(d->w), "mm"});
    rows.push_back({"xw", FormatFixed2(d->xw), "m"});
  }
  return rows;
}

std::string ResultListText(const Computation& computation) {
  const std::vector<ListRow> rows = ResultListRows(computation);
  std::string text = "System: " + rows[0].value + "\n";
  for (std::size_t i = 1; i < rows.size(); ++i) {
    text += rows[i].symbol + "\t" + rows[i].value + "\t" + rows[i].unit + "\n";
  }
  return text;
}

std::string ResultListHtml(const Computation& computation) {
  const std::vector<ListRow> rows = ResultListRows(computation);
  std::string html = "<table>\n<tr><th>Größe</th><th>Wert</th><th>Einheit</th></tr>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    // The number attributes let spreadsheets take the value as a number in any locale.
    const std::string number =
        IsNumberRow(i) ? " x:num=\"" + rows[i].value + "\" sdval=\"" + rows[i].value + "\"" : "";
    html += "<tr><td>" + HtmlEscaped(rows[i].symbol) + "</td><td" + number + ">" +
            HtmlEscaped(rows[i].value) + "</td><td>" + HtmlEscaped(rows[i].unit) + "</td></tr>\n";
  }
  return html + "</table>\n";
}

std::string ResultListCsv(const Computation& computation) {
  const std::vector<ListRow> rows = ResultListRows(computation);
  std::string csv = "\xEF\xBB\xBFGröße;Wert;Einheit\r\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string value = rows[i].value;
    if (IsNumberRow(i)) {
      std::replace(value.begin(), value.end(), '.', ',');
    }
    csv += CsvField(rows[i].symbol) + ";" + CsvField(value) + ";" + CsvField(rows[i].unit) + "\r\n";
  }
  return csv;
}

}  // namespace strevo
