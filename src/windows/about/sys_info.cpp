#include "windows/about/sys_info.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace strevo {

bool StartSysInfo(KeyValueStore& store, ProgramLauncher& launcher) {
  std::optional<std::string> path =
      store.GetKeyValue(R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)", "PATH");
  if (!path) {
    const std::optional<std::string> folder =
        store.GetKeyValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
    if (!folder) {
      return false;
    }
    path = *folder + "\\MSINFO32.EXE";
    if (!launcher.FileExists(*path)) {
      return false;
    }
  }
  return launcher.Start(*path);
}

#ifndef _WIN32
std::optional<std::string> PlatformKeyValueStore::GetKeyValue(const std::string& keyPath,
                                                              const std::string& valueName) {
  if (keyPath != R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)" || valueName != "PATH") {
    return std::nullopt;
  }
  for (const char* name : {"gnome-system-monitor", "plasma-systemmonitor", "kinfocenter",
                           "ksysguard", "hardinfo", "xfce4-taskmanager", "lxtask"}) {
    const QString found = QStandardPaths::findExecutable(QString::fromUtf8(name));
    if (!found.isEmpty()) {
      return QFile::encodeName(found).toStdString();
    }
  }
  return std::nullopt;
}
#endif

bool DetachedLauncher::FileExists(const std::string& path) {
  return QFileInfo::exists(QFile::decodeName(path.c_str()));
}

bool DetachedLauncher::Start(const std::string& path) {
  return QProcess::startDetached(QFile::decodeName(path.c_str()), {});
}

}  // namespace strevo
