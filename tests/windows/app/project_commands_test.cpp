// "Speichern" and "Öffnen" driven through the main window with a scripted file dialog.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "core/analysis/input_table.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/sections/form4.h"

namespace strevo {
namespace {

namespace fs = std::filesystem;

class ProjectCommandsTest : public ::testing::Test {
 protected:
  ProjectCommandsTest()
      : dir(fs::temp_directory_path() / ("strevo-project-" + std::to_string(::getpid()))) {
    fs::create_directories(dir);
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~ProjectCommandsTest() override {
    fs::remove_all(dir);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  Form1& form() { return app.MainWindow(); }
  QStringList Texts() {
    QStringList texts;
    for (int i = 0; i < 10; ++i) {
      texts << form().Text1(i)->text();
    }
    return texts;
  }
  QString Path(const char* name) { return QString::fromStdString((dir / name).string()); }
  void WriteFile(const char* name, const std::string& contents) {
    std::ofstream(dir / name, std::ios::binary) << contents;
  }
  std::string ReadFile(const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
  }

  fs::path dir;
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(ProjectCommandsTest, MenuItemsStayDisabled) {
  EXPECT_FALSE(form().MenuItem(QString::fromUtf8("mnuöffnen"))->isEnabled());
  EXPECT_FALSE(form().MenuItem("mnuspeichern")->isEnabled());
}

TEST_F(ProjectCommandsTest, SavingTheStartState) {
  ASSERT_FALSE(app.IsSectionsWindowLoaded());
  fileDialogs.names.push_back(Path("start.stv"));
  form().mnuspeichern_Click();
  EXPECT_EQ(ReadFile("start.stv"), "0.00 2.00 4.00 3.00  2 5.00 0.00 0.00 1.00 1.50\n1 2\n");
  ASSERT_EQ(fileDialogs.uses.size(), 1u);
  const CommonDialogSettings& settings = fileDialogs.uses[0].settings;
  EXPECT_TRUE(fileDialogs.uses[0].save);
  EXPECT_EQ(settings.title, "Speichern");
  EXPECT_EQ(settings.filter, "Dateien (*.stv)|*.stv");
  EXPECT_EQ(QtNameFilters(settings.filter), "Dateien (*.stv)");
  EXPECT_TRUE(settings.flags & kOverwritePrompt) << "asks before overwriting";
  EXPECT_FALSE(settings.cancelError);
  ASSERT_TRUE(app.IsSectionsWindowLoaded()) << "the family positions load it";
  EXPECT_TRUE(app.SectionsWindow().isHidden());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ProjectCommandsTest, CancelChangesNothing) {
  form().mnuspeichern_Click();
  form().mnuoeffnen_Click();
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_EQ(Texts()[1], "2.00");
  EXPECT_FALSE(app.IsSectionsWindowLoaded());
}

TEST_F(ProjectCommandsTest, OpeningSetsTheFieldsAsNumbers) {
  WriteFile("start.stv", "0.00 2.00 4.00 3.00  2 5.00 0.00 0.00 1.00 1.50\n1 2\n");
  form().Text1(1)->setText("9");
  form().Text1(kFieldI1)->setText("7");
  fileDialogs.names.push_back(Path("start.stv"));
  form().mnuoeffnen_Click();
  EXPECT_EQ(Texts(), QStringList({" 0", " 2", " 4", " 3", "2.00", " 5", " 0", " 0", " 1", " 1.5"}));
  Form4& sections = app.SectionsWindow();
  EXPECT_EQ(sections.Combo(1)->currentText(), "HE-A Profile");
  EXPECT_EQ(sections.Combo(2)->currentText(), "HE-B Profile");
  const CommonDialogSettings& settings = fileDialogs.uses[0].settings;
  EXPECT_EQ(settings.title, QString::fromUtf8("Öffnen"));
  EXPECT_EQ(settings.initialDirectory, STREVO_DATA_DIR);
}

TEST_F(ProjectCommandsTest, SettingsCarryOverBetweenTheCommands) {
  fileDialogs.names = {Path("a.stv"), {}};
  form().mnuspeichern_Click();
  form().mnuoeffnen_Click();
  ASSERT_EQ(fileDialogs.uses.size(), 2u);
  EXPECT_TRUE(fileDialogs.uses[1].settings.flags & kOverwritePrompt)
      << "open keeps the flags the save set";
  EXPECT_EQ(fileDialogs.uses[1].settings.title, QString::fromUtf8("Öffnen"));
}

TEST_F(ProjectCommandsTest, ZeroSpanAndFamiliesFromTheFile) {
  WriteFile("zero.stv", "1 0 3 1 0 0 0.5 10 2 3\n0 -1\n");
  fileDialogs.names.push_back(Path("zero.stv"));
  form().mnuoeffnen_Click();
  EXPECT_EQ(Texts(),
            QStringList({" 1", " 0", " 3", " 1", "4.00", "5.00", " 0.5", " 10", " 2", " 3"}));
  EXPECT_EQ(app.SectionsWindow().Combo(1)->currentText(), "IPE Profile");
  EXPECT_EQ(app.SectionsWindow().Combo(2)->currentIndex(), -1);
  EXPECT_FALSE(form().Text1(3)->isHidden()) << "F = 10 shows a and b";
}

TEST_F(ProjectCommandsTest, BadFilesChangeNothingAndSayWhy) {
  const std::pair<const char*, const char*> files[] = {
      {"truncated.stv", "0.00 2.00 4.00 3.00  2 5.00 0.00"},
      {"text.stv", "0.00 2.00 vier 3.00  2 5.00 0.00 0.00 1.00 1.50\n1 2\n"},
      {"range.stv", "0.00 2.00 4.00 3.00  2 5.00 0.00 0.00 1.00 1.50\n1 7\n"},
      {"empty.stv", ""}};
  form().Text1(1)->setText("3.30");
  const QStringList before = Texts();
  for (const auto& [name, contents] : files) {
    WriteFile(name, contents);
    fileDialogs.names.push_back(Path(name));
    form().mnuoeffnen_Click();
    EXPECT_EQ(Texts(), before) << name;
  }
  ASSERT_EQ(messages.shown.size(), 4u);
  EXPECT_TRUE(messages.shown[0].text.contains("keine gültige Strevo-Datei"));
  EXPECT_TRUE(messages.shown[1].text.contains("„vier“ ist keine Zahl"));
  EXPECT_TRUE(messages.shown[2].text.contains("Profilreihe „7“"));
  EXPECT_EQ(messages.shown[3].icon, MessageIcon::Critical);
  EXPECT_FALSE(app.IsSectionsWindowLoaded());
}

// Regression: the save wrote a fixed "<name>.tmp" and renamed it, destroying an unrelated file
// of that name, replacing a symbolic link by a plain file and losing the file's permissions.
TEST_F(ProjectCommandsTest, SavingNeverHarmsAnotherFile) {
  const std::string old = "1 2 3 4 5 6 7 8 9 10\n0 0\n";
  WriteFile("kept.stv", old);
  WriteFile("kept.stv.tmp", "fremd");
  fs::permissions(dir / "kept.stv", fs::perms::owner_read | fs::perms::owner_write);
  fileDialogs.names.push_back(Path("kept.stv"));
  form().mnuspeichern_Click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadFile("kept.stv").substr(0, 10), "0.00 2.00 ");
  EXPECT_EQ(ReadFile("kept.stv.tmp"), "fremd");
  EXPECT_EQ(fs::status(dir / "kept.stv").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  WriteFile("ziel.stv", old);
  fs::create_symlink(dir / "ziel.stv", dir / "link.stv");
  fileDialogs.names.push_back(Path("link.stv"));
  form().mnuspeichern_Click();
  EXPECT_TRUE(fs::is_symlink(dir / "link.stv"));
  EXPECT_EQ(ReadFile("ziel.stv").substr(0, 10), "0.00 2.00 ");

  fileDialogs.names.push_back(Path("fehlt/x.stv"));
  form().mnuspeichern_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith(
      QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden").arg(Path("fehlt/x.stv"))));
}

TEST_F(ProjectCommandsTest, RoundTripKeepsTheValues) {
  form().Text1(0)->setText("1.25");
  form().Text1(7)->setText("-4");
  form().Text1(3)->setText("1.5");
  app.SectionsWindow().SetColumnFamily(0);
  fileDialogs.names = {Path("trip.stv"), Path("trip.stv")};
  form().mnuspeichern_Click();
  form().mnuneu_Click();
  app.SectionsWindow().SetColumnFamily(2);
  form().mnuoeffnen_Click();
  EXPECT_EQ(Texts(),
            QStringList({" 1.25", " 2", " 4", " 1.5", "3.50", " 5", " 0", "-4", " 1", " 1.5"}));
  EXPECT_EQ(app.SectionsWindow().ColumnFamily(), 0);
}

}  // namespace
}  // namespace strevo
