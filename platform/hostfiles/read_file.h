#pragma once
// Reading a whole file into memory.
#include <filesystem>
#include <optional>
#include <string>

namespace platform::hostfiles {

// The content of a regular file; nothing when it is missing, not a regular
// file (a folder, a device) or cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

}  // namespace platform::hostfiles
