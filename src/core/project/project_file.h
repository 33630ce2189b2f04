// The project file (.stv): line 1 the ten input fields, line 2 the two section-family
// positions. The whole file is checked before anything is taken from it.
#pragma once

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/analysis/inputs.h"

namespace strevo {

struct Project {
  std::array<double, kFieldCount> values{};
  int columnFamily = -1;  // 0 IPE, 1 HE-A, 2 HE-B, -1 none
  int beamFamily = -1;
};

// The file cannot be read or written, or is no project file; the message says why, in German.
class ProjectFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Number to text as the platform's conversion writes it, with a leading blank for values that
// are not negative (2 -> " 2", 1.5 -> " 1.5", -3 -> "-3"): 15 significant digits, or 16 or 17
// where fewer would not read back as the same number, so that no value is lost in a file.
std::string NumberToText(double value);

// The two lines of a project file. Field texts that are plain numbers are kept as shown; b,
// and any text that is not a plain number, is written as the number it reads as, so that the
// file always reads back to the values the program computed with. A field that overflows
// throws ProjectFileError: the reader would refuse it.
std::string FormatProject(const FieldTexts& texts, int columnFamily, int beamFamily);

// Exactly ten numbers on the first line and two family positions (-1 to 2) on the second,
// separated by blanks or commas; anything else throws ProjectFileError.
Project ParseProject(std::string_view contents);

// Refuses, before reading, what is not a regular file or larger than 1 MiB.
Project ReadProjectFile(const std::filesystem::path& file);

}  // namespace strevo
