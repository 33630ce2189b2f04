#include "core/sections/section_properties.h"

#include <string>

namespace strevo {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The nominal height: the number in a designation ("300" of "IPE 300", "200" of "HE 200 A").
std::string_view Height(std::string_view designation) {
  const auto start = designation.find_first_of("0123456789");
  if (start == std::string_view::npos) {
    return {};
  }
  const auto end = designation.find_first_not_of("0123456789", start);
  return designation.substr(start, end == std::string_view::npos ? end : end - start);
}

}  // namespace

std::string ProgramDesignation(const SectionProperties& section) {
  return std::string(section.family) + " " + std::string(Height(section.designation));
}

const SectionProperties* FindSection(std::string_view programDesignation) {
  const std::string_view text = Trimmed(programDesignation);
  const auto blank = text.find(' ');
  if (blank == std::string_view::npos) {
    return nullptr;
  }
  const std::string_view family = text.substr(0, blank);
  const std::string_view height = Trimmed(text.substr(blank));
  for (const SectionProperties& section : kSectionProperties) {
    if (family == section.family && height == Height(section.designation)) {
      return &section;
    }
  }
  return nullptr;
}

}  // namespace strevo
