#include "zip_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <minizip/unzip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "deflate_codec.h"
#include "zip_bytes.h"
#include "zip_error.h"

namespace fs = std::filesystem;

namespace ziplib {
namespace {

constexpr std::size_t kChunk = 1u << 20;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint32_t kDescriptorSignature = 0x08074b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::size_t kEndSize = 22;
// Deflate gives at most 1032 bytes for each byte of its stream (258 bytes
// from two bits): an entry claiming more cannot be what it says, and is
// not given a buffer of the claimed size.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

ZipError damaged(const std::string& what) { return ZipError(ErrorKind::Damaged, what); }

// Exactly n raw bytes of the entry open on the handle; false when the
// container ends first.
bool readRaw(unzFile uf, char* buf, std::size_t n) {
  while (n > 0) {
    const unsigned want = static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30));
    const int got = unzReadCurrentFile(uf, buf, want);
    if (got <= 0) return false;
    buf += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

// The entry open raw on the handle: its deflated (or stored) bytes are
// inflated here, whole by libdeflate when small, streamed through zlib
// otherwise, and checked against the recorded size and CRC.
std::string readData(unzFile uf, const Entry& e, const ContainerReader::Sink& sink) {
  std::uint32_t crc = 0;
  std::uint64_t made = 0;
  bool sinkFailed = false;
  auto take = [&](const char* p, std::size_t n) {
    crc = crc32Update(crc, p, n);
    made += n;
    if (made > e.size) return false;
    if (!sink(p, n)) {
      sinkFailed = true;
      return false;
    }
    return true;
  };
  auto finish = [&]() -> std::string {
    if (sinkFailed) return "write failed";
    if (made > e.size) return inflateStatusText(InflateStatus::LongerThanDeclared);
    if (made < e.size) return inflateStatusText(InflateStatus::ShorterThanDeclared);
    if (crc != e.crc) return "CRC error";
    return "";
  };

  if (e.method == kMethodStored) {
    if (e.compressedSize != e.size) return "stored entry's sizes differ";
    std::vector<char> buf(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, e.size)));
    for (std::uint64_t at = 0; at < e.size;) {
      const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), e.size - at));
      if (!readRaw(uf, buf.data(), n)) return "container truncated";
      if (!take(buf.data(), n)) return finish();
      at += n;
    }
    return finish();
  }

  // Otherwise streamed, which finds the data shorter than recorded.
  const bool reachable = e.size / kMaxDeflateRatio <= e.compressedSize;
  if (e.compressedSize <= kWholeEntryLimit && e.size <= kWholeEntryLimit && reachable) {
    std::string in(static_cast<std::size_t>(e.compressedSize), '\0');
    if (!readRaw(uf, in.data(), in.size())) return "container truncated";
    std::unique_ptr<char[]> out(new char[static_cast<std::size_t>(e.size) + 1]);
    const InflateStatus s = inflateWhole(in, out.get(), static_cast<std::size_t>(e.size));
    if (s != InflateStatus::Ok) return inflateStatusText(s);
    take(out.get(), static_cast<std::size_t>(e.size));
    return finish();
  }

  StreamInflater inflater;
  const StreamInflater::Sink takeFn = take;
  std::vector<char> buf(256 * 1024);
  for (std::uint64_t at = 0; at < e.compressedSize;) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), e.compressedSize - at));
    if (!readRaw(uf, buf.data(), n)) return "container truncated";
    bool stopped = false;
    const InflateStatus s = inflater.feed(std::string_view(buf.data(), n), takeFn, stopped);
    if (stopped) return finish();
    if (s != InflateStatus::Ok) return inflateStatusText(s);
    at += n;
  }
  if (!inflater.finished()) return inflateStatusText(InflateStatus::Damaged);
  return finish();
}

}  // namespace

class ContainerReader::Handle {
 public:
  explicit Handle(const std::string& path) : uf(unzOpen2_64(path.c_str(), files.functions())) {}
  ~Handle() {
    if (uf) unzClose(uf);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HostFiles files;
  unzFile uf;
};

ContainerReader::ContainerReader(const fs::path& path) : path_(path.string()) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw ZipError(ErrorKind::Read, std::string("cannot open the container: ") + std::strerror(errno));
  try {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw ZipError(ErrorKind::Read, "cannot read the container");
    if (!S_ISREG(st.st_mode)) throw damaged("not a ZIP container");
    fileSize_ = static_cast<std::uint64_t>(st.st_size);
    auto h = std::make_unique<Handle>(path_);
    if (!h->uf) {
      if (isEmptyContainer(static_cast<std::uint64_t>(st.st_size))) return;
      // minizip only says that it found no usable end records; a file that
      // starts as a container tells a damaged one from something else.
      char head[4] = {};
      const bool startsLikeZip = readAt(0, head, 4) && std::memcmp(head, "PK\x03\x04", 4) == 0;
      throw damaged(startsLikeZip ? "container truncated or damaged: end of central directory not found"
                                  : "not a ZIP container");
    }
    readDirectory(*h);
    idle_.push_back(std::move(h));
  } catch (...) {
    ::close(fd_);
    fd_ = -1;
    throw;
  }
}

