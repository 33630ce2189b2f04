#include "core/project/project_file.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/analysis/input_table.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/readable_file.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == ',' || line[i] == '\t')) {
      ++i;
    }
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != ',' && line[i] != '\t') {
      ++i;
    }
    if (i > start) {
      tokens.push_back(line.substr(start, i - start));
    }
  }
  return tokens;
}

double NumberToken(std::string_view token, int line) {
  if (!IsPlainNumber(token)) {
    throw ProjectFileError("Zeile " + std::to_string(line) + ": " + QuotedExcerpt(token) +
                           " ist keine Zahl.");
  }
  try {
    return FieldValue(token);
  } catch (const ArithmeticFault&) {
    throw ProjectFileError("Zeile " + std::to_string(line) + ": die Zahl " + QuotedExcerpt(token) +
                           " ist zu groß.");
  }
}

int FamilyPosition(std::string_view token) {
  const double value = std::round(NumberToken(token, 2));
  if (value < -1 || value > 2) {
    throw ProjectFileError("Zeile 2: die Profilreihe " + QuotedExcerpt(token) +
                           " gibt es nicht (erlaubt sind -1 bis 2).");
  }
  return static_cast<int>(value);
}

}  // namespace

std::string NumberToText(double value) {
  if (value == 0) {
    return " 0";
  }
  char buffer[64];
  std::string text;
  for (int digits = 15; digits <= 17; ++digits) {
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    double readBack = 0;
    const auto read = std::from_chars(buffer, written.ptr, readBack);
    text.assign(buffer, written.ptr);
    if (read.ec == std::errc() && readBack == value) {
      break;
    }
  }
  return value < 0 ? text : " " + text;
}

std::string FormatProject(const FieldTexts& texts, int columnFamily, int beamFamily) {
  std::ostringstream out;
  for (int i = 0; i < kFieldCount; ++i) {
    double value = 0;
    try {
      value = FieldValue(texts[i]);
    } catch (const ArithmeticFault&) {
      // Written as typed, the file could not be opened again.
      throw ProjectFileError("Das Feld " + std::string(kInputFields[i].symbol) +
                             " enthält eine Zahl, die zu groß ist; so gespeichert ließe sich "
                             "die Datei nicht wieder öffnen.");
    }
    const bool asShown = i != kFieldB && IsPlainNumber(texts[i]);
    out << (i > 0 ? " " : "") << (asShown ? texts[i] : NumberToText(value));
  }
  out << '\n' << columnFamily << ' ' << beamFamily << '\n';
  return out.str();
}

Project ParseProject(std::string_view contents) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string_view::npos) {
      end = contents.size();
    }
    std::string_view line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    start = end + 1;
  }
  while (!lines.empty() && Tokens(lines.back()).empty()) {
    lines.pop_back();
  }
  if (lines.size() != 2) {
    throw ProjectFileError("Die Datei muss genau zwei Zeilen haben, sie hat " +
                           std::to_string(lines.size()) + ".");
  }
  const auto inputs = Tokens(lines[0]);
  if (inputs.size() != kFieldCount) {
    throw ProjectFileError("Zeile 1 muss 10 Zahlen enthalten, sie enthält " +
                           std::to_string(inputs.size()) + ".");
  }
  const auto families = Tokens(lines[1]);
  if (families.size() != 2) {
    throw ProjectFileError("Zeile 2 muss 2 Zahlen enthalten, sie enthält " +
                           std::to_string(families.size()) + ".");
  }
  Project project;
  for (int i = 0; i < kFieldCount; ++i) {
    project.values[i] = NumberToken(inputs[i], 1);
  }
  project.columnFamily = FamilyPosition(families[0]);
  project.beamFamily = FamilyPosition(families[1]);
  return project;
}

Project ReadProjectFile(const std::filesystem::path& file) {
  if (const std::optional<std::string> problem = UnreadableFileProblem(file, kLargestProjectFile)) {
    throw ProjectFileError(*problem);
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw ProjectFileError("Die Datei \"" + file.string() + "\" kann nicht geöffnet werden.");
  }
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) {
    throw ProjectFileError("Die Datei \"" + file.string() + "\" kann nicht gelesen werden.");
  }
  try {
    return ParseProject(contents.str());
  } catch (const ProjectFileError& error) {
    throw ProjectFileError("Die Datei „" + file.string() + "“ ist keine gültige Strevo-Datei.\n" +
                           error.what());
  }
}

}  // namespace strevo
