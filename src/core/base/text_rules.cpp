#include "core/base/text_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "core/base/arithmetic_fault.h"

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

namespace {

// Far from 1 the shortest text has an exponent: its digits are placed by it.
std::string RoundedScientific(double value) {
  std::array<char, 32> buffer{};
  const char* const end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                        std::chars_format::scientific)
                              .ptr;
  const std::string_view text(buffer.data(), end - buffer.data());
  const bool negative = text.front() == '-';
  const std::size_t e = text.find('e');
  std::string digits;  // the significant digits, the first of them at 10^exponent
  for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
    if (c != '.') {
      digits += c;
    }
  }
  int exponent = 0;
  const std::string_view written = text.substr(e + 1);
  std::from_chars(written.data() + (written.front() == '+' ? 1 : 0),
                  written.data() + written.size(), exponent);
  // The digit at 10^place, zero outside the written digits.
  const auto digitAt = [&](int place) {
    const int index = exponent - place;
    return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
  };
  std::string cents;  // every digit from the highest integer place down to 10^-2
  for (int place = std::max(exponent, 0); place >= -2; --place) {
    cents += digitAt(place);
  }
  if (digitAt(-3) >= '5') {  // half a cent or more, as written: away from zero
    std::size_t i = cents.size();
    while (i > 0 && cents[i - 1] == '9') {
      cents[--i] = '0';
    }
    if (i == 0) {
      cents.insert(0, 1, '1');
    } else {
      ++cents[i - 1];
    }
  }
  const bool zero = cents.find_first_not_of('0') == std::string::npos;
  cents.insert(cents.size() - 2, 1, '.');
  return negative && !zero ? "-" + cents : cents;
}

}  // namespace

std::string FormatFixed2(double value) {
  // The value stands for its shortest round-trip text (what any reader of the digits sees, 16.415
  // for 32.83 / 2), so that text is rounded, in decimal on its digits, not the binary value.
  // Below 1e15 the shortest text in fixed notation holds the same digits; beyond, fixed
  // notation writes the binary value's integer digits.
  if (!(std::abs(value) < 1e15)) {
    return RoundedScientific(value);
  }
  std::array<char, 40> buffer{};
  char* const first = buffer.data();
  char* end = std::to_chars(first, first + buffer.size() - 4, value).ptr;
  if (std::find(first, end, 'e') != end) {
    return RoundedScientific(value);
  }
  char* point = std::find(first, end, '.');
  if (point == end) {
    *end++ = '.';
    *end++ = '0';
    *end++ = '0';
  } else if (end - point <= 3) {
    while (end - point < 3) {
      *end++ = '0';
    }
  } else {
    const bool up = point[3] >= '5';  // half a cent or more, as written: away from zero
    end = point + 3;
    char* digit = end;
    while (up && digit != first) {
      --digit;
      if (*digit == '.') {
        continue;
      }
      if (*digit == '-') {
        ++digit;
        break;
      }
      if (*digit != '9') {
        ++*digit;
        break;
      }
      *digit = '0';
      if (digit == first || digit[-1] == '-') {
        // 99.995 becomes 100.00: one more leading digit
        std::copy_backward(digit, end, end + 1);
        *digit = '1';
        ++end;
        break;
      }
    }
  }
  const bool negative = *first == '-';
  const bool zero =
      std::all_of(first + (negative ? 1 : 0), end, [](char c) { return c == '0' || c == '.'; });
  return std::string(negative && zero ? first + 1 : first, end);
}

std::string ShortestNumber(double value) {
  if (value == 0) {
    value = 0;  // -0 as 0: no reader needs the sign of nothing
  }
  std::array<char, 32> text{};
  char* const end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return {text.data(), end};
}

std::string DecimalCommas(std::string text) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == '.' && digit(text[i - 1]) && digit(text[i + 1])) {
      text[i] = ',';
    }
  }
  return text;
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string QuotedExcerpt(std::string_view text) {
  constexpr std::size_t kLongest = 40;
  std::size_t end = std::min(text.size(), kLongest);
  const bool cut = end < text.size();
  while (cut && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;  // not in the middle of a character
  }
  std::string quoted = "„";
  for (const char c : text.substr(0, end)) {
    quoted += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
  }
  return quoted + (cut ? "…“" : "“");
}

}  // namespace strevo
