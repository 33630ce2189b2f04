// The profile-table reader on arbitrary files: every family gets its count of fields, each at
// most five characters and each the text at its column of the last line; a table without a
// value line is always reported as damaged.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/sections/profile_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string contents(reinterpret_cast<const char*>(data), size);
  for (const strevo::ProfileFamily& family : strevo::kProfileFamilies) {
    std::istringstream in(contents);
    const strevo::ProfileTableReading reading = strevo::ReadProfileTable(in, family);
    if (reading.designations.size() != static_cast<std::size_t>(family.count)) {
      std::abort();
    }
    const bool twoLines =
        contents.find('\n') != std::string::npos && contents.find('\n') + 1 < contents.size();
    if (reading.valueLine.has_value() != twoLines) {
      std::abort();
    }
    if (!reading.valueLine && !reading.problem) {
      std::abort();  // a table without values is always reported
    }
    for (const std::string& field : reading.designations) {
      if (field.size() > 5) {
        std::abort();
      }
    }
    if (reading.valueLine) {
      for (int j = 0; j < family.count; ++j) {
        if (strevo::SectionField(*reading.valueLine, family, j).size() > 5) {
          std::abort();
        }
      }
    }
  }
  return 0;
}
