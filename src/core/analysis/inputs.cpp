#include "inputs.h"

#include <array>
#include <charconv>

#include "arithmetic_fault.h"
#include "input_table.h"
#include "text_rules.h"

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
  in.wD = FieldValueOf(texts[0], 0);
  in.q = FieldValueOf(texts[1], 1);
  in.h = FieldValueOf(texts[2], 2);
  in.a = FieldValueOf(texts[3], 3);
  in.b = FieldValueOf(texts[4], 4);
  in.L = FieldValueOf(texts[5], 5);
  in.wS = FieldValueOf(texts[6], 6);
  in.F = FieldValueOf(texts[7], 7);
  in.I1 = FieldValueOf(texts[8], 8);
  in.I2 = FieldValueOf(texts[9], 9);
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
