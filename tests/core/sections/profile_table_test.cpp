// The shipped profile table against the published values, and the reader's edge cases.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/base/text_rules.h"
#include "core/sections/profile_table.h"

namespace strevo {
namespace {

namespace fs = std::filesystem;

// The largest relative deviation a five-character field forces (HE 550 B: 136700 as "137e3").
constexpr double kLargestDeviation = 0.0022;

const fs::path kShipped = fs::path(STREVO_DATA_DIR) / kProfileTableName;

// Published Iy by family and nominal height, from the producers' tables.
std::map<std::pair<std::string, std::string>, double> PublishedValues() {
  std::ifstream in(STREVO_PUBLISHED_SECTIONS);
  std::map<std::pair<std::string, std::string>, double> values;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line.rfind("family", 0) == 0) {
      continue;
    }
    std::stringstream fields(line);
    std::string family, designation, iy;
    std::getline(fields, family, ',');
    std::getline(fields, designation, ',');
    std::getline(fields, iy, ',');
    std::stringstream words(designation);
    std::string word, height;
    words >> word >> height;  // "IPE 100" or "HE 100 A"
    values[{family, height}] = std::stod(iy);
  }
  return values;
}

std::string Trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

// One section of the shipped table: family, nominal height and its five-character field.
struct ShippedRow {
  std::string family, height, field;
};

void PrintTo(const ShippedRow& row, std::ostream* out) {
  *out << row.family << " " << row.height << ": \"" << row.field << "\"";
}

std::vector<ShippedRow> ShippedRows() {
  const char* families[] = {"IPE", "HE-A", "HE-B"};
  std::vector<ShippedRow> rows;
  for (std::size_t f = 0; f < kProfileFamilies.size(); ++f) {
    const ProfileFamily& family = kProfileFamilies[f];
    const ProfileTableReading reading = ReadProfileTable(kShipped, family);
    for (std::size_t j = 0; j < reading.designations.size() && reading.valueLine; ++j) {
      rows.push_back({families[f], Trimmed(reading.designations[j]),
                      SectionField(*reading.valueLine, family, static_cast<int>(j))});
    }
  }
  return rows;
}

TEST(ProfileTable, ShipsEverySectionOfTheThreeFamilies) {
  EXPECT_EQ(PublishedValues().size(), 66u);
  EXPECT_EQ(ShippedRows().size(), 65u);
}

class ShippedSections : public ::testing::TestWithParam<ShippedRow> {};

TEST_P(ShippedSections, MatchThePublishedValue) {
  static const auto published = PublishedValues();
  const ShippedRow& row = GetParam();
  ASSERT_EQ(row.field.size(), 5u);
  const auto found = published.find({row.family, row.height});
  ASSERT_NE(found, published.end()) << row.family << " " << row.height;
  const double value = FieldValue(row.field);
  EXPECT_LE(std::abs(value - found->second) / found->second, kLargestDeviation)
      << row.field << " vs " << found->second;
  if (found->second < 100000 && found->second == std::round(found->second)) {
    EXPECT_EQ(value, found->second) << "whole numbers below 100000 are written as published";
  }
}

