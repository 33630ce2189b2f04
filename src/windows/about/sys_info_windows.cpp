// The registry side of the system-information lookup; built only on Windows.
#include <windows.h>

#include <cstdio>

#include "windows/about/sys_info.h"

namespace strevo {

std::optional<std::string> PlatformKeyValueStore::GetKeyValue(const std::string& keyPath,
                                                              const std::string& valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  char buffer[1024] = {};
  DWORD size = sizeof buffer;
  DWORD type = 0;
  const LONG read = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::string text(buffer, size);
    if (!text.empty() && text.back() == '\0') {
      text.pop_back();
    }
    return text;
  }
  if (type == REG_DWORD) {
    // The bytes as hexadecimal digits, last byte first, read as one number.
    unsigned long value = 0;
    for (int i = 3; i >= 0; --i) {
      value = value * 256 + static_cast<unsigned char>(buffer[i]);
    }
    return std::to_string(value);
  }
  return std::nullopt;
}

}  // namespace strevo
