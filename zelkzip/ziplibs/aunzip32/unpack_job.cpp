#include "unpack_job.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "message_text.h"
#include "ordered_pipeline.h"
#include "platform/dos/dos_path.h"
#include "platform/files/wildcard.h"
#include "platform/text/xbase.h"
#include "zip_error.h"
#include "zip_reader.h"

namespace fs = std::filesystem;
using namespace ziplib;

namespace aunzip32 {
namespace {

class Messages {
 public:
  explicit Messages(AUNZIP_CALLBACK cb) : cb_(cb) {}
  void say(int number, std::initializer_list<std::string_view> fields) const {
    if (!cb_) return;
    const std::string text = messageText(fields);
    cb_(nullptr, number, text.c_str());
  }

 private:
  AUNZIP_CALLBACK cb_;
};

std::string methodName(std::uint16_t method) {
  if (method == kMethodStored) return "Stored";
  if (method == kMethodDeflated) return "Deflated";
  return "Method " + std::to_string(method);
}

std::unique_ptr<ContainerReader> openContainer(const std::string& archive, std::string& problem) {
  auto host = platform::dos::toHost(archive);
  if (!host) {
    problem = "the container's drive is not ready";
    return nullptr;
  }
  try {
    return std::make_unique<ContainerReader>(*host);
  } catch (const ZipError& e) {
    problem = e.what();
    return nullptr;
  }
}

// ---- list ----------------------------------------------------------------

int view(const ContainerReader& zip, const Messages& m) {
  for (const Entry& e : zip.entries()) {
    m.say(e.folder ? AUNZIP_MSG_FOLDER : AUNZIP_MSG_FILE,
          {storedPathText(e.name), methodName(e.method), bareName(e.name), std::to_string(e.size),
           std::to_string(e.compressedSize), std::to_string(savedPercent(e.size, e.compressedSize)),
           dosDateText(e.when), dosTimeText(e.when)});
  }
  return AUNZIP_OK;
}

// ---- where the entries lie ----------------------------------------------

// Each entry's problem with its headers, found before any entry is read.
// Entries that share bytes are a damaged directory, or a container built
// to unpack to far more than it holds (many records naming one entry's
// data): of each such group the first entry stands and the others are
// never read. minizip reads each entry by itself and cannot see this.
std::vector<std::string> locateEntries(const ContainerReader& zip) {
  const auto& entries = zip.entries();
  std::vector<std::string> problems(entries.size());
  std::vector<std::pair<Span, std::size_t>> placed;
  runOrdered<std::pair<std::string, Span>>(
      entries.size(), workerThreads(), 256,
      [&](std::size_t i) {
        std::pair<std::string, Span> r;
        r.first = zip.locateEntry(entries[i], r.second);
        return r;
      },
      [&](std::size_t i, std::pair<std::string, Span>& r) {
        if (r.first.empty()) placed.emplace_back(r.second, i);
        problems[i] = std::move(r.first);
        return true;
      });
  std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
    return std::pair(a.first.start, a.second) < std::pair(b.first.start, b.second);
  });
  std::uint64_t reach = 0;  // the end of the bytes taken so far
  for (std::size_t k = 0; k < placed.size(); ++k) {
    const Span& s = placed[k].first;
    if (k > 0 && s.start < reach) problems[placed[k].second] = "entry overlaps another entry";
    reach = std::max(reach, s.end);
  }
  return problems;
}

// ---- test ----------------------------------------------------------------

int test(const ContainerReader& zip, const Messages& m) {
  const auto& entries = zip.entries();
  const std::vector<std::string> located = locateEntries(zip);
  int result = AUNZIP_OK;
  runOrdered<std::string>(
      entries.size(), workerThreads(), 256,
      [&](std::size_t i) {
        if (!located[i].empty()) return located[i];
        return zip.readEntry(entries[i], [](const char*, std::size_t) { return true; });
      },
      [&](std::size_t i, std::string& problem) {
        if (!problem.empty()) {
          m.say(AUNZIP_MSG_ITEM, {storedPathText(entries[i].name), problem});
          result = AUNZIP_E_DAMAGED;
        }
        return true;
      });
  return result;
}

// ---- extract -------------------------------------------------------------

// A file being written beside its final name; removed unless kept.
class TempFile {
 public:
  explicit TempFile(const fs::path& folder) {
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      char tag[16];
      std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(rd()));
      path_ = folder / (std::string(".~unzip.") + tag + ".tmp");
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) error_ = errno;
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty() && !kept_) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool open() const { return fd_ >= 0; }
  int error() const { return error_; }
  bool write(const char* p, std::size_t n) {
    while (n > 0) {
      ssize_t w = ::write(fd_, p, n);
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) { error_ = errno; return false; }
      p += w;
      n -= static_cast<std::size_t>(w);
    }
    return true;
  }
  // Flushes, dates and closes the file; then it can be renamed into place.
  bool finish(std::time_t modified) {
    const struct timespec times[2] = {{modified, 0}, {modified, 0}};
    ::futimens(fd_, times);
    if (::fdatasync(fd_) != 0) { error_ = errno; return false; }
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) { error_ = errno; return false; }
    return true;
  }
  bool renameTo(const fs::path& final) {
    if (::rename(path_.c_str(), final.c_str()) != 0) { error_ = errno; return false; }
    kept_ = true;
    return true;
  }

 private:
  fs::path path_;
  int fd_ = -1;
  int error_ = 0;
  bool kept_ = false;
};

// A bare name that Windows could create in the target folder and nowhere
// else: no drive colon, no separator, no wildcard or other forbidden
// character, not "." or "..".
bool safeBareName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::strchr("<>:\"/\\|?*", c)) return false;
  }
  return true;
}

