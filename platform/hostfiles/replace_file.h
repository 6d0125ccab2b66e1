#pragma once
// Writing a whole file so that a crash or a full disk never leaves it half
// written: the new content goes to a new file beside it, is flushed to the
// device and then renamed over the old one.
#include <filesystem>
#include <string_view>

namespace platform::hostfiles {

// Replaces (or creates) the file with content. Returns true on success; on
// failure the old file is untouched and no temporary file is left behind.
// A symbolic link is followed, so the file it names is the one replaced.
bool replaceFile(const std::filesystem::path& file, std::string_view content);

}  // namespace platform::hostfiles
