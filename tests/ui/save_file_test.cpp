// Saving writes a file whole or not at all and never harms another file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <stdexcept>

#include <gtest/gtest.h>

#include "save_file.h"

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

}  // namespace
}  // namespace strevo
