// The field-value reader on arbitrary text: never more than an overflow fault, and a number
// reads the same whatever follows it or however many blanks precede it.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  double value = 0;
  try {
    value = strevo::FieldValue(text);
  } catch (const strevo::ArithmeticFault& fault) {
    if (fault.kind() != strevo::FaultKind::Overflow) {
      std::abort();
    }
    return 0;
  }
  if (!std::isfinite(value)) {
    std::abort();
  }
  if (strevo::FieldValue("  " + text) != value) {
    std::abort();
  }
  if (strevo::IsPlainNumber(text) && strevo::FieldValue(text + "x1") != value) {
    std::abort();
  }
  return 0;
}