INSTANTIATE_TEST_SUITE_P(ProfileTable, ShippedSections, ::testing::ValuesIn(ShippedRows()),
                         [](const auto& info) {
                           std::string name = info.param.family + "_" + info.param.height;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(ProfileTable, FamiliesSitSideBySide) {
  const ProfileTableReading ipe = ReadProfileTable(kShipped, kProfileFamilies[0]);
  ASSERT_EQ(ipe.designations.size(), 17u);
  std::ifstream in(kShipped);
  std::string line, last, second;
  for (int i = 0; std::getline(in, line); ++i) {
    if (i == 1) {
      second = line;
    }
    last = line;
  }
  for (int j = 0; j < 17; ++j) {
    EXPECT_EQ(ipe.designations[j], last.substr(6 * j, 5)) << "column " << 1 + 6 * j;
  }
  EXPECT_EQ(Trimmed(ipe.designations[0]), "100");
  EXPECT_EQ(Trimmed(ipe.designations[16]), "600");
  // The third HE-B section's value occupies columns 259 to 263 of the second line.
  EXPECT_EQ(SectionField(second, kProfileFamilies[2], 2), second.substr(258, 5));
  EXPECT_EQ(Trimmed(SectionField(second, kProfileFamilies[2], 2)), "1509");
  const ProfileTableReading heb = ReadProfileTable(kShipped, kProfileFamilies[2]);
  EXPECT_EQ(Trimmed(heb.designations[23]), "1000");
  EXPECT_EQ(Trimmed(SectionField(second, kProfileFamilies[2], 23)), "645e3");
}

class TableFile : public ::testing::Test {
 protected:
  TableFile() : file_(fs::temp_directory_path() / ("strevo-table-" + std::to_string(::getpid()))) {}
  ~TableFile() override { fs::remove(file_); }
  const fs::path& Write(const std::string& contents) {
    std::ofstream(file_, std::ios::binary) << contents;
    return file_;
  }
  fs::path file_;
};

TEST_F(TableFile, ShortLinesGiveShortOrEmptyFields) {
  const auto reading =
      ReadProfileTable(Write("header\r\n12345 678\r\n100   12\r\n"), kProfileFamilies[0]);
  ASSERT_TRUE(reading.valueLine.has_value());
  EXPECT_EQ(*reading.valueLine, "12345 678") << "the line end is not part of the line";
  ASSERT_EQ(reading.designations.size(), 17u);
  EXPECT_EQ(reading.designations[0], "100  ");
  EXPECT_EQ(reading.designations[1], "12");
  EXPECT_EQ(reading.designations[2], "");
  EXPECT_EQ(SectionField(*reading.valueLine, kProfileFamilies[0], 1), "678");
  EXPECT_EQ(SectionField(*reading.valueLine, kProfileFamilies[1], 0), "");
}

TEST_F(TableFile, FewerThanTwoLinesKeepNoValueLine) {
  const auto one = ReadProfileTable(Write("only line"), kProfileFamilies[1]);
  EXPECT_FALSE(one.valueLine.has_value());
  EXPECT_EQ(one.designations.size(), 24u);
  const auto empty = ReadProfileTable(Write(""), kProfileFamilies[2]);
  EXPECT_FALSE(empty.valueLine.has_value());
  EXPECT_EQ(empty.designations, std::vector<std::string>(24, ""));
}

// A damaged table once filled the lists with blank or garbage rows without a word.
TEST_F(TableFile, TheFirstFlawIsNamedWithItsLineAndColumn) {
  std::ifstream shipped(kShipped, std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(shipped)),
                         std::istreambuf_iterator<char>());
  EXPECT_EQ(ReadProfileTable(Write(good), kProfileFamilies[0]).problem, std::nullopt);

  const std::size_t secondLine = good.find('\n') + 1;
  std::string garbled = good;
  garbled.replace(secondLine + 6, 5, "abc!?");
  EXPECT_EQ(ReadProfileTable(Write(garbled), kProfileFamilies[2]).problem,
            "Zeile 2, Spalte 7: „abc!?“ ist keine Zahl")
      << "any family's reading names the table's first flaw";

  const std::string truncated =
      good.substr(0, secondLine + 200) + "\n" + good.substr(good.rfind('\n', good.size() - 2) + 1);
  EXPECT_EQ(ReadProfileTable(Write(truncated), kProfileFamilies[0]).problem,
            "Zeile 2, Spalte 205: kein Wert");

  std::string unnamed = good;
  unnamed.replace(unnamed.rfind('\n', unnamed.size() - 2) + 1 + 246, 5, "     ");
  EXPECT_EQ(ReadProfileTable(Write(unnamed), kProfileFamilies[0]).problem,
            "Zeile 3, Spalte 247: keine Bezeichnung");

  EXPECT_EQ(ReadProfileTable(Write(""), kProfileFamilies[1]).problem,
            "Die Tabelle hat 0 Zeilen; sie braucht eine Wertezeile (Zeile 2) und eine "
            "Bezeichnungszeile.");
  EXPECT_EQ(ReadProfileTable(Write(std::string("\x89PNG\r\n\x1a\n\0\0", 10)), kProfileFamilies[1])
                .problem,
            "Zeile 2, Spalte 1: „?“ ist keine Zahl");
}

TEST(ProfileTable, MissingFileNamesTheFileAndTheFolder) {
  try {
    ReadProfileTable("/no/such/folder/wert3.txt", kProfileFamilies[0]);
    ADD_FAILURE() << "no error";
  } catch (const ProfileTableError& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("„wert3.txt“"), std::string::npos);
    EXPECT_NE(text.find("/no/such/folder"), std::string::npos);
  }
}

// Values that no section has count as damage, so nothing of such a row reaches I1 or I2.
TEST(ProfileTable, AValueIsASecondMomentOfAreaOrNothing) {
  EXPECT_EQ(SectionValue(" 1509"), 1509);
  EXPECT_EQ(SectionValue("645e3"), 645e3);
  for (const char* bad : {"abcde", "    0", "  -80", "1e999", "     ", "12 ab", "\x01\x02"}) {
    EXPECT_EQ(SectionValue(bad), std::nullopt) << bad;
  }
}

TEST_F(TableFile, ZeroNegativeAndOverflowingValuesAreFlaws) {
  std::ifstream shipped(kShipped, std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(shipped)),
                         std::istreambuf_iterator<char>());
  const std::size_t secondLine = good.find('\n') + 1;
  for (const char* bad : {"    0", "  -80", "9e999"}) {
    std::string damaged = good;
    damaged.replace(secondLine + 12, 5, bad);
    EXPECT_EQ(ReadProfileTable(Write(damaged), kProfileFamilies[0]).problem,
              "Zeile 2, Spalte 13: „" + std::string(bad) + "“ ist kein Flächenträgheitsmoment");
  }
}

// A FIFO named like the table blocked the program when the window opened.
TEST(ProfileTable, WhatIsNoRegularFileIsRefusedBeforeReading) {
  const fs::path fifo = fs::temp_directory_path() / ("strevo-fifo-" + std::to_string(::getpid()));
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(ReadProfileTable(fifo, kProfileFamilies[0]), ProfileTableError);
  fs::remove(fifo);
}

}  // namespace
}  // namespace strevo
