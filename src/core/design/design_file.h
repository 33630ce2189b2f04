// The design file (.strevo): a design as strict JSON. Reading checks the whole file before
// anything is taken from it; every mistake is named with its key and line.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/design/design.h"

namespace strevo {

inline constexpr const char* kDesignFormat = "strevo-bemessung";
inline constexpr int kDesignVersion = 2;  // written; 1 and 2 are read

// A design file that cannot be read; the German message names the line and the key:
// "Zeile 7, „h“: die Stützenhöhe h muss größer als 0 sein, dort steht 0."
class DesignFileError : public std::runtime_error {
 public:
  DesignFileError(int line, std::string key, const std::string& message);
  // From 1; 0 for a mistake of the file as a whole (it cannot be opened, it is too large).
  int line() const { return line_; }
  // As ProblemsOf names keys ("h", "limits.sway", "a" in a load case); empty where the text
  // is no JSON.
  const std::string& key() const { return key_; }

 private:
  int line_;
  std::string key_;
};

// The design the text holds. Required: format, version, system, h, L, columns, beam and
// loadCases, and name and action in each load case, category in each imposed one, every key
// of a "partial" or "points" entry. Left out, the others take: project texts "", steel "S235"
// (the lowest grade, on the safe side), limits 150 and 300, selfWeight true, no restraints,
// loads 0, no altitude, no further loads. A version 1 file may hold "partial" and "points"
// too. Anything else wrong, ProblemsOf's mistakes among it, throws DesignFileError; a mistake
// in an entry is named by its path counted from 0 ("partial[0].to").
Design ReadDesign(std::string_view text);

// The canonical text: two-space indentation, keys in a fixed order, one line per load case;
// "category" only for imposed and "altitude" only for snow cases, loads only where not 0,
// "restraints", "partial" and "points" only when not empty, a non-finite number as null (reading
// refuses it at its line). A design without problems reads back equal.
std::string WriteDesign(const Design& design);

// ReadDesign on a file of at most 1 MiB, a UTF-8 byte order mark allowed; what is no regular
// file is refused before reading.
Design ReadDesignFile(const std::filesystem::path& file);

}  // namespace strevo
