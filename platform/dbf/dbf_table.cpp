#include "platform/dbf/dbf_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <utility>

#include "platform/dbf/dbf_locks.h"
#include "platform/dos/dos_path.h"
#include "platform/runtime/program_end.h"
#include "platform/text/cp1252.h"

namespace platform::dbf {
namespace {

// Closes a descriptor unless ownership was handed on.
struct FdGuard {
  int fd;
  ~FdGuard() {
    if (fd >= 0) ::close(fd);
  }
  int release() { return std::exchange(fd, -1); }
};

// Bytes read, up to count; -1 on an error.
long long readAt(int fd, char* buf, std::size_t count, std::uint64_t offset) {
  std::size_t total = 0;
  while (total < count) {
    ssize_t n = ::pread(fd, buf + total, count - total, static_cast<off_t>(offset + total));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
  }
  return static_cast<long long>(total);
}

bool rawWrite(int fd, std::uint64_t offset, std::string_view bytes) {
  std::size_t total = 0;
  while (total < bytes.size()) {
    ssize_t n = ::pwrite(fd, bytes.data() + total, bytes.size() - total, static_cast<off_t>(offset + total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    total += static_cast<std::size_t>(n);
  }
  return true;
}

std::string systemReason(const char* serbian, const char* english) {
  return std::string(serbian) + " (" + english + ": " + std::strerror(errno) + ")";
}

// A new file's name must reach the device too, or a crash can lose the
// whole file although its data was flushed.
void flushFolderOf(const std::filesystem::path& host) {
  int dfd = ::open(host.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) return;
  ::fsync(dfd);
  ::close(dfd);
}

std::filesystem::path hostOf(const std::string& dosName) {
  auto host = dos::toHost(dosName);
  if (!host) engineError("disk nije spreman (drive not ready)", dosName);
  return *host;
}

}  // namespace

void engineError(std::string_view what, std::string_view dosName) {
  runtime::runtimeError(std::string("DBF: ") + std::string(what), dosName);
}

Table::Table(std::string dosName, int fd, Mode mode, format::Header header)
    : dosName_(std::move(dosName)), fd_(fd), mode_(mode), header_(std::move(header)) {
  record_ = format::blankRecord(header_);
}

void Table::fail(std::string_view what) const { engineError(what, dosName_); }

std::unique_ptr<Table> Table::open(const std::string& dosName, Mode mode) {
  const auto host = hostOf(dosName);
  // Read-write where the file allows it even for a read-only open: write
  // locks need a descriptor open for writing.
  int fd = ::open(host.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && (errno == EACCES || errno == EROFS) && mode.readOnly) fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) engineError("tabela ne postoji (table not found)", dosName);
    if (errno == EISDIR) engineError("nije fajl tabele (not a table file)", dosName);
    engineError(systemReason("tabela se ne moze otvoriti", "cannot open"), dosName);
  }
  FdGuard guard{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    engineError("nije fajl tabele (not a table file)", dosName);

  // Locked before the header is read, so a table being made or emptied by
  // its exclusive holder is never seen half written.
  switch (locks::tryLock(fd, locks::kOpenByte, 1, mode.exclusive)) {
    case locks::Result::Placed: break;
    case locks::Result::Busy: return nullptr;
    case locks::Result::Failed: engineError(systemReason("tabela se ne moze zakljucati", "cannot lock"), dosName);
  }
  if (::fstat(fd, &st) != 0) engineError(systemReason("tabela se ne moze citati", "cannot read"), dosName);
  const auto fileSize = static_cast<std::uint64_t>(st.st_size);

  std::string why;
  char prefix[format::kPrefixSize];
  long long got = readAt(fd, prefix, sizeof prefix, 0);
  if (got < 0) engineError(systemReason("tabela se ne moze citati", "cannot read"), dosName);
  auto start = format::parsePrefix(std::string_view(prefix, static_cast<std::size_t>(got)), &why);
  if (!start) engineError(why, dosName);
  std::string head(std::min<std::uint64_t>(start->headerLength, fileSize), '\0');
  got = readAt(fd, head.data(), head.size(), 0);
  if (got < 0) engineError(systemReason("tabela se ne moze citati", "cannot read"), dosName);
  head.resize(static_cast<std::size_t>(got));
  auto header = format::parseHeader(head, fileSize, &why);
  if (!header) engineError(why, dosName);

  std::unique_ptr<Table> t(new Table(dosName, guard.release(), mode, std::move(*header)));
  t->goTop();
  return t;
}

void Table::create(const std::string& dosName, std::vector<FieldDef> fields) {
  if (auto why = format::checkFields(fields)) engineError(*why, dosName);
  const auto host = hostOf(dosName);
  int fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) engineError(systemReason("tabela se ne moze napraviti", "cannot create"), dosName);
  FdGuard guard{fd};
  // An existing file is replaced only when nobody has it open.
  switch (locks::tryLock(fd, locks::kOpenByte, 1, true)) {
    case locks::Result::Placed: break;
    case locks::Result::Busy: engineError("tabela je u upotrebi (table is in use)", dosName);
    case locks::Result::Failed: engineError(systemReason("tabela se ne moze zakljucati", "cannot lock"), dosName);
  }
  const format::Header header = format::makeHeader(fields);
  std::string bytes = format::encodeHeader(header);
  bytes += format::kEndOfFile;
  if (::ftruncate(fd, 0) != 0 || !rawWrite(fd, 0, bytes) || ::fsync(fd) != 0)
    engineError(systemReason("tabela se ne moze upisati", "cannot write"), dosName);
  flushFolderOf(host);
}

Table::~Table() {
  // No error may leave a destructor: write what can be written, quietly.
  if (recordDirty_ && !eof_ && !mode_.readOnly) {
    rawWrite(fd_, recordOffset(recno_), record_);
    headerDirty_ = unflushed_ = true;
  }
  if (headerDirty_) {
    header_.updated = format::today();
    rawWrite(fd_, 1, format::encodeCountAndDate(header_).substr(0, 3));
    unflushed_ = true;
  }
  if (unflushed_) ::fsync(fd_);
  ::close(fd_);
}

int Table::fieldIndex(std::string_view name) const {
  const std::string want = text::upperCp1252(name);
  std::size_t b = want.find_first_not_of(' ');
  std::size_t e = want.find_last_not_of(' ');
  if (b == std::string::npos) return -1;
  const std::string key = want.substr(b, e - b + 1);
  for (std::size_t i = 0; i < header_.fields.size(); ++i)
    if (header_.fields[i].name == key) return static_cast<int>(i);
  return -1;
}

std::uint64_t Table::recordOffset(std::uint32_t recno) const {
  return header_.headerLength + static_cast<std::uint64_t>(recno - 1) * header_.recordLength;
}

void Table::writeAt(std::uint64_t offset, std::string_view bytes) {
  if (!rawWrite(fd_, offset, bytes)) fail(systemReason("greska pri upisu u tabelu", "write error"));
  unflushed_ = true;
}

void Table::refreshCount() {
  // Other holders of a shared table may have added records since.
  char prefix[format::kPrefixSize];
  std::string why;
  long long got = readAt(fd_, prefix, sizeof prefix, 0);
  auto now = got < 0 ? std::nullopt : format::parsePrefix(std::string_view(prefix, static_cast<std::size_t>(got)), &why);
  if (!now || now->headerLength != header_.headerLength || now->recordLength != header_.recordLength)
    fail("zaglavlje tabele je promenjeno (table header changed while open)");
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail(systemReason("tabela se ne moze citati", "cannot read"));
  const std::uint64_t needed =
      header_.headerLength + static_cast<std::uint64_t>(now->recordCount) * header_.recordLength;
  if (needed > static_cast<std::uint64_t>(st.st_size))
    fail("broj zapisa prelazi podatke fajla (record count beyond the file's data)");
  header_.recordCount = now->recordCount;
}

std::uint32_t Table::recCount() {
  if (!mode_.exclusive) refreshCount();
  return header_.recordCount;
}

void Table::readRecord() {
  long long got = readAt(fd_, record_.data(), record_.size(), recordOffset(recno_));
  if (got != static_cast<long long>(record_.size()))
    fail("zapis je izvan podataka fajla (record beyond the file's data)");
}

void Table::goTo(std::uint32_t recno) {
  writePending();
  const std::uint32_t count = recCount();
  if (recno >= 1 && recno <= count) {
    recno_ = recno;
    eof_ = false;
    readRecord();
  } else {
    recno_ = count == std::numeric_limits<std::uint32_t>::max() ? count : count + 1;
    eof_ = true;
    record_ = format::blankRecord(header_);
  }
}

void Table::skip(long count) {
  long long target = static_cast<long long>(recno_) + count;
  if (target < 1) target = 1;
  if (target > std::numeric_limits<std::uint32_t>::max()) target = std::numeric_limits<std::uint32_t>::max();
  goTo(static_cast<std::uint32_t>(target));
}

Value Table::get(int index) const {
  const FieldDef& f = header_.fields[static_cast<std::size_t>(index)];
  const auto at = static_cast<std::size_t>(1 + header_.offsets[static_cast<std::size_t>(index)]);
  return format::decode(f, std::string_view(record_).substr(at, static_cast<std::size_t>(f.length)));
}

void Table::put(int index, const Value& value) {
  const FieldDef& f = header_.fields[static_cast<std::size_t>(index)];
  if (mode_.readOnly) fail("tabela je otvorena samo za citanje (table is read-only)");
  auto bytes = format::encode(f, value);
  if (!bytes) fail("pogresan tip podatka za polje " + f.name + " (wrong data type)");
  if (eof_) return;
  if (!mode_.exclusive && !tableLocked_ && lockedRecord_ != recno_)
    fail("zapis nije zakljucan (record not locked)");
  record_.replace(static_cast<std::size_t>(1 + header_.offsets[static_cast<std::size_t>(index)]), bytes->size(),
                  *bytes);
  recordDirty_ = true;
}

void Table::writePending() {
  if (!recordDirty_) return;
  recordDirty_ = false;
  if (eof_) return;
  writeAt(recordOffset(recno_), record_);
  headerDirty_ = true;
}

void Table::writeCountAndDate() {
  header_.updated = format::today();
  writeAt(1, format::encodeCountAndDate(header_));
  headerDirty_ = false;
}

bool Table::appendRecord(const std::string& record, bool lockIt) {
  if (mode_.readOnly) fail("tabela je otvorena samo za citanje (table is read-only)");
  writePending();
  const bool shared = !mode_.exclusive;
  if (shared) {
    switch (locks::tryLock(fd_, locks::kAppendByte, 1, true)) {
      case locks::Result::Placed: break;
      case locks::Result::Busy: return false;
      case locks::Result::Failed: fail(systemReason("tabela se ne moze zakljucati", "cannot lock"));
    }
  }
  struct AppendByte {
    int fd;
    bool held;
    ~AppendByte() {
      if (held) locks::unlock(fd, locks::kAppendByte, 1);
    }
  } appendByte{fd_, shared};

  if (shared) refreshCount();
  if (header_.recordCount == std::numeric_limits<std::uint32_t>::max()) fail("tabela je puna (table full)");
  const std::uint32_t n = header_.recordCount + 1;
  if (shared && lockIt && !tableLocked_) {
    if (lockedRecord_) locks::unlock(fd_, locks::recordByte(lockedRecord_), 1);
    lockedRecord_ = 0;
    switch (locks::tryLock(fd_, locks::recordByte(n), 1, true)) {
      case locks::Result::Placed: lockedRecord_ = n; break;
      case locks::Result::Busy: return false;
      case locks::Result::Failed: fail(systemReason("zapis se ne moze zakljucati", "cannot lock"));
    }
  }
  // The record and the end mark first, the count after: a crash between
  // the two leaves the old, consistent table with a few spare bytes.
  writeAt(recordOffset(n), record + format::kEndOfFile);
  header_.recordCount = n;
  writeCountAndDate();
  recno_ = n;
  eof_ = false;
  record_ = record;
  return true;
}

bool Table::appendBlank() { return appendRecord(format::blankRecord(header_), true); }

bool Table::appendFrom(Table& source) {
  if (mode_.readOnly) fail("tabela je otvorena samo za citanje (table is read-only)");
  bool tookLock = false;
  if (!mode_.exclusive && !tableLocked_) {
    if (!lockTable()) return false;
    tookLock = true;
  }
  std::vector<int> from;
  for (const auto& f : header_.fields) from.push_back(source.fieldIndex(f.name));
  const std::uint32_t total = source.recCount();
  for (std::uint32_t r = 1; r <= total; ++r) {
    source.goTo(r);
    std::string rec = format::blankRecord(header_);
    rec[0] = source.record_[0];
    for (std::size_t i = 0; i < header_.fields.size(); ++i) {
      if (from[i] < 0) continue;
      // Fields of the same name but another kind stay blank.
      auto bytes = format::encode(header_.fields[i], source.get(from[i]));
      if (bytes) rec.replace(static_cast<std::size_t>(1 + header_.offsets[i]), bytes->size(), *bytes);
    }
    if (!appendRecord(rec, false)) {
      if (tookLock) unlock();
      return false;
    }
  }
  if (tookLock) unlock();
  return true;
}

void Table::zap() {
  if (mode_.readOnly) fail("tabela je otvorena samo za citanje (table is read-only)");
  if (!mode_.exclusive) fail("brisanje svih zapisa trazi iskljucivo koriscenje (zap needs exclusive use)");
  recordDirty_ = false;
  if (::ftruncate(fd_, header_.headerLength) != 0) fail(systemReason("tabela se ne moze skratiti", "cannot truncate"));
  writeAt(header_.headerLength, std::string(1, format::kEndOfFile));
  header_.recordCount = 0;
  writeCountAndDate();
  goTop();
}

bool Table::lockTable() {
  writePending();
  if (mode_.exclusive) return tableLocked_ = true;
  if (lockedRecord_) locks::unlock(fd_, locks::recordByte(lockedRecord_), 1);
  lockedRecord_ = 0;
  switch (locks::tryLock(fd_, locks::kRecords, 0, true)) {
    case locks::Result::Placed: tableLocked_ = true; return true;
    case locks::Result::Busy: return false;
    case locks::Result::Failed: fail(systemReason("tabela se ne moze zakljucati", "cannot lock"));
  }
  return false;
}

bool Table::lockRecord() {
  writePending();
  if (mode_.exclusive) return true;
  // One lock at a time per work area: a record lock replaces the others.
  locks::unlock(fd_, locks::kRecords, 0);
  tableLocked_ = false;
  lockedRecord_ = 0;
  const std::uint32_t n = recno_;  // at end of file the place of the next record
  switch (locks::tryLock(fd_, locks::recordByte(n), 1, true)) {
    case locks::Result::Placed: lockedRecord_ = n; return true;
    case locks::Result::Busy: return false;
    case locks::Result::Failed: fail(systemReason("zapis se ne moze zakljucati", "cannot lock"));
  }
  return false;
}

void Table::unlock() {
  writePending();
  if (!mode_.exclusive) locks::unlock(fd_, locks::kRecords, 0);
  tableLocked_ = false;
  lockedRecord_ = 0;
}

void Table::commit() {
  writePending();
  if (headerDirty_) {
    header_.updated = format::today();
    writeAt(1, format::encodeCountAndDate(header_).substr(0, 3));
    headerDirty_ = false;
  }
  if (::fsync(fd_) != 0) fail(systemReason("tabela se ne moze upisati na disk", "cannot flush"));
  unflushed_ = false;
}

}  // namespace platform::dbf
