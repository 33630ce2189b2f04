// The cross-section window against a scripted host.
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include <gtest/gtest.h>

#include "core/analysis/input_table.h"
#include "recording_messages.h"
#include "windows/sections/form4.h"

namespace strevo {
namespace {

class FakeHost : public SectionsHost {
 public:
  void SetInputText(int field, const QString& text) override { fields[field] = text; }
  std::filesystem::path ProgramDirectory() const override { return directory; }
  CommandGuard& Guard() override { return guard; }
  MessageService& Messages() override { return messages; }
  void SectionsWindowClosed() override { ++closed; }

  std::map<int, QString> fields;
  std::filesystem::path directory = STREVO_DATA_DIR;
  testing::RecordingMessages messages;
  CommandGuard guard{messages};
  int closed = 0;
};

struct Window {
  Window() { form.Form_Load(); }
  FakeHost host;
  Form4 form{host};
};

QStringList Entries(QListWidget* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) {
    entries << list->item(i)->text();
  }
  return entries;
}

TEST(Form4, LoadShowsHeaAndHebWithNothingChosen) {
  Window w;
  EXPECT_EQ(w.form.windowTitle(), "Querschnittsauswahl");
  EXPECT_EQ(w.form.Label1()->text(), QString::fromUtf8("Wählen Sie hier die Querschnitte aus."));
  EXPECT_EQ(w.form.SectionLabel(1)->text(), "I-Profile");
  EXPECT_EQ(w.form.SectionLabel(2)->text(), "I-Profile");
  for (int n : {1, 2}) {
    QComboBox* combo = w.form.Combo(n);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "IPE Profile");
    EXPECT_EQ(combo->itemText(1), "HE-A Profile");
    EXPECT_EQ(combo->itemText(2), "HE-B Profile");
    EXPECT_EQ(w.form.List(n)->count(), 24);
    EXPECT_EQ(w.form.List(n)->currentRow(), -1) << "no section selected";
  }
  EXPECT_EQ(w.form.Combo(1)->currentIndex(), 1);
  EXPECT_EQ(w.form.Combo(2)->currentIndex(), 2);
  EXPECT_EQ(w.form.List(1)->item(0)->text(), "100  ");
  EXPECT_TRUE(w.host.fields.empty()) << "loading changes neither I1 nor I2";
  for (const char* name : {"Label4", "Label5", "Label6", "Label7"}) {
    QLabel* label = w.form.findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_TRUE(label->isHidden()) << name;
  }
  EXPECT_EQ(w.form.size(), QSize(437, 445));
  EXPECT_EQ(w.form.List(1)->geometry(), QRect(48, 96, 57, 160));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((w.form.geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST(Form4, ChoosingAFamilyReadsTheTableAfresh) {
  Window w;
  w.form.Combo(1)->setCurrentIndex(0);
  w.form.Combo1_Click();
  const QStringList ipe = Entries(w.form.List(1));
  ASSERT_EQ(ipe.size(), 17);
  EXPECT_EQ(ipe.front(), "100  ");
  EXPECT_EQ(ipe.back(), "600  ");
  w.form.Combo1_Click();
  EXPECT_EQ(Entries(w.form.List(1)), ipe) << "the same list the second time";
}

TEST(Form4, ChoosingASectionSetsTheInputAndTheLabel) {
  Window w;
  QListWidget* beam = w.form.List(2);
  QTest::mouseClick(beam->viewport(), Qt::LeftButton, {},
                    beam->visualItemRect(beam->item(2)).center());
  EXPECT_EQ(w.host.fields[kFieldI2], "1509 ");
  EXPECT_EQ(w.form.SectionLabel(2)->text(), "HE-B 140  ");
  w.form.List(1)->setCurrentRow(23);
  EXPECT_EQ(w.host.fields[kFieldI1], "554e3");
  EXPECT_EQ(w.form.SectionLabel(1)->text(), "HE-A 1000 ");
}

TEST(Form4, AMissingTableIsReportedAndTheListStaysCleared) {
  Window w;
  w.host.directory = "/no/such/folder";
  w.form.Combo(2)->setCurrentIndex(0);
  w.form.Combo2_Click();
  EXPECT_EQ(w.form.List(2)->count(), 0);
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_TRUE(w.host.messages.shown[0].text.contains("„wert3.txt“"));
  EXPECT_TRUE(w.host.messages.shown[0].text.contains("/no/such/folder"));
  EXPECT_EQ(w.form.List(1)->count(), 24) << "the other list is untouched";
}

TEST(Form4, AMissingTableIsReportedOncePerOpening) {
  FakeHost host;
  host.directory = "/no/such/folder";
  Form4 form(host);
  form.Form_Load();  // reads the table for both lists
  EXPECT_EQ(host.messages.shown.size(), 1u);
}

TEST(Form4, ADamagedTableIsReportedOnceNamingTheFileAndItsFlaw) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("strevo-damaged-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "wert3.txt") << "Kopf\nabc!? 1\nHE\n";
  FakeHost host;
  host.directory = folder;
  Form4 form(host);
  form.Form_Load();
  std::filesystem::remove_all(folder);
  ASSERT_EQ(host.messages.shown.size(), 1u);
  const QString text = host.messages.shown[0].text;
  EXPECT_TRUE(text.startsWith(QStringLiteral("Die Profiltabelle „%1“ ist beschädigt.")
                                  .arg(QString::fromStdString((folder / "wert3.txt").string()))))
      << text.toStdString();
  EXPECT_TRUE(text.contains("Zeile 2, Spalte 1: „abc!?“ ist keine Zahl"));
  EXPECT_EQ(form.List(1)->count(), 24) << "then the lists are filled as always";
}

// Clicking the highlighted section did nothing, so the field and the label could disagree.
TEST(Form4, ClickingTheChosenSectionAgainWritesItAgain) {
  Window w;
  w.form.show();
  QListWidget* list = w.form.List(1);
  const QPoint row3 = list->visualItemRect(list->item(3)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row3);
  ASSERT_EQ(list->currentRow(), 3);
  const QString value = w.host.fields[kFieldI1];
  w.host.fields[kFieldI1] = "7";  // the user typed into I1
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row3);
  EXPECT_EQ(w.host.fields[kFieldI1], value);
}

TEST(Form4, OkHidesHelpAndTitleBarClose) {
  Window w;
  w.form.show();
  QTest::mouseClick(w.form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_TRUE(w.form.isHidden());
  QTest::mouseClick(w.form.findChild<QPushButton*>("Command2"), Qt::LeftButton);
  ASSERT_EQ(w.host.messages.shown.size(), 1u);
  EXPECT_EQ(w.host.messages.shown[0].text, "Derzeit noch keine Hilfe installiert!");
  EXPECT_EQ(w.host.messages.shown[0].title, "Hilfe");
  EXPECT_EQ(w.host.messages.shown[0].icon, MessageIcon::Information);
  w.form.show();
  w.form.close();
  EXPECT_EQ(w.host.closed, 1);
}

// "abcde" or raw bytes of a damaged row once landed in I1, and the computation then only said
// "Division durch Null".
TEST(Form4, ADamagedRowWritesNothingAndSaysSo) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("strevo-row-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ifstream shipped(std::filesystem::path(STREVO_DATA_DIR) / "wert3.txt", std::ios::binary);
  std::string table((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
  table.replace(table.find('\n') + 1 + 102 + 6, 5, "abcde");  // the second HE-A section
  std::ofstream(folder / "wert3.txt", std::ios::binary) << table;
  FakeHost host;
  host.directory = folder;
  Form4 form(host);
  form.Form_Load();
  std::filesystem::remove_all(folder);
  ASSERT_EQ(host.messages.shown.size(), 1u) << "the damaged table, once";
  form.List(1)->setCurrentRow(1);  // chosen with the keys
  EXPECT_EQ(host.fields.count(8), 0u) << "nothing reaches I1";
  ASSERT_EQ(host.messages.shown.size(), 2u);
  EXPECT_EQ(host.messages.shown[1].text,
            "Die Profiltabelle hat für dieses Profil keinen gültigen Wert; das Feld I1 bleibt, "
            "wie es ist.");
  form.List(1)->setCurrentRow(2);
  EXPECT_EQ(host.fields[kFieldI1].trimmed(), "1033") << "a sound row of the same table";
}

}  // namespace
}  // namespace strevo
