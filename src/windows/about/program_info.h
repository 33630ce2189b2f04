// The program's identity, shown by the About box and the splash window.
#pragma once

#include <QString>

namespace strevo {

struct ProgramInfo {
  QString title;
  int major, minor, revision;  // from the build's project version
  QString author;
  QString homepage;
};

inline ProgramInfo Program() {
  return {QStringLiteral("Strevo"),
          STREVO_VERSION_MAJOR,
          STREVO_VERSION_MINOR,
          STREVO_VERSION_PATCH,
          QStringLiteral("Das Strevo-Projekt"),
          QStringLiteral("https://strevo.invalid/")};
}

inline QString VersionText(const ProgramInfo& info) {
  return QStringLiteral("Version %1.%2.%3").arg(info.major).arg(info.minor).arg(info.revision);
}

}  // namespace strevo
