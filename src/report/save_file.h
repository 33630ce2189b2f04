// Writes a file whole or not at all, and never harms another file: through a uniquely named
// temporary file in the same folder, keeping the permissions of the file it replaces, and
// writing to the target of a symbolic link.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace strevo {

// `write` fills the device; a failure anywhere throws std::runtime_error with a German text
// that names the file, and an existing file keeps its old contents.
void SaveFile(const QString& path, const std::function<void(QIODevice&)>& write);

// Writes all of `data` to the device or throws as SaveFile does, naming `path`.
void WriteAll(QIODevice& device, const QByteArray& data, const QString& path);

// Why a write failed, in German, from the system's error number; `fallback` (or a plain
// "Schreibfehler") where the number says nothing more.
QString WriteFailureReason(int error, const QString& fallback);

}  // namespace strevo
