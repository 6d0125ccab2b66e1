#include "zip_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "deflate_codec.h"
#include "zip_bytes.h"
#include "zip_error.h"

namespace fs = std::filesystem;

namespace ziplib {
namespace {

constexpr std::size_t kChunk = 1u << 20;
constexpr std::size_t kMaxEndSearch = kEndSize + 0xFFFF;

ZipError damaged(const std::string& what) { return ZipError(ErrorKind::Damaged, what); }

}  // namespace

ContainerReader::ContainerReader(const fs::path& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw ZipError(ErrorKind::Read, std::string("cannot open the container: ") + std::strerror(errno));
  try {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw ZipError(ErrorKind::Read, "cannot read the container");
    if (!S_ISREG(st.st_mode)) throw damaged("not a ZIP container");
    fileSize_ = static_cast<std::uint64_t>(st.st_size);
    readEnd();
    readCentralDirectory();
  } catch (...) {
    ::close(fd_);
    fd_ = -1;
    throw;
  }
}

ContainerReader::~ContainerReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool ContainerReader::readAt(std::uint64_t offset, char* buf, std::size_t n) const {
  std::size_t done = 0;
  while (done < n) {
    ssize_t r = ::pread(fd_, buf + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    done += static_cast<std::size_t>(r);
  }
  return true;
}

void ContainerReader::readEnd() {
  char head[4] = {};
  const bool startsLikeZip = fileSize_ >= 4 && readAt(0, head, 4) && std::memcmp(head, "PK\x03\x04", 4) == 0;
  const std::string missing = startsLikeZip ? "container truncated or damaged: end of central directory not found"
                                            : "not a ZIP container";
  if (fileSize_ < kEndSize) throw damaged(missing);

  const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize_, kMaxEndSearch));
  const std::uint64_t tailStart = fileSize_ - tailSize;
  std::string tail(tailSize, '\0');
  if (!readAt(tailStart, tail.data(), tailSize)) throw ZipError(ErrorKind::Read, "cannot read the container");

  // The end record is the last signature whose comment reaches the end of
  // the file exactly; failing that, the last one whose comment fits.
  std::optional<std::size_t> exact, loose;
  for (std::size_t p = tailSize - kEndSize + 1; p-- > 0;) {
    ByteReader r(std::string_view(tail).substr(p));
    if (r.u32() != kEndSignature) continue;
    ByteReader c(std::string_view(tail).substr(p + 20, 2));
    const std::size_t end = p + kEndSize + c.u16();
    if (end == tailSize) { exact = p; break; }
    if (end < tailSize && !loose) loose = p;
  }
  if (!exact && !loose) throw damaged(missing);
  const std::size_t p = exact ? *exact : *loose;
  const std::uint64_t endOffset = tailStart + p;

  ByteReader r(std::string_view(tail).substr(p + 4, kEndSize - 4));
  const std::uint16_t disk = r.u16(), cdDisk = r.u16();
  r.u16();
  count_ = r.u16();
  cdSize_ = r.u32();
  cdOffset_ = r.u32();
  std::uint64_t cdLimit = endOffset;
  bool zip64 = false;

  // A ZIP64 locator just before the end record leads to the ZIP64 end.
  if (endOffset >= kLocator64Size) {
    char loc[kLocator64Size];
    if (readAt(endOffset - kLocator64Size, loc, sizeof loc)) {
      ByteReader l(std::string_view(loc, sizeof loc));
      if (l.u32() == kLocator64Signature) {
        l.u32();
        const std::uint64_t end64 = l.u64();
        if (end64 > endOffset - kLocator64Size - kEnd64Size) throw damaged("ZIP64 end record damaged");
        char rec[kEnd64Size];
        if (!readAt(end64, rec, sizeof rec)) throw damaged("ZIP64 end record damaged");
        ByteReader e(std::string_view(rec, sizeof rec));
        if (e.u32() != kEnd64Signature) throw damaged("ZIP64 end record damaged");
        e.u64();
        e.u16();
        e.u16();
        const std::uint32_t d64 = e.u32(), cd64 = e.u32();
        if (d64 != 0 || cd64 != 0) throw damaged("containers split over several files are not supported");
        e.u64();
        count_ = e.u64();
        cdSize_ = e.u64();
        cdOffset_ = e.u64();
        cdLimit = end64;
        zip64 = true;
      }
    }
  }
  if (!zip64 && (disk != 0 || cdDisk != 0)) throw damaged("containers split over several files are not supported");
  if (cdLimit < cdOffset_ || cdLimit - cdOffset_ < cdSize_)
    throw damaged("central directory lies outside the container (truncated?)");
}

