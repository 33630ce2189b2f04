// Saving writes a file whole or not at all and never harms another file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "report/save_file.h"

namespace strevo {
namespace {

class SaveFileTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  static void Write(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  static void Save(const QString& path, const QByteArray& contents) {
    SaveFile(path, [&](QIODevice& device) { device.write(contents); });
  }
  QTemporaryDir dir;
};

TEST_F(SaveFileTest, AWriterThatFailsKeepsTheOldFileAndLeavesNothingBehind) {
  Write(Path("a.csv"), "alt");
  EXPECT_THROW(SaveFile(Path("a.csv"),
                        [](QIODevice& device) {
                          device.write("halb");
                          throw std::runtime_error("Platte voll");
                        }),
               std::runtime_error);
  EXPECT_EQ(Read(Path("a.csv")), "alt");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.csv"});
}

TEST_F(SaveFileTest, AnUnrelatedFileNamedLikeATemporaryOneStays) {
  Write(Path("a.csv.tmp"), "fremd");
  Save(Path("a.csv"), "neu");
  EXPECT_EQ(Read(Path("a.csv")), "neu");
  EXPECT_EQ(Read(Path("a.csv.tmp")), "fremd");
}

TEST_F(SaveFileTest, ASymbolicLinkStaysALinkAndItsTargetIsWritten) {
  Write(Path("ziel.csv"), "alt");
  ASSERT_TRUE(QFile::link(Path("ziel.csv"), Path("link.csv")));
  Save(Path("link.csv"), "neu");
  EXPECT_TRUE(QFileInfo(Path("link.csv")).isSymLink());
  EXPECT_EQ(Read(Path("ziel.csv")), "neu");
}

TEST_F(SaveFileTest, TheReplacedFileKeepsItsPermissions) {
  Write(Path("privat.csv"), "alt");
  const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
  ASSERT_TRUE(QFile::setPermissions(Path("privat.csv"), ownerOnly));
  Save(Path("privat.csv"), "neu");
  EXPECT_EQ(Read(Path("privat.csv")), "neu");
  const QFileDevice::Permissions ownerGroupOther(0x7077);  // the "user" bits repeat the owner's
  EXPECT_EQ(QFile::permissions(Path("privat.csv")) & ownerGroupOther, ownerOnly);
}

TEST_F(SaveFileTest, AFolderThatDoesNotExistIsNamedInTheMessage) {
  const QString path = Path("fehlt/a.csv");
  try {
    Save(path, "neu");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_TRUE(QString::fromStdString(error.what())
                    .startsWith(QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden")
                                    .arg(QDir::toNativeSeparators(path))))
        << error.what();
  }
}

std::string MessageOf(const std::function<void()>& save) {
  try {
    save();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

// A named pipe and a folder are refused before anything is written, and stay what they are.
TEST_F(SaveFileTest, OnlyARegularFileIsWritten) {
  const QByteArray fifo = QFile::encodeName(Path("rohr.pdf"));
  ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
  EXPECT_EQ(MessageOf([&] { Save(Path("rohr.pdf"), "neu"); }),
            "Die Datei „" + Path("rohr.pdf").toStdString() +
                "“ konnte nicht gespeichert werden (der Name gehört einer benannten Pipe). Eine "
                "vorhandene Datei bleibt unverändert.");
  struct stat status {};
  ASSERT_EQ(stat(fifo.constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));

  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ordner.pdf")));
  EXPECT_NE(MessageOf([&] {
              Save(Path("ordner.pdf"), "neu");
            }).find("konnte nicht gespeichert werden (der Name gehört einem Ordner)"),
            std::string::npos);
  // Through a link as well; the link stays.
  ASSERT_TRUE(QFile::link(Path("rohr.pdf"), Path("link.pdf")));
  EXPECT_NE(MessageOf([&] { Save(Path("link.pdf"), "neu"); }).find("einer benannten Pipe"),
            std::string::npos);
  EXPECT_TRUE(QFileInfo(Path("link.pdf")).isSymLink());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            (QStringList{"link.pdf", "rohr.pdf"}))
      << "no temporary file";
}

// Both names of a hard-linked file show the new contents: it is written in place.
TEST_F(SaveFileTest, AHardLinkedFileKeepsItsLink) {
  Write(Path("a.csv"), "alte, längere Fassung");
  const QByteArray a = QFile::encodeName(Path("a.csv")), b = QFile::encodeName(Path("b.csv"));
  ASSERT_EQ(link(a.constData(), b.constData()), 0);
  Save(Path("b.csv"), "neu");
  EXPECT_EQ(Read(Path("a.csv")), "neu");
  EXPECT_EQ(Read(Path("b.csv")), "neu");
  struct stat status {};
  ASSERT_EQ(stat(a.constData(), &status), 0);
  EXPECT_EQ(status.st_nlink, 2u);
}

// A name that is no UTF-8 is written as the bytes it is; the message shows what it can of it.
TEST_F(SaveFileTest, ANameIsWrittenAsItsBytes) {
  const QByteArray name = QFile::encodeName(dir.path()) + "/o\xff.pdf";
  SaveFile(name, [](QIODevice& device) { device.write("neu"); });
  QFile written;
  const int fd = open(name.constData(), O_RDONLY);
  ASSERT_GE(fd, 0) << "the very name";
  ASSERT_TRUE(written.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
  EXPECT_EQ(written.readAll(), "neu");
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("o\uFFFD.pdf")))) << "no other name";
  EXPECT_NE(
      MessageOf([&] { SaveFile(name + "/x", [](QIODevice& device) { device.write("neu"); }); })
          .find("/o\xEF\xBF\xBD.pdf/x“ konnte nicht gespeichert werden (ein Teil des Pfades "
                "ist kein Ordner)"),
      std::string::npos);
}

// The output is refused where it would replace the input, by whatever name it reaches it.
TEST_F(SaveFileTest, TheInputIsRefusedAsTarget) {
  Write(Path("h.strevo"), "Eingabe");
  ASSERT_TRUE(QFile::link(Path("h.strevo"), Path("s.pdf")));
  const QByteArray input = QFile::encodeName(Path("h.strevo"));
  for (const QByteArray& path :
       {input, QFile::encodeName(dir.path() + "/./h.strevo"), QFile::encodeName(Path("s.pdf"))}) {
    EXPECT_EQ(MessageOf([&] { CheckSaveTarget(path, input); }),
              "Die Datei „" + path.toStdString() +
                  "“ konnte nicht gespeichert werden (sie ist die gelesene Datei „" +
                  input.toStdString() + "“). Eine vorhandene Datei bleibt unverändert.");
  }
  EXPECT_NO_THROW(CheckSaveTarget(QFile::encodeName(Path("neu.pdf")), input));
  Write(Path("alt.pdf"), "alt");
  EXPECT_NO_THROW(CheckSaveTarget(QFile::encodeName(Path("alt.pdf")), input));
  EXPECT_EQ(Read(Path("h.strevo")), "Eingabe");
}

// A device that takes only the first few bytes of a write, as a disk filling up does.
class ShortDevice : public QIODevice {
 public:
  ShortDevice() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64 size) override { return size > 3 ? 3 : size; }
};

