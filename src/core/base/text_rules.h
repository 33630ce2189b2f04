// The text rules shared by every reader and writer of numbers: field value and "0.00".
#pragma once

#include <string>
#include <string_view>

namespace strevo {

// The leading decimal number of a field's text, with a point as decimal separator: leading
// blanks, an optional sign, digits with at most one point, an optional exponent when digits
// follow it. A text that does not begin with a number is 0. A number beyond the range of a
// double throws ArithmeticFault(Overflow); one too small for it reads as 0.
double FieldValue(std::string_view text);

// True when the whole text, blanks around it aside, is one number in the field-value syntax.
bool IsPlainNumber(std::string_view text);

// Format "0.00": at least one integer digit, exactly two decimals, no minus for a value that
// rounds to zero. The value's shortest text that reads back exactly is rounded, ties away from
// zero: 32.83 / 2 reads 16.415 and shows 16.42. The value must be finite.
std::string FormatFixed2(double value);

// The shortest decimal text that reads back as the same double ("4", "0.1", "1e+300"): a
// value as it was read or stored, in messages and files.
std::string ShortestNumber(double value);

// The text with a decimal comma wherever a point stands between two digits ("x = 4.00 m ab
// Punkt 2" to "x = 4,00 m ab Punkt 2"), as German readers write numbers. Not for texts with
// clause numbers ("6.2.8").
std::string DecimalCommas(std::string text);

// The text with &, <, > and " written as HTML entities, to stand in HTML as it reads.
std::string HtmlEscaped(std::string_view text);

// A piece of a file as a message quotes it, in German quotation marks („vier“): control bytes as
// "?", at most 40 bytes (whole UTF-8 characters) and "…" where it is cut.
std::string QuotedExcerpt(std::string_view text);

}  // namespace strevo