void ContainerReader::readCentralDirectory() {
  if (count_ > cdSize_ / kCentralHeaderSize) throw damaged("central directory damaged: entry count does not fit");
  std::string cd(static_cast<std::size_t>(cdSize_), '\0');
  if (!readAt(cdOffset_, cd.data(), cd.size())) throw damaged("central directory cannot be read (truncated?)");
  ByteReader r(cd);
  entries_.reserve(static_cast<std::size_t>(count_));
  for (std::uint64_t i = 0; i < count_; ++i) {
    if (r.u32() != kCentralSignature) throw damaged("central directory damaged");
    Entry e;
    r.u16();  // made by
    r.u16();  // needed
    e.flags = r.u16();
    e.method = r.u16();
    e.when.time = r.u16();
    e.when.date = r.u16();
    e.crc = r.u32();
    e.compressedSize = r.u32();
    e.size = r.u32();
    const std::uint16_t nameLen = r.u16(), extraLen = r.u16(), commentLen = r.u16();
    const std::uint16_t diskStart = r.u16();
    r.u16();
    r.u32();
    e.localOffset = r.u32();
    e.storedName = std::string(r.bytes(nameLen));
    const std::string_view extra = r.bytes(extraLen);
    r.skip(commentLen);
    if (!r.ok()) throw damaged("central directory damaged");

    // The ZIP64 field holds, in order, exactly the values that did not fit.
    if (e.size == kMax32 || e.compressedSize == kMax32 || e.localOffset == kMax32 || diskStart == kMax16) {
      auto z = findExtra(extra, kExtraZip64);
      if (!z) throw damaged("central directory damaged: ZIP64 sizes missing");
      ByteReader zr(*z);
      if (e.size == kMax32) e.size = zr.u64();
      if (e.compressedSize == kMax32) e.compressedSize = zr.u64();
      if (e.localOffset == kMax32) e.localOffset = zr.u64();
      if (!zr.ok()) throw damaged("central directory damaged: ZIP64 sizes missing");
    } else if (diskStart != 0) {
      throw damaged("containers split over several files are not supported");
    }
    e.name = readName(e.storedName, (e.flags & kFlagUtf8) != 0, extra);
    e.modified = readUnixTime(extra);
    e.folder = !e.storedName.empty() && (e.storedName.back() == '/' || e.storedName.back() == '\\');
    entries_.push_back(std::move(e));
  }
  if (r.position() != cd.size()) throw damaged("central directory damaged: size does not match its entries");
}

