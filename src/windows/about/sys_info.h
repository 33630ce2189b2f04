// Finding and starting the platform's system-information tool, behind two small interfaces.
#pragma once

#include <optional>
#include <string>

namespace strevo {

// Named values under keys, as the Windows registry keeps them.
class KeyValueStore {
 public:
  virtual ~KeyValueStore() = default;
  // The value's text, or nothing when the key or the value cannot be read.
  virtual std::optional<std::string> GetKeyValue(const std::string& keyPath,
                                                 const std::string& valueName) = 0;
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // Starts the program detached, as a normal window with the focus; false when it fails.
  virtual bool Start(const std::string& path) = 0;
};

// The lookup chain: the tool's own key, else the shared tools' folder with MSINFO32.EXE when
// that file exists. False when nothing was found or starting failed.
bool StartSysInfo(KeyValueStore& store, ProgramLauncher& launcher);

// This platform's store: the Windows registry (local machine); elsewhere a well-known
// system-information program found on the PATH answers for the tool's own key.
class PlatformKeyValueStore : public KeyValueStore {
 public:
  std::optional<std::string> GetKeyValue(const std::string& keyPath,
                                         const std::string& valueName) override;
};

class DetachedLauncher : public ProgramLauncher {
 public:
  bool FileExists(const std::string& path) override;
  bool Start(const std::string& path) override;
};

}  // namespace strevo
