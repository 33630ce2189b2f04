// The project-file format: number-to-text, writing and strict reading.
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/base/readable_file.h"
#include "core/project/project_file.h"

namespace strevo {
namespace {

namespace fs = std::filesystem;

const FieldTexts kStartTexts = {"0.00", "2.00", "4.00", "3.00", "2.00",
                                "5.00", "0.00", "0.00", "1.00", "1.50"};

class TempDir {
 public:
  TempDir() : path_(fs::temp_directory_path() / ("strevo-test-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(NumberToText, AsThePlatformWritesNumbers) {
  EXPECT_EQ(NumberToText(2), " 2");
  EXPECT_EQ(NumberToText(1.5), " 1.5");
  EXPECT_EQ(NumberToText(-3), "-3");
  EXPECT_EQ(NumberToText(0), " 0");
  EXPECT_EQ(NumberToText(-0.0), " 0");
  EXPECT_EQ(NumberToText(0.1), " 0.1");
  // Found by fuzzing: 15 digits rounded the largest doubles beyond the double range, and lost
  // the last digits of others; the text must always read back as the same number.
  EXPECT_EQ(NumberToText(1.0 / 3), " 0.3333333333333333");
  EXPECT_EQ(NumberToText(0.1 + 0.2), " 0.30000000000000004");
  EXPECT_EQ(NumberToText(-1.7976931348623157e308), "-1.7976931348623157e+308");
  EXPECT_EQ(NumberToText(1e20), " 1e+20");
  EXPECT_EQ(NumberToText(-2.5e-7), "-2.5e-07");
}

TEST(FormatProject, StartStateWritesBAsItsNumber) {
  EXPECT_EQ(FormatProject(kStartTexts, 1, 2),
            "0.00 2.00 4.00 3.00  2 5.00 0.00 0.00 1.00 1.50\n1 2\n");
  FieldTexts negative = kStartTexts;
  negative[4] = "-2.00";
  EXPECT_EQ(FormatProject(negative, -1, 0),
            "0.00 2.00 4.00 3.00 -2 5.00 0.00 0.00 1.00 1.50\n-1 0\n");
}

// Guards against a field text that is not a plain number ("1,5", "abc", "2 m") splitting into
// the wrong number of items and making the saved file unreadable.
TEST(FormatProject, TextsThatAreNoPlainNumberAreWrittenAsTheirValue) {
  FieldTexts texts = kStartTexts;
  texts[0] = "1,5";
  texts[1] = "abc";
  texts[2] = "4 m";
  texts[9] = "1509 ";
  const std::string written = FormatProject(texts, 1, 2);
  EXPECT_EQ(written, " 1  0  4 3.00  2 5.00 0.00 0.00 1.00 1509 \n1 2\n");
  const Project project = ParseProject(written);
  EXPECT_EQ(project.values[0], 1);
  EXPECT_EQ(project.values[1], 0);
  EXPECT_EQ(project.values[2], 4);
  EXPECT_EQ(project.values[9], 1509);
}

TEST(ParseProject, ReadsTenNumbersThenTwo) {
  const Project project = ParseProject("0.00 2.00 4.00 3.00  2 5.00 0.00 0.00 1.00 1.50\n1 2\n");
  const std::array<double, 10> expected = {0, 2, 4, 3, 2, 5, 0, 0, 1, 1.5};
  EXPECT_EQ(project.values, expected);
  EXPECT_EQ(project.columnFamily, 1);
  EXPECT_EQ(project.beamFamily, 2);

  const Project commas = ParseProject("1,2,3,4,5,6,7,8,9,1e3\r\n-1, 1.2\r\n\r\n");
  EXPECT_EQ(commas.values[9], 1000);
  EXPECT_EQ(commas.columnFamily, -1);
  EXPECT_EQ(commas.beamFamily, 1) << "rounded";
}

TEST(ParseProject, RejectsEverythingElse) {
  const char* bad[] = {
      "",                                   // empty
      "0 2 4 3 2 5 0 0 1 1.5\n",            // truncated: no second line
      "0 2 4 3 2 5 0 0 1\n1 2\n",           // nine numbers
      "0 2 4 3 2 5 0 0 1 1.5 7\n1 2\n",     // eleven numbers
      "0 2 4 3 2 5 0 0 1 1.5\n1\n",         // one family
      "0 2 4 3 2 5 0 0 1 1.5\n1 2 0\n",     // three families
      "0 2 abc 3 2 5 0 0 1 1.5\n1 2\n",     // not a number
      "0 2 4x 3 2 5 0 0 1 1.5\n1 2\n",      // number with a tail
      "0 2 1e999 3 2 5 0 0 1 1.5\n1 2\n",   // beyond the double range
      "0 2 4 3 2 5 0 0 1 1.5\n3 2\n",       // family out of range
      "0 2 4 3 2 5 0 0 1 1.5\n1 -2\n",      // family out of range
      "0 2 4 3 2 5 0 0 1 1.5\n1 2\n9 9\n",  // a third line
      "\x01\x02\xff",                       // binary
  };
  for (const char* contents : bad) {
    EXPECT_THROW(ParseProject(contents), ProjectFileError) << '"' << contents << '"';
  }
  try {
    ParseProject("0 2 4 3 2 5 0 0 1\n1 2\n");
  } catch (const ProjectFileError& error) {
    EXPECT_STREQ(error.what(), "Zeile 1 muss 10 Zahlen enthalten, sie enthält 9.");
  }
}

TEST(ProjectFile, ReadsWhatFormatProjectWrites) {
  TempDir dir;
  const fs::path file = dir.path() / "portal.stv";
  std::ofstream(file, std::ios::binary) << FormatProject(kStartTexts, 1, 2);
  const Project project = ReadProjectFile(file);
  EXPECT_EQ(project.values[5], 5);
  EXPECT_EQ(project.columnFamily, 1);
  EXPECT_EQ(project.beamFamily, 2);
  EXPECT_THROW(ReadProjectFile(dir.path() / "missing.stv"), ProjectFileError);
}

// Hostile files: a FIFO named like a project blocked the program, a 5 MB token gave a 5 MB
// message and a NUL byte cut it short, and "1e999" was saved as typed and could not be opened.
TEST(ProjectFile, RefusesWhatNoProjectFileIsBeforeReadingIt) {
  TempDir dir;
  const fs::path fifo = dir.path() / "rohr.stv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(ReadProjectFile(fifo), ProjectFileError) << "refused, not waited for";
  EXPECT_THROW(ReadProjectFile(dir.path()), ProjectFileError);

  const fs::path big = dir.path() / "gross.stv";
  std::ofstream(big, std::ios::binary) << std::string(kLargestProjectFile + 1, ' ');
  try {
    ReadProjectFile(big);
    ADD_FAILURE() << "a file over 1 MiB was read";
  } catch (const ProjectFileError& error) {
    EXPECT_NE(std::string(error.what()).find("1048577 Bytes zu groß"), std::string::npos);
  }

  const fs::path token = dir.path() / "token.stv";
  std::ofstream(token, std::ios::binary)
      << "0 2 4 3 2 5 0 x" << std::string(500000, 'y') << " 1 1.5\n1 2\n";
  try {
    ReadProjectFile(token);
    ADD_FAILURE() << "no error";
  } catch (const ProjectFileError& error) {
    EXPECT_LT(std::string(error.what()).size(), 200u);
    EXPECT_NE(std::string(error.what()).find("„xyyyyyyyy"), std::string::npos);
  }
  try {
    ParseProject(std::string("0 2 4 3 2 5 0 a\0b 1 1.5\n1 2\n", 27));
    ADD_FAILURE() << "no error";
  } catch (const ProjectFileError& error) {
    EXPECT_STREQ(error.what(), "Zeile 1: „a?b“ ist keine Zahl.");
  }
}

TEST(FormatProject, NeverWritesWhatItsReaderRefuses) {
  FieldTexts texts = kStartTexts;
  texts[7] = "1e999";
  try {
    FormatProject(texts, -1, -1);
    ADD_FAILURE() << "an overflowing field was written";
  } catch (const ProjectFileError& error) {
    EXPECT_NE(std::string(error.what()).find("Das Feld F "), std::string::npos) << error.what();
  }
  texts[7] = "1e-999";  // reads as 0, and reads back as 0
  EXPECT_EQ(ParseProject(FormatProject(texts, -1, -1)).values[7], 0);
}

}  // namespace
}  // namespace strevo
