#include "zip_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <minizip/zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "deflate_codec.h"
#include "zip64_end.h"
#include "zip_error.h"

namespace fs = std::filesystem;

namespace ziplib {
namespace {

// A streamed entry whose file is this large gets room for ZIP64 sizes in
// its local header: its deflated size is not known when the header is
// written, and deflate adds at most a few bytes per 16 KiB.
constexpr std::uint64_t kStreamZip64Threshold = 0xF0000000ull;
// minizip takes the bytes of one write in an unsigned int.
constexpr std::size_t kWritePiece = 16u << 20;
// Made by MS-DOS (attributes are DOS attributes), format 4.5 (ZIP64).
constexpr uLong kVersionMadeBy = 45;
constexpr uLong kDosArchiveAttribute = 0x20;

zipFile handle(void* p) { return static_cast<zipFile>(p); }

std::string errnoText(const char* what, int e) { return std::string(what) + ": " + std::strerror(e); }

}  // namespace

ContainerWriter::ContainerWriter(fs::path finalPath) : finalPath_(std::move(finalPath)) {
  std::random_device rd;
  for (int attempt = 0; attempt < 100 && !zip_; ++attempt) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(rd()));
    tempPath_ = finalPath_.parent_path() / (".~" + finalPath_.filename().string() + "." + tag + ".tmp");
    files_ = std::make_unique<HostFiles>();
    zip_ = zipOpen2_64(tempPath_.c_str(), APPEND_STATUS_CREATE, nullptr, files_->functions());
    const int e = files_->error();
    if (!zip_ && e != EEXIST) throw ZipError(ErrorKind::Write, errnoText("cannot create the container", e ? e : ENOMEM));
  }
  if (!zip_) throw ZipError(ErrorKind::Write, "cannot create the container: no free temporary name");
}

ContainerWriter::~ContainerWriter() {
  if (committed_) return;
  ::unlink(tempPath_.c_str());
  // minizip has no way to abandon a container: it is closed unlinked, and
  // what it writes on closing goes nowhere.
  if (zip_) zipClose(handle(zip_), nullptr);
}

void ContainerWriter::fail(const char* what, int minizipResult) {
  const int e = files_->error();
  if (e != 0) throw ZipError(ErrorKind::Write, errnoText(what, e));
  throw ZipError(ErrorKind::Write, std::string(what) + ": minizip error " + std::to_string(minizipResult));
}

void ContainerWriter::open(const EntryData& e, bool zip64) {
  const StoredName name = storeName(e.name);
  // minizip takes the name as a C string and stores its length in 16 bits
  // without a check.
  if (name.bytes.size() > kMax16) throw ZipError(ErrorKind::Read, "name too long: " + e.name);
  if (name.bytes.find('\0') != std::string::npos) throw ZipError(ErrorKind::Read, "name holds a NUL: " + e.name);
  zip_fileinfo info{};
  info.dosDate = packDosDateTime(toDosDateTime(e.modified));
  info.external_fa = kDosArchiveAttribute;
  // The timestamp keeps the time to the second. It also makes Info-ZIP
  // honour the UTF-8 flag of an entry made on MS-DOS: without any extra
  // field it reads the name as an OEM code page.
  const std::string extra = unixTimeExtra(e.modified);
  const int level = e.method == kMethodDeflated ? kDeflateLevel : 0;
  const int r = zipOpenNewFileInZip4_64(handle(zip_), name.bytes.c_str(), &info, extra.data(),
                                        static_cast<uInt>(extra.size()), extra.data(), static_cast<uInt>(extra.size()),
                                        nullptr, e.method, level, /*raw=*/1, -MAX_WBITS, DEF_MEM_LEVEL,
                                        Z_DEFAULT_STRATEGY, nullptr, 0, kVersionMadeBy, name.utf8 ? kFlagUtf8 : 0,
                                        zip64 ? 1 : 0);
  if (r != ZIP_OK) fail("cannot write the container", r);
}

void ContainerWriter::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), kWritePiece);
    const int r = zipWriteInFileInZip(handle(zip_), bytes.data(), static_cast<unsigned>(n));
    if (r != ZIP_OK) fail("cannot write the container", r);
    bytes.remove_prefix(n);
  }
}

void ContainerWriter::close(std::uint64_t size, std::uint32_t crc) {
  const int r = zipCloseFileInZipRaw64(handle(zip_), size, crc);
  if (r != ZIP_OK) fail("cannot write the container", r);
}

void ContainerWriter::addWhole(const EntryData& e, std::string_view data) {
  const bool zip64 = forceZip64_ || e.size >= kMax32 || data.size() >= kMax32;
  open(e, zip64);
  write(data);
  close(e.size, e.crc);
  ++entries_;
}

void ContainerWriter::addStreamed(const std::string& name, std::time_t modified, std::uint64_t expectedSize,
                                  const std::function<std::size_t(char*, std::size_t)>& read) {
  EntryData e;
  e.name = name;
  e.modified = modified;
  e.method = kMethodDeflated;
  const bool zip64 = forceZip64_ || expectedSize >= kStreamZip64Threshold;
  open(e, zip64);

  StreamDeflater deflater;
  if (!deflater.ok()) throw std::bad_alloc();
  std::vector<char> in(1u << 20);
  std::string out;
  std::uint32_t crc = 0;
  std::uint64_t size = 0, compressed = 0;
  for (;;) {
    const std::size_t n = read(in.data(), in.size());
    if (n == 0) break;
    crc = crc32Update(crc, in.data(), n);
    size += n;
    out.clear();
    if (!deflater.feed(std::string_view(in.data(), n), out)) throw ZipError(ErrorKind::Write, "deflate failed");
    compressed += out.size();
    write(out);
  }
  out.clear();
  if (!deflater.finish(out)) throw ZipError(ErrorKind::Write, "deflate failed");
  compressed += out.size();
  write(out);
  // Without room for ZIP64 sizes minizip could not record these.
  if (!zip64 && (size >= kMax32 || compressed >= kMax32))
    throw ZipError(ErrorKind::Read, "file grew past 4 GiB while it was packed: " + name);
  close(size, crc);
  ++entries_;
}

void ContainerWriter::commit() {
  const int r = zipClose(handle(std::exchange(zip_, nullptr)), nullptr);
  if (r != ZIP_OK) fail("cannot write the container", r);
  // On disk, with the ZIP64 end minizip leaves out, before it takes the
  // final name.
  const int fd = ::open(tempPath_.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) throw ZipError(ErrorKind::Write, errnoText("cannot write the container", errno));
  std::string problem;
  if (entries_ >= kMax16 && !addZip64EndRecords(fd, entries_))
    problem = "cannot write the container: its ZIP64 end records could not be added";
  else if (::fsync(fd) != 0)
    problem = errnoText("cannot write the container", errno);
  if (::close(fd) != 0 && problem.empty()) problem = errnoText("cannot write the container", errno);
  if (!problem.empty()) throw ZipError(ErrorKind::Write, problem);
  if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0)
    throw ZipError(ErrorKind::Write, errnoText("cannot put the container in place", errno));
  committed_ = true;
  // The rename itself is on disk only when the folder is.
  const int dir = ::open(finalPath_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace ziplib
