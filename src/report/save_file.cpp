#include "report/save_file.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <cerrno>
#include <stdexcept>

namespace strevo {
namespace {

[[noreturn]] void Fail(const QString& path, const QString& reason) {
  throw std::runtime_error(
      QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden (%2). Eine vorhandene "
                     "Datei bleibt unverändert.")
          .arg(QDir::toNativeSeparators(path), reason)
          .toStdString());
}

}  // namespace

QString WriteFailureReason(int error, const QString& fallback) {
  switch (error) {
    case ENOSPC:
      return QStringLiteral("der Datenträger ist voll");
    case EDQUOT:
      return QStringLiteral("das Speicherkontingent ist erschöpft");
    case EACCES:
    case EPERM:
      return QStringLiteral("keine Schreibberechtigung");
    case EROFS:
      return QStringLiteral("der Datenträger ist schreibgeschützt");
    case ENOENT:
      return QStringLiteral("der Ordner existiert nicht");
    case EISDIR:
      return QStringLiteral("der Name gehört einem Ordner");
    case EIO:
      return QStringLiteral("Ein-/Ausgabefehler des Datenträgers");
    case EFBIG:
      return QStringLiteral("die Datei wird zu groß");
    default:
      break;
  }
  return fallback.isEmpty() ? QStringLiteral("Schreibfehler") : fallback;
}

void WriteAll(QIODevice& device, const QByteArray& data, const QString& path) {
  errno = 0;
  const qint64 written = device.write(data);
  if (written != data.size()) {
    Fail(path, WriteFailureReason(errno, written < 0 ? device.errorString() : QString()));
  }
}

void SaveFile(const QString& path, const std::function<void(QIODevice&)>& write) {
  // The whole contents first: a writer that fails leaves no file to clean up, and the file
  // then gets one write whose byte count and flush can be checked.
  QBuffer contents;
  contents.open(QIODevice::WriteOnly);
  write(contents);
  // Leaving without commit() discards the temporary file, also when Fail throws.
  QSaveFile file(path);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) {
    Fail(path, WriteFailureReason(errno, file.errorString()));
  }
  WriteAll(file, contents.data(), path);
  // Small contents still sit in the file's buffer, and commit() does not report a flush
  // that fails: flush here, where the failure is seen.
  errno = 0;
  if (!file.flush() || file.error() != QFileDevice::NoError) {
    Fail(path, WriteFailureReason(errno, QString()));
  }
  errno = 0;
  if (!file.commit()) {
    Fail(path, WriteFailureReason(errno, file.errorString()));
  }
}

}  // namespace strevo
