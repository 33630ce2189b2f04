// Writes a file whole or not at all, and never harms another file: through a uniquely named
// temporary file in the same folder, keeping the permissions of the file it replaces, and
// writing to the target of a symbolic link. Only a regular file is written: a folder, a named
// pipe, a device or a socket of the name is refused before anything is written.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace strevo {

// `write` fills the device; a failure anywhere throws std::runtime_error with a German text
// that names the file, and an existing file keeps its old contents. `path` as the system spells
// it, bytes that need not be UTF-8 (a name from the command line); the QString form is for names
// from a dialog, which always convert.
void SaveFile(const QByteArray& path, const std::function<void(QIODevice&)>& write);
void SaveFile(const QString& path, const std::function<void(QIODevice&)>& write);

// Throws as SaveFile would, before anything is computed or written, where `path` cannot take
// the output: no regular file, or `input` itself (the same file by device and inode, whatever
// either is called, through links as well). An empty `input` is not compared.
void CheckSaveTarget(const QByteArray& path, const QByteArray& input);

// Writes all of `data` to the device or throws as SaveFile does, naming `path`.
void WriteAll(QIODevice& device, const QByteArray& data, const QString& path);

// Why a write failed, in German, from the system's error number; a plain "Schreibfehler" with
// the number where there is no German text for it, and without one for 0.
QString WriteFailureReason(int error);

}  // namespace strevo
