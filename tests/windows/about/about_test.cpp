// The About box, the splash window and the system-information lookup chain.
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "recording_messages.h"
#include "windows/about/frm_about.h"
#include "windows/about/frm_splash.h"
#include "windows/about/program_picture.h"

namespace strevo {
namespace {

class FakeStore : public KeyValueStore {
 public:
  std::optional<std::string> GetKeyValue(const std::string& keyPath,
                                         const std::string& valueName) override {
    asked.push_back(keyPath + "|" + valueName);
    const auto found = values.find(keyPath + "|" + valueName);
    if (found == values.end()) {
      return std::nullopt;
    }
    return found->second;
  }
  std::map<std::string, std::string> values;
  std::vector<std::string> asked;
};

class FakeLauncher : public ProgramLauncher {
 public:
  bool FileExists(const std::string& path) override {
    checked.push_back(path);
    return existing.count(path) > 0;
  }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return startWorks;
  }
  std::set<std::string> existing;
  std::vector<std::string> checked, started;
  bool startWorks = true;
};

const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";

TEST(StartSysInfo, FoundAtTheFirstKey) {
  FakeStore store;
  FakeLauncher launcher;
  store.values[kToolKey] = "C:\\Tools\\msinfo32.exe";
  EXPECT_TRUE(StartSysInfo(store, launcher));
  EXPECT_EQ(launcher.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
  EXPECT_EQ(store.asked.size(), 1u);
  EXPECT_TRUE(launcher.checked.empty());
}

TEST(StartSysInfo, FoundAtTheSecondKeyWhenTheFileExists) {
  FakeStore store;
  FakeLauncher launcher;
  store.values[kFolderKey] = "C:\\Shared";
  launcher.existing.insert("C:\\Shared\\MSINFO32.EXE");
  EXPECT_TRUE(StartSysInfo(store, launcher));
  EXPECT_EQ(launcher.started, std::vector<std::string>{"C:\\Shared\\MSINFO32.EXE"});

  FakeLauncher missing;
  EXPECT_FALSE(StartSysInfo(store, missing));
  EXPECT_EQ(missing.checked, std::vector<std::string>{"C:\\Shared\\MSINFO32.EXE"});
  EXPECT_TRUE(missing.started.empty());
}

TEST(StartSysInfo, NothingFoundOrStartFails) {
  FakeStore store;
  FakeLauncher launcher;
  EXPECT_FALSE(StartSysInfo(store, launcher));
  EXPECT_EQ(store.asked, (std::vector<std::string>{kToolKey, kFolderKey}));
  store.values[kToolKey] = "/usr/bin/tool";
  launcher.startWorks = false;
  EXPECT_FALSE(StartSysInfo(store, launcher));
}

struct About {
  About() { box.Form_Load(); }
  testing::RecordingMessages messages;
  FakeStore store;
  FakeLauncher launcher;
  int unloads = 0;
  FrmAbout box{nullptr, messages, store, launcher, [this] { ++unloads; }};
};

TEST(FrmAbout, LoadShowsTheProgram) {
  About a;
  EXPECT_EQ(a.box.windowTitle(), "Info zu Strevo");
  EXPECT_EQ(a.box.Label("lblTitle")->text(), "Strevo");
  EXPECT_EQ(a.box.Label("lblVersion")->text(), QStringLiteral("Version %1.%2.%3")
                                                   .arg(STREVO_VERSION_MAJOR)
                                                   .arg(STREVO_VERSION_MINOR)
                                                   .arg(STREVO_VERSION_PATCH));
  EXPECT_EQ(a.box.Label("lblDescription")->text(),
            QString::fromUtf8(
                "Statik Programm für Geknickte Träger, Zweigelenkstrevo und Eingespannte Strevo"));
  const QStringList disclaimer = a.box.Label("lblDisclaimer")->text().split('\n');
  ASSERT_EQ(disclaimer.size(), 3);
  EXPECT_EQ(disclaimer[1], "Werfen Sie einen Blick auf meine Homepage");
  EXPECT_TRUE(disclaimer[2].startsWith("https://"));
  EXPECT_EQ(a.box.Label("picIcon")->pixmap().size(), QSize(97, 100));
  EXPECT_EQ(a.box.size(), QSize(382, 237));
  EXPECT_EQ(a.box.cmdOK()->geometry(), QRect(283, 175, 84, 23));
  EXPECT_EQ(a.box.cmdSysInfo()->text(), "&Systeminfo...");
  EXPECT_TRUE(a.box.cmdOK()->isDefault());
  const Qt::WindowFlags flags = a.box.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST(FrmAbout, OkAndEscUnload) {
  About a;
  a.box.show();
  QTest::mouseClick(a.box.cmdOK(), Qt::LeftButton);
  EXPECT_EQ(a.unloads, 1);
  EXPECT_FALSE(a.box.isVisible());
  a.box.show();
  QTest::keyClick(&a.box, Qt::Key_Escape);
  EXPECT_EQ(a.unloads, 2);
}

TEST(FrmAbout, SystemInformationNotAvailable) {
  About a;
  QTest::mouseClick(a.box.cmdSysInfo(), Qt::LeftButton);
  ASSERT_EQ(a.messages.shown.size(), 1u);
  EXPECT_EQ(a.messages.shown[0].text,
            QString::fromUtf8("Systeminformationen sind momentan nicht verfügbar"));
  EXPECT_EQ(a.messages.shown[0].title, "Strevo");
  EXPECT_EQ(a.messages.shown[0].icon, MessageIcon::None);
  EXPECT_EQ(a.messages.shown[0].buttons, MessageButtons::Ok);

  a.store.values[kToolKey] = "/usr/bin/tool";
  a.box.cmdSysInfo_Click();
  EXPECT_EQ(a.launcher.started, std::vector<std::string>{"/usr/bin/tool"});
  EXPECT_EQ(a.messages.shown.size(), 1u);
}

TEST(FrmSplash, ShowsTheProgramAndGivesWayOnAKey) {
  int mainShown = 0;
  QPointer<FrmSplash> splash = new FrmSplash([&] { ++mainShown; });
  splash->Form_Load();
  EXPECT_EQ(splash->Frame1()->toolTip(), "Klicken Sie einfach weiter!");
  EXPECT_EQ(splash->Label("lblProductName")->text(), "Strevo");
  EXPECT_EQ(splash->Label("lblPlatform")->text(), "Plattform");
  EXPECT_TRUE(splash->Label("lblVersion")->text().startsWith("Version "));
  EXPECT_TRUE(splash->Label("lblWarning")
                  ->text()
                  .startsWith(" Werfen Sie einen Blick auf meine Homepage!"));
  EXPECT_EQ(splash->Label("imgLogo")->pixmap().size(), QSize(194, 200));
  EXPECT_EQ(splash->size(), QSize(492, 283));
  EXPECT_TRUE(splash->Label("lblVersion")->font().family().contains("Arial") ||
              splash->Label("lblVersion")->font().styleHint() == QFont::SansSerif);
  splash->show();
  QTest::keyClick(splash.data(), Qt::Key_A);
  EXPECT_EQ(mainShown, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull()) << "unloaded";
}

TEST(FrmSplash, AClickOnTheFrameGivesWay) {
  int mainShown = 0;
  QPointer<FrmSplash> splash = new FrmSplash([&] { ++mainShown; });
  splash->Form_Load();
  splash->show();
  EXPECT_TRUE(splash->Label("lblProductName")->testAttribute(Qt::WA_TransparentForMouseEvents))
      << "a click on a label reaches the frame";
  QTest::mouseClick(splash->Frame1(), Qt::LeftButton);
  EXPECT_EQ(mainShown, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST(ProgramPicture, IsDrawn) {
  const QImage picture = ProgramPicture(kAboutPictureSize);
  EXPECT_EQ(picture.size(), QSize(97, 100));
  int dark = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      dark += qGray(picture.pixel(x, y)) < 60 && qAlpha(picture.pixel(x, y)) > 200 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 300) << "the frame's members";
}

}  // namespace
}  // namespace strevo
