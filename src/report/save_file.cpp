#include "report/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <climits>
#include <optional>
#include <random>
#include <stdexcept>
#include <utility>

namespace strevo {
namespace {

// The name as the message shows it; bytes that are no UTF-8 show as replacement characters.
QString Shown(const QByteArray& path) {
  return QDir::toNativeSeparators(QFile::decodeName(path));
}

// `untouched`: nothing of an existing file has been changed yet.
[[noreturn]] void Fail(const QString& shown, const QString& reason, bool untouched = true) {
  const QString after = untouched ? QStringLiteral("Eine vorhandene Datei bleibt unverändert.")
                                  : QStringLiteral("Die Datei ist womöglich unvollständig.");
  throw std::runtime_error(QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden (%2). %3")
                               .arg(shown, reason, after)
                               .toStdString());
}

[[noreturn]] void FailWith(const QString& shown, int error, bool untouched = true) {
  Fail(shown, WriteFailureReason(error), untouched);
}

// Why a file of this kind cannot take the output; empty for a regular file.
QString NotRegular(mode_t mode) {
  if (S_ISREG(mode)) {
    return {};
  }
  if (S_ISDIR(mode)) {
    return WriteFailureReason(EISDIR);
  }
  if (S_ISFIFO(mode)) {
    return QStringLiteral("der Name gehört einer benannten Pipe");
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return QStringLiteral("der Name gehört einem Gerät");
  }
  if (S_ISSOCK(mode)) {
    return QStringLiteral("der Name gehört einem Socket");
  }
  return QStringLiteral("der Name gehört keiner gewöhnlichen Datei");
}

// What is there under the name, links followed; none where nothing is yet.
std::optional<struct stat> StatusOf(const QByteArray& path, const QString& shown) {
  struct stat status {};
  if (stat(path.constData(), &status) == 0) {
    return status;
  }
  if (errno != ENOENT) {
    FailWith(shown, errno);
  }
  return std::nullopt;
}

// The file a name stands for: symbolic links followed to their end, also to a target that does
// not exist yet, so that a link stays a link and its target is written.
QByteArray Resolved(QByteArray path, const QString& shown) {
  for (int links = 0;; ++links) {
    struct stat status {};
    if (lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) {
      return path;
    }
    if (links == 40) {  // the system's own limit: a loop
      FailWith(shown, ELOOP);
    }
    QByteArray target(PATH_MAX, '\0');
    const ssize_t size = readlink(path.constData(), target.data(), target.size());
    if (size < 0 || size == target.size()) {
      FailWith(shown, size < 0 ? errno : ENAMETOOLONG);
    }
    target.truncate(size);
    if (!target.startsWith('/')) {
      target.prepend(path.left(path.lastIndexOf('/') + 1));
    }
    path = std::move(target);
  }
}

void WriteFully(int fd, const QByteArray& data, const QString& shown, bool untouched) {
  const char* next = data.constData();
  auto left = static_cast<std::size_t>(data.size());
  while (left > 0) {
    const ssize_t written = write(fd, next, left);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      FailWith(shown, written < 0 ? errno : ENOSPC, untouched);
    }
    next += written;
    left -= static_cast<std::size_t>(written);
  }
}

// A new file beside the target, removed again unless it took the target's name.
class TemporaryFile {
 public:
  TemporaryFile(const QByteArray& target, const QString& shown) {
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    std::mt19937_64 random(std::random_device{}());
    for (int attempt = 1; fd_ < 0; ++attempt) {
      // A short name of its own: one made from a long target's name could be too long.
      name_ = folder + ".strevo-" + QByteArray::number(static_cast<qulonglong>(random()), 36);
      // Read and write for all less the umask, as any new file.
      fd_ = open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
        FailWith(shown, errno);
      }
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) {
      close(fd_);
    }
    if (!renamed_) {
      unlink(name_.constData());
    }
  }

  int Descriptor() const { return fd_; }

  // Closed and renamed onto `target`.
  void Replace(const QByteArray& target, const QString& shown) {
    if (close(std::exchange(fd_, -1)) != 0 || rename(name_.constData(), target.constData()) != 0) {
      FailWith(shown, errno);
    }
    renamed_ = true;
  }

 private:
  QByteArray name_;
  int fd_ = -1;
  bool renamed_ = false;
};

