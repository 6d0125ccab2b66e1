#include "host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace ziplib {
namespace {

HostFiles& self(voidpf p) { return *static_cast<HostFiles*>(p); }
FILE* file(voidpf stream) { return static_cast<FILE*>(stream); }

// minizip writes headers field by field: a large buffer keeps those to a
// few system calls.
constexpr std::size_t kWriteBuffer = 1u << 20;

}  // namespace

HostFiles::HostFiles() {
  functions_.zopen64_file = &HostFiles::open;
  functions_.zread_file = &HostFiles::read;
  functions_.zwrite_file = &HostFiles::write;
  functions_.ztell64_file = &HostFiles::tell;
  functions_.zseek64_file = &HostFiles::seek;
  functions_.zclose_file = &HostFiles::close;
  functions_.zerror_file = &HostFiles::testError;
  functions_.opaque = this;
}

voidpf HostFiles::open(voidpf p, const void* path, int mode) {
  HostFiles& s = self(p);
  const bool create = (mode & ZLIB_FILEFUNC_MODE_CREATE) != 0;
  const int fd = create ? ::open(static_cast<const char*>(path), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666)
                        : ::open(static_cast<const char*>(path), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    s.fail(errno);
    return nullptr;
  }
  struct stat st {};
  if (!create && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    s.fail(EINVAL);
    ::close(fd);
    return nullptr;
  }
  FILE* f = ::fdopen(fd, create ? "w+b" : "rb");
  if (!f) {
    s.fail(errno);
    ::close(fd);
    return nullptr;
  }
  if (create) std::setvbuf(f, nullptr, _IOFBF, kWriteBuffer);
  return f;
}

uLong HostFiles::read(voidpf p, voidpf stream, void* buf, uLong size) {
  const std::size_t n = std::fread(buf, 1, size, file(stream));
  if (n < size && std::ferror(file(stream))) self(p).fail(errno);
  return static_cast<uLong>(n);
}

uLong HostFiles::write(voidpf p, voidpf stream, const void* buf, uLong size) {
  const std::size_t n = std::fwrite(buf, 1, size, file(stream));
  if (n < size) self(p).fail(errno);
  return static_cast<uLong>(n);
}

ZPOS64_T HostFiles::tell(voidpf p, voidpf stream) {
  const off_t at = ::ftello(file(stream));
  if (at < 0) self(p).fail(errno);
  return static_cast<ZPOS64_T>(at);
}

long HostFiles::seek(voidpf p, voidpf stream, ZPOS64_T offset, int origin) {
  const int whence = origin == ZLIB_FILEFUNC_SEEK_CUR   ? SEEK_CUR
                     : origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END
                                                        : SEEK_SET;
  if (::fseeko(file(stream), static_cast<off_t>(offset), whence) == 0) return 0;
  self(p).fail(errno);
  return -1;
}

int HostFiles::close(voidpf p, voidpf stream) {
  if (std::fclose(file(stream)) == 0) return 0;
  self(p).fail(errno);
  return -1;
}

int HostFiles::testError(voidpf, voidpf stream) { return std::ferror(file(stream)); }

}  // namespace ziplib
