#include "platform/files/file_services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/dos/dos_path.h"
#include "platform/files/wildcard.h"
#include "platform/text/cp1252.h"

namespace fs = std::filesystem;

namespace platform::files {
namespace {

struct Pattern {
  fs::path folder;      // host folder to search
  std::string dosFolder;
  std::string name;     // last name, may hold wildcards
};

std::optional<Pattern> splitPattern(std::string_view dosPattern) {
  auto abs = dos::absolute(dosPattern);
  if (!abs || abs->parts.empty()) return std::nullopt;
  Pattern p;
  p.name = abs->parts.back();
  abs->parts.pop_back();
  p.dosFolder = abs->str();
  auto host = dos::toHost(p.dosFolder);
  if (!host) return std::nullopt;
  p.folder = *host;
  return p;
}

std::string joinDos(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

int openFlags(Access a) {
  switch (a) {
    case Access::Read: return O_RDONLY;
    case Access::Write: return O_WRONLY;
    case Access::ReadWrite: return O_RDWR;
  }
  return O_RDONLY;
}

}  // namespace

bool exists(std::string_view dosPattern) {
  auto [folder, name] = dos::splitLast(dosPattern);
  if (!hasWildcards(name)) {
    auto host = dos::toHost(dosPattern);
    std::error_code ec;
    return host && fs::exists(*host, ec);
  }
  return !find(dosPattern).empty();
}

std::vector<DirEntry> find(std::string_view dosPattern) {
  std::vector<DirEntry> out;
  auto p = splitPattern(dosPattern);
  if (!p) return out;
  std::error_code ec;
  fs::directory_iterator it(p->folder, ec), end;
  if (ec) return out;
  for (; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = text::utf8ToCp1252(it->path().filename().string());
    if (!wildcardMatch(p->name, name)) continue;
    struct stat st {};
    if (::stat(it->path().c_str(), &st) != 0) continue;
    DirEntry e;
    e.name = name;
    e.dosPath = joinDos(p->dosFolder, name);
    e.folder = S_ISDIR(st.st_mode);
    e.size = e.folder ? 0 : static_cast<std::uint64_t>(st.st_size);
    e.modified = st.st_mtime;
    out.push_back(std::move(e));
  }
  std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
    return text::upperCp1252(a.name) < text::upperCp1252(b.name);
  });
  return out;
}

File::File(File&& o) noexcept : fd_(o.fd_), error_(o.error_) { o.fd_ = -1; }
File& File::operator=(File&& o) noexcept {
  if (this != &o) {
    close();
    fd_ = o.fd_;
    error_ = o.error_;
    o.fd_ = -1;
  }
  return *this;
}
File::~File() { close(); }

File File::create(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return File(-1, ENOENT);
  int fd = ::open(host->c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return File(fd, fd < 0 ? errno : 0);
}

File File::createNew(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return File(-1, ENOENT);
  int fd = ::open(host->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  return File(fd, fd < 0 ? errno : 0);
}

File File::open(std::string_view dosPath, Access access) {
  auto host = dos::toHost(dosPath);
  if (!host) return File(-1, ENOENT);
  int fd = ::open(host->c_str(), openFlags(access) | O_CLOEXEC);
  return File(fd, fd < 0 ? errno : 0);
}

long File::read(char* buffer, long count) {
  if (fd_ < 0) return -1;
  long total = 0;
  while (total < count) {
    ssize_t n = ::read(fd_, buffer + total, static_cast<size_t>(count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) { error_ = errno; return -1; }
    if (n == 0) break;
    total += n;
  }
  return total;
}

long File::write(std::string_view bytes) {
  if (fd_ < 0) return -1;
  std::size_t total = 0;
  while (total < bytes.size()) {
    ssize_t n = ::write(fd_, bytes.data() + total, bytes.size() - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) { error_ = errno; return -1; }
    total += static_cast<std::size_t>(n);
  }
  return static_cast<long>(total);
}

long long File::seek(long long offset, int origin) {
  if (fd_ < 0) return -1;
  int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
  off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (r < 0) error_ = errno;
  return r;
}

bool File::flush() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) { error_ = errno; return false; }
  return true;
}

bool File::close() {
  if (fd_ < 0) return false;
  int r = ::close(fd_);
  fd_ = -1;
  if (r != 0) { error_ = errno; return false; }
  return true;
}

std::optional<std::string> readWhole(std::string_view dosPath) {
  File f = File::open(dosPath);
  if (!f.isOpen()) return std::nullopt;
  std::string out;
  char buf[65536];
  for (;;) {
    long n = f.read(buf, sizeof buf);
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  return out;
}

int writeWhole(std::string_view dosPath, std::string_view bytes) {
  File f = File::create(dosPath);
  if (!f.isOpen()) return f.lastError();
  if (f.write(bytes) < 0) return f.lastError();
  if (!f.close()) return f.lastError();
  return 0;
}

int erase(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return ENOENT;
  return ::unlink(host->c_str()) == 0 ? 0 : errno;
}

int renameFile(std::string_view fromDos, std::string_view toDos) {
  auto from = dos::toHost(fromDos);
  auto to = dos::toHost(toDos);
  if (!from || !to) return ENOENT;
  return ::rename(from->c_str(), to->c_str()) == 0 ? 0 : errno;
}

int copyFile(std::string_view fromDos, std::string_view toDos) {
  auto from = dos::toHost(fromDos);
  auto to = dos::toHost(toDos);
  if (!from || !to) return ENOENT;
  std::error_code ec;
  fs::copy_file(*from, *to, fs::copy_options::overwrite_existing, ec);
  return ec ? (ec.value() ? ec.value() : EIO) : 0;
}

int flushFolder(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return ENOENT;
  int fd = ::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int r = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return r;
}

int makeFolder(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return ENOENT;
  return ::mkdir(host->c_str(), 0777) == 0 ? 0 : errno;
}

std::optional<std::time_t> modificationTime(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return std::nullopt;
  struct stat st {};
  if (::stat(host->c_str(), &st) != 0) return std::nullopt;
  return st.st_mtime;
}

std::optional<FileIdentity> identity(std::string_view dosPath) {
  auto host = dos::toHost(dosPath);
  if (!host) return std::nullopt;
  struct stat st {};
  if (::stat(host->c_str(), &st) != 0) return std::nullopt;
  FileIdentity id;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  id.size = static_cast<std::uint64_t>(st.st_size);
  id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return id;
}

}  // namespace platform::files
