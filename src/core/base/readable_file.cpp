#include "core/base/readable_file.h"

#include <system_error>

namespace strevo {

std::optional<std::string> UnreadableFileProblem(const std::filesystem::path& file,
                                                 std::uintmax_t largest) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (!std::filesystem::exists(status)) {
    return std::nullopt;
  }
  const std::string quoted = "„" + file.string() + "“";
  if (!std::filesystem::is_regular_file(status)) {
    return quoted + " ist keine gewöhnliche Datei.";
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size > largest) {
    return "Die Datei " + quoted + " ist mit " + std::to_string(size) +
           " Bytes zu groß (höchstens " + std::to_string(largest) + " Bytes).";
  }
  return std::nullopt;
}

}  // namespace strevo
