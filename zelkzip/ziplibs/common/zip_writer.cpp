#include "zip_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "deflate_codec.h"
#include "zip_bytes.h"
#include "zip_error.h"

namespace fs = std::filesystem;

namespace ziplib {
namespace {

constexpr std::size_t kBufferLimit = 4u << 20;
// A streamed entry whose file is this large gets ZIP64 sizes in its local
// header: its deflated size is not known when the header is written, and
// deflate adds at most a few bytes per 16 KiB.
constexpr std::uint64_t kStreamZip64Threshold = 0xF0000000ull;

std::string errnoText(const char* what, int e) { return std::string(what) + ": " + std::strerror(e); }

}  // namespace

ContainerWriter::ContainerWriter(fs::path finalPath) : finalPath_(std::move(finalPath)) {
  std::random_device rd;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(rd()));
    tempPath_ = finalPath_.parent_path() / (".~" + finalPath_.filename().string() + "." + tag + ".tmp");
    fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) throw ZipError(ErrorKind::Write, errnoText("cannot create the container", errno));
  }
  if (fd_ < 0) throw ZipError(ErrorKind::Write, "cannot create the container: no free temporary name");
}

ContainerWriter::~ContainerWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_) ::unlink(tempPath_.c_str());
}

void ContainerWriter::flushBuffer() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ZipError(ErrorKind::Write, errnoText("cannot write the container", errno));
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void ContainerWriter::append(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > kBufferLimit) {
    flushBuffer();
    if (bytes.size() > kBufferLimit) {
      // Large data goes straight to the file, not through the buffer.
      buffer_.assign(bytes);
      flushBuffer();
      offset_ += bytes.size();
      return;
    }
  }
  buffer_.append(bytes);
  offset_ += bytes.size();
}

void ContainerWriter::writeAt(std::uint64_t offset, std::string_view bytes) {
  flushBuffer();
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ZipError(ErrorKind::Write, errnoText("cannot write the container", errno));
    done += static_cast<std::size_t>(n);
  }
}

std::string ContainerWriter::localHeader(const Central& c, bool zip64) const {
  std::string extra;
  if (zip64) {
    put16(extra, kExtraZip64);
    put16(extra, 16);
    put64(extra, c.size);
    put64(extra, c.compressedSize);
  }
  extra += unixTimeExtra(c.modified);
  std::string h;
  put32(h, kLocalSignature);
  put16(h, zip64 ? kVersionZip64 : (c.method == kMethodDeflated ? kVersionDeflate : 10));
  put16(h, c.name.utf8 ? kFlagUtf8 : 0);
  put16(h, c.method);
  put16(h, c.when.time);
  put16(h, c.when.date);
  put32(h, c.crc);
  put32(h, zip64 ? kMax32 : static_cast<std::uint32_t>(c.compressedSize));
  put32(h, zip64 ? kMax32 : static_cast<std::uint32_t>(c.size));
  put16(h, static_cast<std::uint16_t>(c.name.bytes.size()));
  put16(h, static_cast<std::uint16_t>(extra.size()));
  h += c.name.bytes;
  h += extra;
  return h;
}

void ContainerWriter::addWhole(const EntryData& e, std::string_view data) {
  Central c{storeName(e.name), e.method, toDosDateTime(e.modified), e.modified, e.crc, data.size(), e.size, offset_};
  if (c.name.bytes.size() > kMax16) throw ZipError(ErrorKind::Read, "name too long: " + e.name);
  const bool zip64 = forceZip64_ || c.size >= kMax32 || c.compressedSize >= kMax32;
  append(localHeader(c, zip64));
  append(data);
  entries_.push_back(std::move(c));
}

void ContainerWriter::addStreamed(const std::string& name, std::time_t modified, std::uint64_t expectedSize,
                                  const std::function<std::size_t(char*, std::size_t)>& read) {
  Central c{storeName(name), kMethodDeflated, toDosDateTime(modified), modified, 0, 0, 0, offset_};
  if (c.name.bytes.size() > kMax16) throw ZipError(ErrorKind::Read, "name too long: " + name);
  const bool zip64 = forceZip64_ || expectedSize >= kStreamZip64Threshold;
  const std::string provisional = localHeader(c, zip64);
  append(provisional);

  StreamDeflater deflater;
  if (!deflater.ok()) throw std::bad_alloc();
  std::vector<char> in(1u << 20);
  std::string out;
  std::uint32_t crc = 0;
  std::uint64_t size = 0, compressed = 0;
  for (;;) {
    std::size_t n = read(in.data(), in.size());
    if (n == 0) break;
    crc = crc32Update(crc, in.data(), n);
    size += n;
    out.clear();
    if (!deflater.feed(std::string_view(in.data(), n), out)) throw ZipError(ErrorKind::Write, "deflate failed");
    compressed += out.size();
    append(out);
  }
  out.clear();
  if (!deflater.finish(out)) throw ZipError(ErrorKind::Write, "deflate failed");
  compressed += out.size();
  append(out);

  c.crc = crc;
  c.size = size;
  c.compressedSize = compressed;
  if (!zip64 && (size >= kMax32 || compressed >= kMax32))
    throw ZipError(ErrorKind::Read, "file grew past 4 GiB while it was packed: " + name);
  const std::string final = localHeader(c, zip64);
  writeAt(c.offset, final);
  entries_.push_back(std::move(c));
}

