// Saving writes a file whole or not at all and never harms another file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <sys/mount.h>
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
  EXPECT_EQ(WriteFailureReason(ENOSPC, "No space left on device"), "der Datenträger ist voll");
  EXPECT_EQ(WriteFailureReason(0, "Unbekannt"), "Unbekannt");
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

}  // namespace
}  // namespace strevo
