#include "zip64_end.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "zip_bytes.h"

namespace ziplib {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEnd64Signature = 0x06064b50;
constexpr std::uint32_t kLocator64Signature = 0x07064b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kEnd64Size = 56;
constexpr std::size_t kLocatorSize = 20;
constexpr std::uint16_t kVersionZip64 = 45;

bool readAt(int fd, std::uint64_t at, char* buf, std::size_t n) {
  for (std::size_t done = 0; done < n;) {
    const ssize_t r = ::pread(fd, buf + done, n - done, static_cast<off_t>(at + done));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    done += static_cast<std::size_t>(r);
  }
  return true;
}

bool writeAt(int fd, std::uint64_t at, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t r = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(at + done));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    done += static_cast<std::size_t>(r);
  }
  return true;
}

}  // namespace

bool addZip64EndRecords(int fd, std::uint64_t entries) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size < kEndSize + kLocatorSize) return false;
  // minizip writes no comment: the end record closes the file, and a
  // locator, when there is one, comes just before it.
  char tail[kLocatorSize + kEndSize];
  if (!readAt(fd, size - sizeof tail, tail, sizeof tail)) return false;
  ByteReader locator(std::string_view(tail, kLocatorSize));
  if (locator.u32() == kLocator64Signature) return true;
  ByteReader end(std::string_view(tail + kLocatorSize, kEndSize));
  if (end.u32() != kEndSignature) return false;
  end.skip(8);  // disks and the counts
  const std::uint32_t cdSize = end.u32(), cdOffset = end.u32();
  if (cdSize == 0xFFFFFFFFu || cdOffset == 0xFFFFFFFFu) return false;
  const std::uint64_t end64At = size - kEndSize;

  std::string out;
  put32(out, kEnd64Signature);
  put64(out, kEnd64Size - 12);  // the size of the rest of the record
  put16(out, kVersionZip64);
  put16(out, kVersionZip64);
  put32(out, 0);  // this disk
  put32(out, 0);  // the central directory's disk
  put64(out, entries);
  put64(out, entries);
  put64(out, cdSize);
  put64(out, cdOffset);
  put32(out, kLocator64Signature);
  put32(out, 0);
  put64(out, end64At);
  put32(out, 1);  // disks
  // The end record itself stays as minizip wrote it: counts 0xFFFF, sizes
  // and offset that fit.
  out.append(tail + kLocatorSize, kEndSize);
  return writeAt(fd, end64At, out);
}

}  // namespace ziplib
