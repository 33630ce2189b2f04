// The field-value reader and the "0.00" format.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "arithmetic_fault.h"
#include "text_rules.h"

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
  const std::pair<double, const char*> cases[] = {{0.5787, "0.58"},
                                                  {-2.3148, "-2.31"},
                                                  {5, "5.00"},
                                                  {0, "0.00"},
                                                  {-0.0, "0.00"},
                                                  {-0.001, "0.00"},
                                                  {-0.004999, "0.00"},
                                                  {0.125, "0.13"},
                                                  {-0.125, "-0.13"},
                                                  {0.375, "0.38"},
                                                  {2.5, "2.50"},
                                                  {0.005, "0.01"},
                                                  {1.005, "1.00"},
                                                  {2.675, "2.67"},
                                                  {-1.6, "-1.60"},
                                                  {123456.789, "123456.79"},
                                                  {1e20, "100000000000000000000.00"},
                                                  {0.994999, "0.99"},
                                                  {0.995, "0.99"}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FormatFixed2(value), expected) << value;
  }
}

// Found by fuzzing: a tie above 2^46 had its cents computed in floating point, where the
// product was no longer exact, and the text did not read back as the value.
TEST(FormatFixed2, LargeTiesRoundExactly) {
  EXPECT_EQ(FormatFixed2(-554847793060001.875), "-554847793060001.88");
  EXPECT_EQ(FormatFixed2(0x1p49 + 0.125), "562949953421312.13");
  EXPECT_EQ(FormatFixed2(0x1p50 + 0.25), "1125899906842624.25");
}

TEST(FormatFixed2, LargestDoubleHasAllItsDigits) {
  const std::string text = FormatFixed2(std::numeric_limits<double>::max());
  EXPECT_EQ(text.size(), 309u + 3u);
  EXPECT_EQ(text.substr(text.size() - 3), ".00");
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

}  // namespace
}  // namespace strevo