bool included(const std::string& patterns, const std::string& name) {
  bool any = false;
  std::string rest = patterns;
  for (;;) {
    const auto bar = rest.find('|');
    const std::string p = platform::xbase::AllTrim(rest.substr(0, bar));
    if (!p.empty()) {
      any = true;
      if (platform::files::wildcardMatch(p, name)) return true;
    }
    if (bar == std::string::npos) break;
    rest.erase(0, bar + 1);
  }
  return !any;
}

std::string joinDos(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

struct Extracted {
  bool skip = false;  // not selected
  std::string problem;
  std::string dosPath;
  std::unique_ptr<TempFile> temp;
};

Extracted extractOne(const ContainerReader& zip, const Entry& e, const std::string& located,
                     const std::string& include, const std::string& targetDos, const fs::path& targetHost) {
  Extracted x;
  const std::string name = bareName(e.name);
  if (e.folder || !included(include, name)) {
    x.skip = true;
    return x;
  }
  if (!safeBareName(name)) {
    x.problem = "unsafe name, not written";
    return x;
  }
  x.dosPath = joinDos(targetDos, name);
  auto host = platform::dos::toHost(x.dosPath);
  if (!host || host->parent_path().lexically_normal() != targetHost.lexically_normal()) {
    x.problem = "unsafe name, not written";
    return x;
  }
  if (!located.empty()) {
    x.problem = located;
    return x;
  }
  x.temp = std::make_unique<TempFile>(targetHost);
  if (!x.temp->open()) {
    x.problem = std::string("cannot write: ") + std::strerror(x.temp->error());
    return x;
  }
  TempFile& out = *x.temp;
  x.problem = zip.readEntry(e, [&](const char* p, std::size_t n) { return out.write(p, n); });
  if (x.problem == "write failed") x.problem = std::string("cannot write: ") + std::strerror(out.error());
  if (x.problem.empty() && !out.finish(e.modified ? *e.modified : fromDosDateTime(e.when)))
    x.problem = std::string("cannot write: ") + std::strerror(out.error());
  return x;
}

int extract(const ContainerReader& zip, const UnpackJob& job, const std::string& targetDos,
            const fs::path& targetHost, const Messages& m) {
  const auto& entries = zip.entries();
  const std::vector<std::string> located = locateEntries(zip);
  int result = AUNZIP_OK;
  auto fail = [&](std::size_t i, const std::string& problem, int code) {
    m.say(AUNZIP_MSG_PROBLEM, {storedPathText(entries[i].name), problem});
    if (result == AUNZIP_OK) result = code;
  };
  runOrdered<Extracted>(
      entries.size(), workerThreads(), 8,
      [&](std::size_t i) { return extractOne(zip, entries[i], located[i], job.include, targetDos, targetHost); },
      [&](std::size_t i, Extracted& x) {
        if (x.skip) return true;
        if (!x.problem.empty()) {
          const bool written = x.problem.rfind("cannot write", 0) == 0;
          fail(i, x.problem, written ? AUNZIP_E_WRITE : AUNZIP_E_DAMAGED);
          return true;
        }
        // In order, on this thread: of two entries with the same bare name
        // the later one stands. The name is looked up only now, as the
        // files before it are in place: "a" and "A" name one file.
        const auto final = platform::dos::toHost(x.dosPath);
        if (!final || final->parent_path().lexically_normal() != targetHost.lexically_normal()) {
          fail(i, "unsafe name, not written", AUNZIP_E_DAMAGED);
          return true;
        }
        if (!x.temp->renameTo(*final)) {
          fail(i, std::string("cannot write: ") + std::strerror(x.temp->error()), AUNZIP_E_WRITE);
          return true;
        }
        m.say(AUNZIP_MSG_ITEM, {storedPathText(entries[i].name), x.dosPath});
        return true;
      });
  return result;
}

}  // namespace

int runUnpackJob(const UnpackJob& job) {
  const Messages m(job.callback);
  const std::string archive = platform::xbase::AllTrim(job.archive);
  if (job.mode == Mode::None) return AUNZIP_E_ARGUMENT;
  if (archive.empty()) return AUNZIP_E_NO_ARCHIVE;
  if (job.mode == Mode::Extract && job.restoreStructure) return AUNZIP_E_UNSUPPORTED;

  std::string targetDos;
  fs::path targetHost;
  if (job.mode == Mode::Extract) {
    std::string target = platform::xbase::AllTrim(job.target);
    if (target.empty()) target = ".";
    auto abs = platform::dos::absolute(target);
    auto host = platform::dos::toHost(target);
    std::error_code ec;
    if (host) fs::create_directories(*host, ec);
    if (!abs || !host || ec || !fs::is_directory(*host, ec)) {
      m.say(AUNZIP_MSG_PROBLEM, {target, "cannot create the target folder"});
      return AUNZIP_E_WRITE;
    }
    targetDos = abs->str();
    targetHost = *host;
  }

  std::string problem;
  auto zip = openContainer(archive, problem);
  if (!zip) {
    m.say(job.mode == Mode::Test ? AUNZIP_MSG_ITEM : AUNZIP_MSG_PROBLEM, {archive, problem});
    return AUNZIP_E_DAMAGED;
  }
  switch (job.mode) {
    case Mode::View: return view(*zip, m);
    case Mode::Test: return test(*zip, m);
    case Mode::Extract: return extract(*zip, job, targetDos, targetHost, m);
    case Mode::None: break;
  }
  return AUNZIP_E_ARGUMENT;
}

}  // namespace aunzip32
