// "0.00" and the number-to-text conversion on arbitrary doubles: "0.00" reads back within half
// a cent, the number text reads back exactly, and text -> field value -> text is stable.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/base/text_rules.h"
#include "core/project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) {
    return 0;
  }
  double value;
  std::memcpy(&value, data, sizeof value);
  if (!std::isfinite(value)) {
    return 0;
  }
  const std::string fixed = strevo::FormatFixed2(value);
  const double readBack = strevo::FieldValue(fixed);
  if (std::abs(readBack - value) > 0.005 * (1 + 1e-12) + std::abs(value) * 1e-15) {
    std::abort();
  }
  if (strevo::FormatFixed2(readBack) != fixed || !strevo::IsPlainNumber(fixed)) {
    std::abort();
  }
  const std::string text = strevo::NumberToText(value);
  const double number = strevo::FieldValue(text);
  if (number != value) {
    std::abort();
  }
  if (strevo::NumberToText(number) != text) {
    std::abort();
  }
  return 0;
}