ContainerReader::~ContainerReader() {
  idle_.clear();
  if (fd_ >= 0) ::close(fd_);
}

void ContainerReader::readDirectory(Handle& h) {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(h.uf, &global) != UNZ_OK) throw damaged("central directory damaged");
  std::vector<char> name(kMax16 + 1), extra(kMax16 + 1);
  int r = unzGoToFirstFile(h.uf);
  // As many steps as the end record counts entries, whatever lies beyond.
  for (std::uint64_t i = 0; i < global.number_entry; ++i) {
    if (i > 0) r = unzGoToNextFile(h.uf);
    unz_file_info64 info{};
    unz64_file_pos pos{};
    if (r == UNZ_OK)
      r = unzGetCurrentFileInfo64(h.uf, &info, name.data(), name.size(), extra.data(), extra.size(), nullptr, 0);
    if (r == UNZ_OK) r = unzGetFilePos64(h.uf, &pos);
    if (r != UNZ_OK) throw damaged("central directory damaged");
    Entry e;
    e.storedName.assign(name.data(), std::min<std::size_t>(info.size_filename, kMax16));
    const std::string_view ex(extra.data(), std::min<std::size_t>(info.size_file_extra, kMax16));
    e.flags = static_cast<std::uint16_t>(info.flag);
    e.method = static_cast<std::uint16_t>(info.compression_method);
    e.when = unpackDosDateTime(info.dosDate);
    e.crc = static_cast<std::uint32_t>(info.crc);
    e.compressedSize = info.compressed_size;
    e.size = info.uncompressed_size;
    e.name = readName(e.storedName, (e.flags & kFlagUtf8) != 0, ex);
    e.modified = readUnixTime(ex);
    e.folder = !e.storedName.empty() && (e.storedName.back() == '/' || e.storedName.back() == '\\');
    e.directoryPosition = pos.pos_in_zip_directory;
    e.index = pos.num_of_file;
    entries_.push_back(std::move(e));
  }
}

// minizip's search for the end record never looks at the file's first
// byte, so it cannot open a container without entries, which is nothing
// but that record.
bool ContainerReader::isEmptyContainer(std::uint64_t fileSize) const {
  char end[kEndSize];
  if (fileSize < kEndSize || !readAt(0, end, sizeof end)) return false;
  ByteReader r(std::string_view(end, sizeof end));
  if (r.u32() != kEndSignature) return false;
  for (int field = 0; field < 4; ++field)
    if (r.u16() != 0) return false;  // disks and counts
  if (r.u32() != 0 || r.u32() != 0) return false;  // the directory's size and offset
  return kEndSize + r.u16() == fileSize;
}

bool ContainerReader::readAt(std::uint64_t offset, char* buf, std::size_t n) const {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t r = ::pread(fd_, buf + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    done += static_cast<std::size_t>(r);
  }
  return true;
}

std::unique_ptr<ContainerReader::Handle> ContainerReader::takeHandle() const {
  {
    std::lock_guard lock(handlesLock_);
    if (!idle_.empty()) {
      auto h = std::move(idle_.back());
      idle_.pop_back();
      return h;
    }
  }
  auto h = std::make_unique<Handle>(path_);
  return h->uf ? std::move(h) : nullptr;
}

void ContainerReader::giveBack(std::unique_ptr<Handle> h) const {
  std::lock_guard lock(handlesLock_);
  idle_.push_back(std::move(h));
}