void ContainerWriter::writeCentralAndEnd() {
  const std::uint64_t cdOffset = offset_;
  for (const Central& c : entries_) {
    const bool bigSize = forceZip64_ || c.size >= kMax32;
    const bool bigCompressed = forceZip64_ || c.compressedSize >= kMax32;
    const bool bigOffset = forceZip64_ || c.offset >= kMax32;
    std::string z64;
    if (bigSize) put64(z64, c.size);
    if (bigCompressed) put64(z64, c.compressedSize);
    if (bigOffset) put64(z64, c.offset);
    std::string extra;
    if (!z64.empty()) {
      put16(extra, kExtraZip64);
      put16(extra, static_cast<std::uint16_t>(z64.size()));
      extra += z64;
    }
    extra += unixTimeExtra(c.modified);
    const bool zip64 = !z64.empty();
    std::string h;
    put32(h, kCentralSignature);
    put16(h, kVersionZip64);  // made by: MS-DOS host, format 4.5
    put16(h, zip64 ? kVersionZip64 : (c.method == kMethodDeflated ? kVersionDeflate : 10));
    put16(h, c.name.utf8 ? kFlagUtf8 : 0);
    put16(h, c.method);
    put16(h, c.when.time);
    put16(h, c.when.date);
    put32(h, c.crc);
    put32(h, bigCompressed ? kMax32 : static_cast<std::uint32_t>(c.compressedSize));
    put32(h, bigSize ? kMax32 : static_cast<std::uint32_t>(c.size));
    put16(h, static_cast<std::uint16_t>(c.name.bytes.size()));
    put16(h, static_cast<std::uint16_t>(extra.size()));
    put16(h, 0);  // comment
    put16(h, 0);  // disk
    put16(h, 0);  // internal attributes
    put32(h, 0x20);  // DOS archive attribute
    put32(h, bigOffset ? kMax32 : static_cast<std::uint32_t>(c.offset));
    h += c.name.bytes;
    h += extra;
    append(h);
  }
  const std::uint64_t cdSize = offset_ - cdOffset;
  const std::uint64_t count = entries_.size();
  const bool zip64 = forceZip64_ || count >= kMax16 || cdSize >= kMax32 || cdOffset >= kMax32;
  std::string end;
  if (zip64) {
    const std::uint64_t end64Offset = offset_;
    put32(end, kEnd64Signature);
    put64(end, kEnd64Size - 12);
    put16(end, kVersionZip64);
    put16(end, kVersionZip64);
    put32(end, 0);
    put32(end, 0);
    put64(end, count);
    put64(end, count);
    put64(end, cdSize);
    put64(end, cdOffset);
    put32(end, kLocator64Signature);
    put32(end, 0);
    put64(end, end64Offset);
    put32(end, 1);
  }
  put32(end, kEndSignature);
  put16(end, 0);
  put16(end, 0);
  put16(end, zip64 ? kMax16 : static_cast<std::uint16_t>(count));
  put16(end, zip64 ? kMax16 : static_cast<std::uint16_t>(count));
  put32(end, zip64 ? kMax32 : static_cast<std::uint32_t>(cdSize));
  put32(end, zip64 ? kMax32 : static_cast<std::uint32_t>(cdOffset));
  put16(end, 0);
  append(end);
}

void ContainerWriter::commit() {
  writeCentralAndEnd();
  flushBuffer();
  if (::fsync(fd_) != 0) throw ZipError(ErrorKind::Write, errnoText("cannot write the container", errno));
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw ZipError(ErrorKind::Write, errnoText("cannot write the container", errno));
  if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0)
    throw ZipError(ErrorKind::Write, errnoText("cannot put the container in place", errno));
  committed_ = true;
  // The rename itself is on disk only when the folder is.
  int dir = ::open(finalPath_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace ziplib
