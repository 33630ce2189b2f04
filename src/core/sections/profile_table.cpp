#include "core/sections/profile_table.h"

#include <fstream>

#include "core/base/arithmetic_fault.h"
#include "core/base/readable_file.h"
#include "core/base/text_rules.h"

namespace strevo {

std::string FixedField(const std::string& line, int column) {
  const auto start = static_cast<std::size_t>(column - 1);
  return start >= line.size() ? std::string() : line.substr(start, 5);
}

std::string SectionField(const std::string& line, const ProfileFamily& family, int index) {
  return FixedField(line, family.firstColumn + 6 * index);
}

std::optional<double> SectionValue(const std::string& field) {
  if (!IsPlainNumber(field)) {
    return std::nullopt;
  }
  try {
    const double value = FieldValue(field);
    return value > 0 ? std::optional<double>(value) : std::nullopt;
  } catch (const ArithmeticFault&) {
    return std::nullopt;  // beyond any section
  }
}

namespace {

// Control characters (a binary file) shown as "?", so that the message can be read.
std::string Printable(std::string field) {
  for (char& c : field) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      c = '?';
    }
  }
  return field;
}

bool IsBlank(const std::string& field) {
  return field.find_first_not_of(' ') == std::string::npos;
}

std::optional<std::string> FirstProblem(const std::optional<std::string>& valueLine,
                                        const std::string& last, int lines) {
  if (!valueLine || lines < 3) {
    return "Die Tabelle hat " + std::to_string(lines) +
           " Zeilen; sie braucht eine Wertezeile (Zeile 2) und eine Bezeichnungszeile.";
  }
  const auto at = [](int line, int column) {
    return "Zeile " + std::to_string(line) + ", Spalte " + std::to_string(column) + ": ";
  };
  for (const ProfileFamily& family : kProfileFamilies) {
    for (int j = 0; j < family.count; ++j) {
      const int column = family.firstColumn + 6 * j;
      const std::string value = FixedField(*valueLine, column);
      if (IsBlank(value)) {
        return at(2, column) + "kein Wert";
      }
      if (!IsPlainNumber(value)) {
        return at(2, column) + "„" + Printable(value) + "“ ist keine Zahl";
      }
      if (!SectionValue(value)) {
        return at(2, column) + "„" + Printable(value) + "“ ist kein Flächenträgheitsmoment";
      }
    }
  }
  for (const ProfileFamily& family : kProfileFamilies) {
    for (int j = 0; j < family.count; ++j) {
      const int column = family.firstColumn + 6 * j;
      if (IsBlank(FixedField(last, column))) {
        return at(lines, column) + "keine Bezeichnung";
      }
    }
  }
  return std::nullopt;
}

}  // namespace

ProfileTableReading ReadProfileTable(std::istream& in, const ProfileFamily& family) {
  ProfileTableReading reading;
  std::string line, last;
  int lines = 0;
  for (; std::getline(in, line); ++lines) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (lines == 1) {
      reading.valueLine = line;
    }
    last = std::move(line);
  }
  for (int j = 0; j < family.count; ++j) {
    reading.designations.push_back(SectionField(last, family, j));
  }
  reading.problem = FirstProblem(reading.valueLine, last, lines);
  return reading;
}

ProfileTableReading ReadProfileTable(const std::filesystem::path& file,
                                     const ProfileFamily& family) {
  const auto failure = [&](const char* what) {
    return ProfileTableError("Die Profiltabelle „" + std::string(kProfileTableName) +
                             "“ kann nicht " + what +
                             " werden.\nGesucht in: " + file.parent_path().string());
  };
  if (const std::optional<std::string> problem =
          UnreadableFileProblem(file, kLargestProfileTable)) {
    throw ProfileTableError("Die Profiltabelle kann nicht gelesen werden: " + *problem);
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw failure("geöffnet");
  }
  ProfileTableReading reading = ReadProfileTable(in, family);
  if (in.bad()) {
    throw failure("gelesen");
  }
  return reading;
}

}  // namespace strevo
