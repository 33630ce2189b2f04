#include "result_list.h"

#include <algorithm>
#include <cmath>
#include <string_view>

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
