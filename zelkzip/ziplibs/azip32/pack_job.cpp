#include "pack_job.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "azip32.h"
#include "deflate_codec.h"
#include "ordered_pipeline.h"
#include "platform/dos/dos_path.h"
#include "platform/files/file_services.h"
#include "platform/text/cp1252.h"
#include "platform/text/xbase.h"
#include "zip_error.h"
#include "zip_writer.h"

namespace fs = std::filesystem;
using namespace ziplib;

namespace azip32 {
namespace {

struct Item {
  std::string name;  // bare name, Windows-1252
  fs::path host;
  std::uint64_t size = 0;
};

struct Packed {
  bool stream = false;  // too large to hold: the writer deflates it as it reads
  EntryData entry;
  std::string data;
};

std::string cannotRead(const Item& item, int e) {
  return "cannot read " + item.name + ": " + std::strerror(e);
}

class InputFile {
 public:
  explicit InputFile(const Item& item) : item_(item) {
    fd_ = ::open(item.host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw ZipError(ErrorKind::Read, cannotRead(item, errno));
    if (::fstat(fd_, &st_) != 0) throw ZipError(ErrorKind::Read, cannotRead(item, errno));
  }
  ~InputFile() { ::close(fd_); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  std::uint64_t size() const { return static_cast<std::uint64_t>(st_.st_size); }
  std::time_t modified() const { return st_.st_mtime; }

  // Up to n bytes; fewer only at the end of the file.
  std::size_t read(char* buf, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
      ssize_t r = ::read(fd_, buf + done, n - done);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) throw ZipError(ErrorKind::Read, cannotRead(item_, errno));
      if (r == 0) break;
      done += static_cast<std::size_t>(r);
    }
    return done;
  }

 private:
  const Item& item_;
  int fd_ = -1;
  struct stat st_ {};
};

std::vector<Item> collect(const std::string& include, const fs::path& container) {
  std::vector<Item> items;
  std::set<std::string> taken;  // upper-case names already entered
  std::error_code ec;
  const fs::path containerKey = fs::weakly_canonical(container, ec);
  std::string rest = include;
  for (;;) {
    const auto bar = rest.find('|');
    const std::string layout = platform::xbase::AllTrim(rest.substr(0, bar));
    if (!layout.empty()) {
      for (const auto& f : platform::files::find(layout)) {
        if (f.folder) continue;
        auto host = platform::dos::toHost(f.dosPath);
        if (!host) continue;
        if (fs::weakly_canonical(*host, ec) == containerKey) continue;
        if (!taken.insert(platform::text::upperCp1252(f.name)).second) continue;
        items.push_back({f.name, *host, f.size});
      }
    }
    if (bar == std::string::npos) break;
    rest.erase(0, bar + 1);
  }
  return items;
}

Packed packWhole(const Item& item) {
  Packed p;
  InputFile in(item);
  if (in.size() > kWholeEntryLimit) {
    p.stream = true;
    return p;
  }
  // Read one byte more than expected to see a file that grew meanwhile.
  std::string data(static_cast<std::size_t>(in.size()) + 1, '\0');
  std::size_t n = in.read(data.data(), data.size());
  if (n == data.size()) {
    p.stream = true;
    return p;
  }
  data.resize(n);
  p.entry.name = item.name;
  p.entry.modified = in.modified();
  p.entry.size = n;
  p.entry.crc = crc32Update(0, data.data(), n);
  if (auto deflated = deflateWhole(data)) {
    p.entry.method = kMethodDeflated;
    p.data = std::move(*deflated);
  } else {
    p.entry.method = kMethodStored;
    p.data = std::move(data);
  }
  return p;
}

int resultOf(const ZipError& e) {
  switch (e.kind()) {
    case ErrorKind::Read: return AZIP_E_READ;
    case ErrorKind::Write: return AZIP_E_WRITE;
    case ErrorKind::Damaged: break;
  }
  return AZIP_E_INTERNAL;
}

int pack(const PackJob& job) {
  if (job.recurse || job.saveStructure) return AZIP_E_UNSUPPORTED;
  if (platform::xbase::AllTrim(job.archive).empty()) return AZIP_E_NO_ARCHIVE;
  auto container = platform::dos::toHost(platform::xbase::AllTrim(job.archive));
  if (!container || !container->has_filename()) return AZIP_E_WRITE;

  // The first run on a machine finds no archive folder yet.
  std::error_code ec;
  fs::create_directories(container->parent_path(), ec);
  if (ec) return AZIP_E_WRITE;

  const std::vector<Item> items = collect(job.include, *container);
  ContainerWriter writer(*container);
  writer.forceZip64(job.forceZip64);

  runOrdered<Packed>(
      items.size(), workerThreads(), 64, [&](std::size_t i) { return packWhole(items[i]); },
      [&](std::size_t i, Packed& p) {
        if (!p.stream) {
          writer.addWhole(p.entry, p.data);
          return true;
        }
        InputFile in(items[i]);
        writer.addStreamed(items[i].name, in.modified(), in.size(),
                           [&](char* buf, std::size_t n) { return in.read(buf, n); });
        return true;
      },
      [&](std::size_t i) { return std::min<std::uint64_t>(items[i].size, kWholeEntryLimit); }, 128ull << 20);

  writer.commit();
  return AZIP_OK;
}

}  // namespace

int runPackJob(const PackJob& job) {
  try {
    return pack(job);
  } catch (const ZipError& e) {
    return resultOf(e);
  }
}

}  // namespace azip32
