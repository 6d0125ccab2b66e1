#pragma once
// Drive C: of a fuzzer process: a fresh folder, in memory where the host
// offers /dev/shm (tables are written and flushed for every input), the
// process standing at its root. Removed when the process exits.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/dos/drive_table.h"

namespace zelk_fuzz {

inline std::filesystem::path& scratchRoot() {
  static std::filesystem::path root;
  return root;
}

inline void removeScratchDrive() {
  std::error_code ec;
  std::filesystem::remove_all(scratchRoot(), ec);
}

inline void mapScratchDrive() {
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string pattern = (base / "zelk-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  scratchRoot() = pattern;
  std::atexit(removeScratchDrive);
  ::setenv("ZELK_DRIVE_C", pattern.c_str(), 1);
  platform::dos::reloadDriveTable();
  std::filesystem::current_path(pattern);
}

// Files below the drive's root, by host name.
inline void writeFile(const std::string& below, const std::string& bytes) {
  std::ofstream(scratchRoot() / below, std::ios::binary | std::ios::trunc) << bytes;
}
inline std::string readFile(const std::string& below) {
  std::ifstream in(scratchRoot() / below, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace zelk_fuzz
