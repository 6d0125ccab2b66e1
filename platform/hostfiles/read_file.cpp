#include "platform/hostfiles/read_file.h"

#include <sys/stat.h>

#include <cstdio>

namespace platform::hostfiles {

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return std::nullopt;
  struct stat info {};
  bool ok = ::fstat(::fileno(f), &info) == 0 && S_ISREG(info.st_mode);
  std::string data;
  char buffer[65536];
  std::size_t n;
  while (ok && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  if (std::ferror(f)) ok = false;
  std::fclose(f);
  if (!ok) return std::nullopt;
  return data;
}

}  // namespace platform::hostfiles
