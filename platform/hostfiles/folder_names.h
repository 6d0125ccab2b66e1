#pragma once
// Names in a folder found the way Windows finds them: without regard to
// case. The names are single-byte (Windows-1252) texts; the host spells
// them in UTF-8.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace platform::hostfiles {

// The host path of a bare name in folder. The exact spelling wins when it
// exists; otherwise an entry whose name differs only in case is taken;
// otherwise the exact spelling is returned (so a file about to be created
// gets the caller's spelling). A name holding '/' is used as it stands.
std::filesystem::path resolveInFolder(const std::filesystem::path& folder,
                                      std::string_view ansiName);

// The size of a regular file, or nothing for a missing file, a folder or
// anything else that is not a readable regular file.
std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& file);

}  // namespace platform::hostfiles