// minizip's open of an entry has compared the local header's signature,
// method, name length and, unless the header defers them to a data
// descriptor, its CRC and 32-bit sizes with the central record. Left to
// us: the name's bytes (a header naming another file would let damage
// through), sizes the header keeps in its ZIP64 field, and the data
// descriptor; the rest is compared again on the way. Sets the span from
// the header to past the descriptor.
std::string ContainerReader::checkLocalHeader(const Entry& e, std::uint64_t dataOffset, std::uint64_t extraSize,
                                              Span& span) const {
  const std::uint64_t headerSize = kLocalHeaderSize + e.storedName.size() + extraSize;
  if (dataOffset < headerSize) return "local header damaged";
  // Before any buffer is sized by it: the data must lie inside the file.
  if (dataOffset > fileSize_ || e.compressedSize > fileSize_ - dataOffset) return "container truncated";
  span.start = dataOffset - headerSize;
  span.end = dataOffset + e.compressedSize;
  std::string header(static_cast<std::size_t>(headerSize), '\0');
  if (!readAt(span.start, header.data(), header.size())) return "local header cannot be read (truncated?)";
  ByteReader r(header);
  r.skip(6);
  const std::uint16_t flags = r.u16();
  r.skip(6);
  const std::uint32_t crc = r.u32();
  const std::uint32_t compressed32 = r.u32(), size32 = r.u32();
  const std::string_view name = std::string_view(header).substr(kLocalHeaderSize, e.storedName.size());
  const std::string_view extra = std::string_view(header).substr(kLocalHeaderSize + e.storedName.size());
  if (name != e.storedName) return "local header name differs from the central directory";

  // Sizes the header defers to its ZIP64 field are there, in this order.
  const auto zip64 = findExtra(extra, kExtraZip64);
  ByteReader z(zip64 ? *zip64 : std::string_view());
  const std::uint64_t size = size32 == kMax32 ? z.u64() : size32;
  const std::uint64_t compressed = compressed32 == kMax32 ? z.u64() : compressed32;
  if (!z.ok()) return "local header damaged: ZIP64 sizes missing";
  const bool same = crc == e.crc && compressed == e.compressedSize && size == e.size;
  if (!(flags & kFlagDescriptor)) return same ? "" : "local header CRC or sizes differ from the central directory";

  // Written as a stream: the header holds zeros, or the values themselves,
  // and the descriptor after the data holds them in one of four layouts
  // (with or without signature, 32- or 64-bit sizes).
  const bool zeros = crc == 0 && compressed == 0 && size == 0;
  if (!zeros && !same) return "local header CRC or sizes differ from the central directory";
  char desc[24] = {};
  std::size_t avail = sizeof desc;
  while (avail >= 12 && !readAt(span.end, desc, avail)) avail -= 4;
  if (avail < 12) return "data descriptor missing";
  for (int withSig = 1; withSig >= 0; --withSig) {
    for (int wide = zip64 || e.size >= kMax32 || e.compressedSize >= kMax32 ? 1 : 0; wide >= 0; --wide) {
      const std::size_t len = (withSig ? 4 : 0) + 4 + (wide ? 16 : 8);
      if (len > avail) continue;
      ByteReader d(std::string_view(desc, len));
      if (withSig && d.u32() != kDescriptorSignature) continue;
      const std::uint32_t dcrc = d.u32();
      const std::uint64_t dc = wide ? d.u64() : d.u32();
      const std::uint64_t ds = wide ? d.u64() : d.u32();
      if (dcrc == e.crc && dc == e.compressedSize && ds == e.size) {
        span.end += len;
        return "";
      }
    }
  }
  return "data descriptor differs from the central directory";
}

// Opens the entry on the handle, raw, and checks its local header: "" and
// the span, or the problem.
std::string ContainerReader::openEntry(Handle& h, const Entry& e, Span& span) const {
  if (e.flags & kFlagEncrypted) return "encrypted entries are not supported";
  if (e.method != kMethodStored && e.method != kMethodDeflated)
    return "compression method " + std::to_string(e.method) + " is not supported";
  const unz64_file_pos pos{e.directoryPosition, e.index};
  if (unzGoToFilePos64(h.uf, &pos) != UNZ_OK) return "central directory damaged";
  int method = 0;
  const int opened = unzOpenCurrentFile2(h.uf, &method, nullptr, /*raw=*/1);
  if (opened == UNZ_BADZIPFILE) return "local header damaged or differs from the central directory";
  if (opened != UNZ_OK) return "local header cannot be read (truncated?)";
  const int extraSize = unzGetLocalExtrafield(h.uf, nullptr, 0);
  if (extraSize < 0) return "local header damaged";
  return checkLocalHeader(e, unzGetCurrentFileZStreamPos64(h.uf), static_cast<std::uint64_t>(extraSize), span);
}

std::string ContainerReader::locateEntry(const Entry& e, Span& span) const {
  std::unique_ptr<Handle> h = takeHandle();
  if (!h) return "cannot read the container";
  std::string problem = openEntry(*h, e, span);
  unzCloseCurrentFile(h->uf);
  giveBack(std::move(h));
  return problem;
}

std::string ContainerReader::readEntry(const Entry& e, const Sink& sink) const {
  std::unique_ptr<Handle> h = takeHandle();
  if (!h) return "cannot read the container";
  Span span;
  std::string problem = openEntry(*h, e, span);
  if (problem.empty()) problem = readData(h->uf, e, sink);
  unzCloseCurrentFile(h->uf);
  giveBack(std::move(h));
  return problem;
}

}  // namespace ziplib
