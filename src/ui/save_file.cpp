#include "save_file.h"

#include <QDir>
#include <QSaveFile>
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

void SaveFile(const QString& path, const std::function<void(QIODevice&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    Fail(path, file.errorString());
  }
  write(file);
  if (file.error() != QFileDevice::NoError) {
    const QString reason = file.errorString();
    file.cancelWriting();
    Fail(path, reason);
  }
  if (!file.commit()) {
    Fail(path, file.errorString());
  }
}

}  // namespace strevo
