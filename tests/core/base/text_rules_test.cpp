// The field-value reader and the "0.00" format.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

TEST(FieldValue, ReadsTheLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"2.00", 2.0},   {"  3.5abc", 3.5}, {"\t7", 7.0},        {"-.5", -0.5},    {"+2", 2.0},
      {"5.", 5.0},     {"1e3", 1000.0},   {"2E-2", 0.02},      {"1e+2x", 100.0}, {"1e", 1.0},
      {"1e+", 1.0},    {"1.2.3", 1.2},    {"1,5", 1.0},        {"1 2", 1.0},     {"007", 7.0},
      {"-0", 0.0},     {"", 0.0},         {"abc", 0.0},        {".", 0.0},       {"-", 0.0},
      {"e5", 0.0},     {"inf", 0.0},      {"nan", 0.0},        {"0x10", 0.0},    {" - 5", 0.0},
      {"1e-400", 0.0}, {"0.1", 0.1},      {"1.5e308", 1.5e308}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(FieldValue(text), expected) << '"' << text << '"';
  }
}

TEST(FieldValue, NumbersBeyondTheRangeOfADoubleOverflow) {
  for (const char* text : {"1e309", "-1e400", "1e99999999999999999999", "999e306"}) {
    try {
      FieldValue(text);
      ADD_FAILURE() << text << " did not overflow";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.kind(), FaultKind::Overflow) << text;
    }
  }
  EXPECT_EQ(FieldValue("0.000001e-99999999999"), 0.0);
}

TEST(FormatFixed2, WorkedValues) {
  const std::pair<double, const char*> cases[] = {
      {0.5787, "0.58"},      {-2.3148, "-2.31"},        {5, "5.00"},         {0, "0.00"},
      {-0.0, "0.00"},        {-0.001, "0.00"},          {-0.004999, "0.00"}, {0.004999, "0.00"},
      {0.125, "0.13"},       {-0.125, "-0.13"},         {0.375, "0.38"},     {2.5, "2.50"},
      {-1.6, "-1.60"},       {123456.789, "123456.79"}, {0.994999, "0.99"},  {9.995, "10.00"},
      {-999.995, "-1000.00"}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FormatFixed2(value), expected) << value;
  }
}

// A double that stands for a decimal tie (its shortest text ends in 5 at the third decimal)
// rounds away from zero, though the binary value lies a little below or above the tie.
TEST(FormatFixed2, DecimalTiesRoundAwayFromZero) {
  const std::pair<double, const char*> cases[] = {
      {32.83 / 2, "16.42"}, {2.675, "2.68"},   {0.145, "0.15"},
      {1.005, "1.01"},      {0.995, "1.00"},   {0.005, "0.01"},
      {-0.005, "-0.01"},    {-2.675, "-2.68"}, {0x1p45 + 0.125, "35184372088832.13"}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FormatFixed2(value), expected) << value;
  }
}

// Large values show the digits of their shortest text, not the binary value's tail (1e23 is
// 99999999999999991611392 in binary); tiny ones round to zero.
TEST(FormatFixed2, TheWholeRangeOfADouble) {
  const std::pair<double, const char*> cases[] = {
      {1e20 + 0.5, "100000000000000000000.00"},
      {1e23, "100000000000000000000000.00"},
      {1e15 + 0.5, "1000000000000000.50"},
      {0x1p49 + 0.125, "562949953421312.10"},
      {-554847793060001.875, "-554847793060001.90"},
      {1e-300, "0.00"},
      {-1e-300, "0.00"},
      {std::numeric_limits<double>::denorm_min(), "0.00"}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FormatFixed2(value), expected) << value;
  }
  const std::string text = FormatFixed2(-std::numeric_limits<double>::max());
  EXPECT_EQ(text, "-17976931348623157" + std::string(292, '0') + ".00");
  EXPECT_EQ(FieldValue(text), -std::numeric_limits<double>::max());
}

}  // namespace
}  // namespace strevo

namespace strevo {
namespace {

TEST(IsPlainNumber, TheWholeTextIsOneNumber) {
  for (const char* text : {"2.00", " 2", "-3", "1.5e3", "+.5", "7.", "1509 ", "\t4"}) {
    EXPECT_TRUE(IsPlainNumber(text)) << '"' << text << '"';
  }
  for (const char* text : {"", " ", "abc", "1,5", "4 m", "1e", "1e+", "--1", ".", "0x10", "1 2"}) {
    EXPECT_FALSE(IsPlainNumber(text)) << '"' << text << '"';
  }
}

TEST(DecimalCommas, OnlyAPointBetweenDigits) {
  EXPECT_EQ(DecimalCommas("x = 4.00 m ab Punkt 2, 12.5 m."), "x = 4,00 m ab Punkt 2, 12,5 m.");
  EXPECT_EQ(DecimalCommas("AH = -0.58 kN"), "AH = -0,58 kN");
  EXPECT_EQ(DecimalCommas("1.5 . 2.25."), "1,5 . 2,25.");
  EXPECT_EQ(DecimalCommas(".5"), ".5");
}

TEST(ShortestNumber, RoundTripsAndNeverWritesMinusZero) {
  EXPECT_EQ(ShortestNumber(-0.0), "0");
  EXPECT_EQ(ShortestNumber(0.0), "0");
  EXPECT_EQ(ShortestNumber(-1e-300), "-1e-300");
  EXPECT_EQ(ShortestNumber(0.1), "0.1");
  EXPECT_EQ(DecimalCommas(ShortestNumber(-0.0 * 4.5)), "0");
}

TEST(QuotedExcerpt, AtMostFortyBytesOfWholeCharactersAndNoControlBytes) {
  EXPECT_EQ(QuotedExcerpt("vier"), "„vier“");
  EXPECT_EQ(QuotedExcerpt(std::string("a\0b\n", 4)), "„a?b?“");
  EXPECT_EQ(QuotedExcerpt(std::string(41, 'x')), "„" + std::string(40, 'x') + "…“");
  EXPECT_EQ(QuotedExcerpt(std::string(40, 'x')), "„" + std::string(40, 'x') + "“");
  // "ü" is two bytes at 39 and 40: it is left out whole rather than cut.
  EXPECT_EQ(QuotedExcerpt(std::string(39, 'x') + "üz"), "„" + std::string(39, 'x') + "…“");
}

}  // namespace
}  // namespace strevo
