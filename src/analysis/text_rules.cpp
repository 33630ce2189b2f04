#include "text_rules.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "arithmetic_fault.h"

namespace strevo {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Decimal exponent of the leading significant digit of a mantissa text such as "0012.5" or
// ".003", plus the written exponent, saturated so that huge exponents cannot wrap around.
long long DecimalMagnitude(std::string_view mantissa, std::string_view exponent) {
  long long magnitude = 0;
  bool seenPoint = false;
  bool seenSignificant = false;
  for (char c : mantissa) {
    if (c == '.') {
      seenPoint = true;
    } else if (!seenSignificant && c == '0') {
      if (seenPoint) {
        --magnitude;
      }
    } else {
      seenSignificant = true;
      if (!seenPoint) {
        ++magnitude;
      }
    }
  }
  long long written = 0;
  bool negative = false;
  for (char c : exponent) {
    if (c == '-') {
      negative = true;
    } else if (IsDigit(c) && written < 1'000'000'000) {
      written = written * 10 + (c - '0');
    }
  }
  return magnitude + (negative ? -written : written);
}

}  // namespace

namespace {

// Where the leading number of a text lies: after blanks and the sign, its mantissa, then an
// exponent only when digits follow the e.
struct LeadingNumber {
  bool found = false;
  bool negative = false;
  std::size_t mantissaStart = 0, mantissaEnd = 0, end = 0;
};

LeadingNumber ScanLeadingNumber(std::string_view text) {
  LeadingNumber number;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    number.negative = text[i] == '-';
    ++i;
  }
  number.mantissaStart = i;
  int digits = 0;
  bool point = false;
  for (; i < n; ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  number.found = digits > 0;
  number.mantissaEnd = number.end = i;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      ++j;
    }
    std::size_t k = j;
    while (k < n && IsDigit(text[k])) {
      ++k;
    }
    if (k > j) {
      number.end = k;
    }
  }
  return number;
}

}  // namespace

double FieldValue(std::string_view text) {
  const LeadingNumber scan = ScanLeadingNumber(text);
  if (!scan.found) {
    return 0.0;
  }
  const std::string_view number = text.substr(scan.mantissaStart, scan.end - scan.mantissaStart);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    const std::string_view mantissa =
        text.substr(scan.mantissaStart, scan.mantissaEnd - scan.mantissaStart);
    const std::string_view exponent = text.substr(scan.mantissaEnd, scan.end - scan.mantissaEnd);
    if (DecimalMagnitude(mantissa, exponent) > 0) {
      throw ArithmeticFault(FaultKind::Overflow);
    }
    value = 0.0;
  }
  return scan.negative ? -value : value;
}

bool IsPlainNumber(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  if (last == std::string_view::npos) {
    return false;
  }
  text = text.substr(0, last + 1);
  const LeadingNumber scan = ScanLeadingNumber(text);
  return scan.found && scan.end == text.size();
}

std::string FormatFixed2(double value) {
  // Exact ties at the third decimal are exactly the odd multiples of 1/8; every other value
  // has a unique nearest two-decimal text, which to_chars gives. The tie is rounded in integers:
  // value = j/8 with j odd, so |value|·100 = 12.5·|j| and away from zero is (25·|j| + 1) / 2.
  const double eighths = std::abs(value * 8.0);
  if (eighths < 0x1p53 && eighths == std::trunc(eighths)) {
    const auto j = static_cast<long long>(eighths);
    if (j % 2 == 1) {
      const long long cents = (25 * j + 1) / 2;
      std::array<char, 40> buffer{};
      std::snprintf(buffer.data(), buffer.size(), "%s%lld.%02lld", value < 0 ? "-" : "",
                    cents / 100, cents % 100);
      return buffer.data();
    }
  }
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 2);
  std::string text(buffer.data(), result.ptr);
  if (text == "-0.00") {
    text.erase(0, 1);
  }
  return text;
}

}  // namespace strevo