LocatedEntry ContainerReader::locate(const Entry& e) const {
  LocatedEntry out;
  char fixed[kLocalHeaderSize];
  if (e.localOffset > cdOffset_ || cdOffset_ - e.localOffset < kLocalHeaderSize ||
      !readAt(e.localOffset, fixed, sizeof fixed)) {
    out.problem = "local header outside the container";
    return out;
  }
  ByteReader r(std::string_view(fixed, sizeof fixed));
  if (r.u32() != kLocalSignature) {
    out.problem = "local header damaged";
    return out;
  }
  r.u16();
  const std::uint16_t flags = r.u16();
  const std::uint16_t method = r.u16();
  r.u32();  // time and date
  const std::uint32_t crc = r.u32();
  std::uint64_t compressed = r.u32();
  std::uint64_t size = r.u32();
  const std::uint16_t nameLen = r.u16(), extraLen = r.u16();
  const std::uint64_t varStart = e.localOffset + kLocalHeaderSize;
  std::string var(nameLen + extraLen, '\0');
  if (cdOffset_ - varStart < var.size() || !readAt(varStart, var.data(), var.size())) {
    out.problem = "local header outside the container";
    return out;
  }
  out.dataOffset = varStart + var.size();
  const std::string_view name = std::string_view(var).substr(0, nameLen);
  const std::string_view extra = std::string_view(var).substr(nameLen);
  if (name != e.storedName) {
    out.problem = "local header name differs from the central directory";
    return out;
  }
  if (method != e.method || (flags & kFlagEncrypted) != (e.flags & kFlagEncrypted)) {
    out.problem = "local header method differs from the central directory";
    return out;
  }
  bool zip64 = false;
  if (auto z = findExtra(extra, kExtraZip64)) {
    zip64 = true;
    ByteReader zr(*z);
    if (size == kMax32) size = zr.u64();
    if (compressed == kMax32) compressed = zr.u64();
    if (!zr.ok()) {
      out.problem = "local header damaged: ZIP64 sizes missing";
      return out;
    }
  }
  if (cdOffset_ - out.dataOffset < e.compressedSize) {
    out.problem = "entry data runs past the central directory (truncated?)";
    return out;
  }
  out.end = out.dataOffset + e.compressedSize;
  const bool matches = crc == e.crc && compressed == e.compressedSize && size == e.size;
  if (!(flags & kFlagDescriptor)) {
    if (!matches) out.problem = "local header CRC or sizes differ from the central directory";
    return out;
  }
  // Written while streaming: the sizes follow the data, in one of four
  // layouts (with or without signature, 32- or 64-bit sizes).
  const bool zeros = crc == 0 && compressed == 0 && size == 0;
  if (!matches && !zeros) {
    out.problem = "local header CRC or sizes differ from the central directory";
    return out;
  }
  char desc[24] = {};
  const std::uint64_t room = cdOffset_ - out.end;
  const std::size_t avail = static_cast<std::size_t>(std::min<std::uint64_t>(room, sizeof desc));
  if (avail < 12 || !readAt(out.end, desc, avail)) {
    out.problem = "data descriptor missing";
    return out;
  }
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
        out.end += len;
        return out;
      }
    }
  }
  out.problem = "data descriptor differs from the central directory";
  return out;
}

std::string ContainerReader::readData(const Entry& e, std::uint64_t dataOffset, const Sink& sink) const {
  if (e.flags & kFlagEncrypted) return "encrypted entries are not supported";
  if (e.method != kMethodStored && e.method != kMethodDeflated)
    return "compression method " + std::to_string(e.method) + " is not supported";
  if (cdOffset_ < dataOffset || cdOffset_ - dataOffset < e.compressedSize) return "entry data runs past the central directory (truncated?)";

  std::uint32_t crc = 0;
  std::uint64_t made = 0;
  bool sinkFailed = false;
  auto take = [&](const char* p, std::size_t n) {
    crc = crc32Update(crc, p, n);
    made += n;
    if (made > e.size) return false;
    if (!sink(p, n)) { sinkFailed = true; return false; }
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
      if (!readAt(dataOffset + at, buf.data(), n)) return "container truncated";
      if (!take(buf.data(), n)) return finish();
      at += n;
    }
    return finish();
  }

  if (e.compressedSize <= kWholeEntryLimit && e.size <= kWholeEntryLimit) {
    std::string in(static_cast<std::size_t>(e.compressedSize), '\0');
    if (!readAt(dataOffset, in.data(), in.size())) return "container truncated";
    std::unique_ptr<char[]> out(new char[static_cast<std::size_t>(e.size) + 1]);
    InflateStatus s = inflateWhole(in, out.get(), static_cast<std::size_t>(e.size));
    if (s != InflateStatus::Ok) return inflateStatusText(s);
    take(out.get(), static_cast<std::size_t>(e.size));
    return finish();
  }

  StreamInflater inflater;
  const StreamInflater::Sink takeFn = take;
  std::vector<char> buf(256 * 1024);
  for (std::uint64_t at = 0; at < e.compressedSize;) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), e.compressedSize - at));
    if (!readAt(dataOffset + at, buf.data(), n)) return "container truncated";
    bool stopped = false;
    InflateStatus s = inflater.feed(std::string_view(buf.data(), n), takeFn, stopped);
    if (stopped) return finish();
    if (s != InflateStatus::Ok) return inflateStatusText(s);
    at += n;
  }
  if (!inflater.finished()) return inflateStatusText(InflateStatus::Damaged);
  return finish();
}

}  // namespace ziplib
