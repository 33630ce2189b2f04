#include "profile_table.h"

#include <fstream>

namespace strevo {

std::string FixedField(const std::string& line, int column) {
  const auto start = static_cast<std::size_t>(column - 1);
  return start >= line.size() ? std::string() : line.substr(start, 5);
}

std::string SectionField(const std::string& line, const ProfileFamily& family, int index) {
  return FixedField(line, family.firstColumn + 6 * index);
}

ProfileTableReading ReadProfileTable(std::istream& in, const ProfileFamily& family) {
  ProfileTableReading reading;
  std::string line, last;
  for (int index = 0; std::getline(in, line); ++index) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (index == 1) {
      reading.valueLine = line;
    }
    last = std::move(line);
  }
  for (int j = 0; j < family.count; ++j) {
    reading.designations.push_back(SectionField(last, family, j));
  }
  return reading;
}

ProfileTableReading ReadProfileTable(const std::filesystem::path& file,
                                     const ProfileFamily& family) {
  const auto failure = [&](const char* what) {
    return ProfileTableError("Die Profiltabelle \"" + std::string(kProfileTableName) +
                             "\" kann nicht " + what +
                             " werden.\nGesucht in: " + file.parent_path().string());
  };
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
