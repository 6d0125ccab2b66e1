#include "platform/hostfiles/replace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::hostfiles {
namespace {

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool replaceFile(const std::filesystem::path& file, std::string_view content) {
  std::error_code ec;
  std::filesystem::path target = file;
  if (std::filesystem::is_symlink(target, ec)) {
    target = std::filesystem::canonical(file, ec);
    if (ec) return false;
  }
  // Keep the old file's permissions; a new file gets the usual ones.
  mode_t mode = 0666;
  struct stat old {};
  bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed) {
    if (!S_ISREG(old.st_mode)) return false;
    mode = old.st_mode & 07777;
  }

  std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
  if (ok && existed) ok = ::fchmod(fd, mode) == 0;
  if (ok && !existed) {
    // mkstemp makes the file private; give it the mode a plain create would.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ok = ::fchmod(fd, mode & ~mask) == 0;
  }
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace platform::hostfiles