void Replace(const QByteArray& target, const QByteArray& data,
             const std::optional<struct stat>& existing, const QString& shown) {
  TemporaryFile file(target, shown);
  if (existing && fchmod(file.Descriptor(), existing->st_mode & 0777) != 0) {
    FailWith(shown, errno);
  }
  WriteFully(file.Descriptor(), data, shown, true);
  // On the disk before the name moves: after a crash the name has the old contents or the new.
  if (fsync(file.Descriptor()) != 0) {
    FailWith(shown, errno);
  }
  file.Replace(target, shown);
}

// A file with further names (hard links) is written in place: a new file renamed onto this name
// would part it from the others, which would keep the old contents, and the link was made so
// that every name shows the same file. The room is taken first, so that a full disk is found
// before a byte changes; after that only a failing disk leaves the file half written.
void WriteInPlace(const QByteArray& target, const QByteArray& data, const QString& shown) {
  const int fd = open(target.constData(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    FailWith(shown, errno);
  }
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  if (!data.isEmpty()) {
    // A file system without reserving (EOPNOTSUPP) is written all the same.
    const int reserved = posix_fallocate(fd, 0, data.size());
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
      FailWith(shown, reserved);
    }
  }
  WriteFully(fd, data, shown, false);
  if (ftruncate(fd, data.size()) != 0 || fsync(fd) != 0) {
    FailWith(shown, errno, false);
  }
}

}  // namespace

QString WriteFailureReason(int error) {
  switch (error) {
    case 0:
      return QStringLiteral("Schreibfehler");
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
    case ENOTDIR:
      return QStringLiteral("ein Teil des Pfades ist kein Ordner");
    case ENAMETOOLONG:
      return QStringLiteral("der Name ist zu lang");
    case ELOOP:
      return QStringLiteral("zu viele symbolische Verknüpfungen im Pfad");
    case ETXTBSY:
      return QStringLiteral("die Datei ist ein laufendes Programm");
    case EBUSY:
      return QStringLiteral("die Datei ist belegt");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("zu viele offene Dateien");
    case EIO:
      return QStringLiteral("Ein-/Ausgabefehler des Datenträgers");
    case EFBIG:
      return QStringLiteral("die Datei wird zu groß");
    default:
      return QStringLiteral("Schreibfehler, Fehlernummer %1 des Systems").arg(error);
  }
}

void WriteAll(QIODevice& device, const QByteArray& data, const QString& path) {
  errno = 0;
  if (device.write(data) != data.size()) {
    FailWith(QDir::toNativeSeparators(path), errno);
  }
}

void CheckSaveTarget(const QByteArray& path, const QByteArray& input) {
  const QString shown = Shown(path);
  if (path.endsWith('/')) {
    FailWith(shown, EISDIR);
  }
  const std::optional<struct stat> target = StatusOf(path, shown);
  if (!target) {
    return;
  }
  if (const QString why = NotRegular(target->st_mode); !why.isEmpty()) {
    Fail(shown, why);
  }
  struct stat read {};
  if (!input.isEmpty() && stat(input.constData(), &read) == 0 && read.st_dev == target->st_dev &&
      read.st_ino == target->st_ino) {
    Fail(shown, QStringLiteral("sie ist die gelesene Datei „%1“").arg(Shown(input)));
  }
}

void SaveFile(const QByteArray& path, const std::function<void(QIODevice&)>& write) {
  // The whole contents first: a writer that fails leaves no file to clean up, and the file
  // then gets one write whose byte count can be checked.
  QBuffer contents;
  contents.open(QIODevice::WriteOnly);
  write(contents);
  const QString shown = Shown(path);
  CheckSaveTarget(path, {});
  const QByteArray target = Resolved(path, shown);
  const std::optional<struct stat> existing = StatusOf(target, shown);
  // The folder's permission would let a rename replace a file that is itself read-only.
  if (existing && access(target.constData(), W_OK) != 0) {
    FailWith(shown, errno);
  }
  if (existing && existing->st_nlink > 1) {
    WriteInPlace(target, contents.data(), shown);
  } else {
    Replace(target, contents.data(), existing, shown);
  }
}

void SaveFile(const QString& path, const std::function<void(QIODevice&)>& write) {
  SaveFile(QFile::encodeName(path), write);
}

}  // namespace strevo
