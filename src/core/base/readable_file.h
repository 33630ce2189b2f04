// What every reader of the program's files checks before it reads a byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace strevo {

inline constexpr std::uintmax_t kLargestProjectFile = std::uintmax_t{1024} * 1024;

// Why this file is not read at all: it is no regular file (a FIFO would block the reader, a
// device never end), or it is larger than `largest` bytes. A file that does not exist is left
// to the reader, which says it cannot open it.
std::optional<std::string> UnreadableFileProblem(const std::filesystem::path& file,
                                                 std::uintmax_t largest);

}  // namespace strevo