TEST(WriteAll, AShortWriteIsAFailureThatNamesTheFile) {
  ShortDevice device;
  EXPECT_NO_THROW(WriteAll(device, "abc", "a.csv"));
  try {
    WriteAll(device, "abcdef", "a.csv");
    ADD_FAILURE() << "a short write passed";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(QString::fromStdString(error.what()),
              "Die Datei „a.csv“ konnte nicht gespeichert werden (Schreibfehler). Eine "
              "vorhandene Datei bleibt unverändert.");
  }
}

// The system's usual reasons in German, none in the system's English.
TEST(WriteFailureReason, SaysTheUsualReasonsInGerman) {
  const std::pair<int, const char*> reasons[] = {
      {ENOSPC, "der Datenträger ist voll"},
      {EACCES, "keine Schreibberechtigung"},
      {EROFS, "der Datenträger ist schreibgeschützt"},
      {EISDIR, "der Name gehört einem Ordner"},
      {ENAMETOOLONG, "der Name ist zu lang"},
      {ENOTDIR, "ein Teil des Pfades ist kein Ordner"},
      {ELOOP, "zu viele symbolische Verknüpfungen im Pfad"},
      {ETXTBSY, "die Datei ist ein laufendes Programm"},
      {0, "Schreibfehler"},
      {EXDEV, "Schreibfehler, Fehlernummer 18 des Systems"}};
  for (const auto& [error, reason] : reasons) {
    EXPECT_EQ(WriteFailureReason(error), QString::fromUtf8(reason)) << error;
  }
}

// A real file system that fills up: a 64 KiB tmpfs, which only root may mount.
class FullDiskTest : public SaveFileTest {
 protected:
  void SetUp() override {
    if (geteuid() != 0) {
      GTEST_SKIP() << "a tmpfs can only be mounted as root; the full-disk cases are not run";
    }
    mountPoint = dir.path().toLocal8Bit();
    if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "no tmpfs here (" << std::strerror(errno) << "); full-disk cases not run";
    }
    mounted = true;
  }
  void TearDown() override {
    if (mounted) {
      umount(mountPoint.constData());
    }
  }
  // Fills the disk, then frees `freeBytes` of it again.
  void Fill(qint64 freeBytes) {
    QFile fill(Path("fill"));
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (fill.write(block) == block.size()) {
    }
    fill.close();
    ASSERT_TRUE(fill.resize(std::max<qint64>(0, fill.size() - freeBytes)));
  }
  void ExpectDiskFull(const QString& name, const QByteArray& contents) {
    try {
      Save(Path(name), contents);
      ADD_FAILURE() << name.toStdString() << ": saved on a full disk";
    } catch (const std::runtime_error& error) {
      EXPECT_TRUE(QString::fromStdString(error.what()).contains("der Datenträger ist voll"))
          << error.what();
    }
  }
  QByteArray mountPoint;
  bool mounted = false;
};

TEST_F(FullDiskTest, ASaveThatDoesNotFitFailsAndKeepsTheOldFile) {
  Write(Path("a.csv"), "alt");
  Fill(0);
  ExpectDiskFull("a.csv", "neu");  // small: it would sit in the write buffer until the commit
  EXPECT_EQ(Read(Path("a.csv")), "alt");
  ExpectDiskFull("b.csv", "neu");
  EXPECT_FALSE(QFile::exists(Path("b.csv")));

  Fill(24 * 1024);  // room for part of a report
  ExpectDiskFull("a.csv", QByteArray(40 * 1024, 'p'));
  EXPECT_EQ(Read(Path("a.csv")), "alt");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.csv", "fill"}))
      << "no temporary file left behind";
}

// Written in place, a hard-linked file takes the room first: it is still whole when there is
// none.
TEST_F(FullDiskTest, AHardLinkedFileThatDoesNotFitKeepsItsContents) {
  Write(Path("a.csv"), "alt");
  ASSERT_EQ(link(QFile::encodeName(Path("a.csv")).constData(),
                 QFile::encodeName(Path("b.csv")).constData()),
            0);
  Fill(8 * 1024);
  ExpectDiskFull("a.csv", QByteArray(40 * 1024, 'p'));
  EXPECT_EQ(Read(Path("a.csv")), "alt");
  EXPECT_EQ(Read(Path("b.csv")), "alt");
}

}  // namespace
}  // namespace strevo
