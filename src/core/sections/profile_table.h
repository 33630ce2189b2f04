// The profile table "wert3.txt": second moments of area on its second line and designations on
// its last, in five-character fields at column s + 6·j (counted from 1) of each family.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace strevo {

struct ProfileFamily {
  const char* entry;   // as the family lists show it
  const char* prefix;  // before a designation in the section label
  int firstColumn;
  int count;
};

inline constexpr std::array<ProfileFamily, 3> kProfileFamilies = {{
    {"IPE Profile", "IPE ", 1, 17},
    {"HE-A Profile", "HE-A ", 103, 24},
    {"HE-B Profile", "HE-B ", 247, 24},
}};

inline constexpr const char* kProfileTableName = "wert3.txt";

// The table cannot be opened or read; the message names the file and where it was looked for.
class ProfileTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ProfileTableReading {
  std::optional<std::string> valueLine;   // the second line, when the file has one
  std::vector<std::string> designations;  // the family's fields of the last line, short or empty
  // The table's first flaw, with its line and column, when it is not the shape every family
  // needs (a number in each value field, a designation in each field of the last line).
  std::optional<std::string> problem;
};

// The five characters of `line` from 1-based column `column` on: fewer, or none, when the
// line is shorter.
std::string FixedField(const std::string& line, int column);

// The field of section `index` of `family` in a table line.
std::string SectionField(const std::string& line, const ProfileFamily& family, int index);

// The second moment of area a value field gives: a plain number above 0 that does not
// overflow; none for a field that no section can have.
std::optional<double> SectionValue(const std::string& field);

inline constexpr std::uintmax_t kLargestProfileTable = std::uintmax_t{1024} * 1024;

// Reads the whole table once; lines may end in LF or CR LF. A path that is no regular file, or
// a file over kLargestProfileTable bytes, throws ProfileTableError before anything is read.
ProfileTableReading ReadProfileTable(std::istream& in, const ProfileFamily& family);
ProfileTableReading ReadProfileTable(const std::filesystem::path& file,
                                     const ProfileFamily& family);

}  // namespace strevo
