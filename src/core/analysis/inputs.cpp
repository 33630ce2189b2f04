#include "core/analysis/inputs.h"

#include <array>
#include <charconv>

#include "core/analysis/input_table.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"

namespace strevo {

double FieldValueOf(std::string_view text, int index) {
  try {
    return FieldValue(text);
  } catch (const ArithmeticFault& fault) {
    throw ArithmeticFault(fault.kind(), kInputFields[index].symbol);
  }
}

InputSet ReadInputs(const FieldTexts& texts) {
  InputSet in;
  for (int i = 0; i < kFieldCount; ++i) {
    in.*kFieldValues[i] = FieldValueOf(texts[i], i);
  }
  return in;
}

std::optional<std::string> FieldReadingNote(std::string_view text) {
  double value = 0;
  try {
    value = FieldValue(text);
  } catch (const ArithmeticFault&) {
    return "Zahl zu groß";
  }
  if (IsPlainNumber(text)) {
    return std::nullopt;
  }
  std::array<char, 32> digits{};
  auto* const end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                  std::chars_format::general, 15)
                        .ptr;
  return "Gelesen wird: " + std::string(digits.data(), end);
}

}  // namespace strevo
