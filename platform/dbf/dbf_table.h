#pragma once
// One open table file: its header, the current record and its locks. The
// work areas (work_areas.h) hold these; programs never see them.
//
// Every failure that is not a sharing conflict ends in the general error
// handler with the file's name (engineError). Sharing conflicts come back
// as results, for the work areas to raise the sharing-error flag.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/dbf_format.h"

namespace platform::dbf {

// The general error handler, for a fault of the engine with one file.
[[noreturn]] void engineError(std::string_view what, std::string_view dosName);

class Table {
 public:
  struct Mode {
    bool exclusive = false;
    bool readOnly = false;
  };

  // Opens the table at the full DOS path. Nothing when another descriptor
  // holds it in a conflicting mode.
  static std::unique_ptr<Table> open(const std::string& dosName, Mode mode);

  // Makes an empty table with the fields, replacing any file of that name
  // (unless another descriptor holds it open). Leaves it closed.
  static void create(const std::string& dosName, std::vector<FieldDef> fields);

  // Writes what is pending, flushes a table changed since its last commit,
  // releases the locks. Never throws.
  ~Table();

  const std::string& name() const { return dosName_; }
  const std::vector<FieldDef>& fields() const { return header_.fields; }
  int fieldIndex(std::string_view name) const;  // 0-based, -1 when none
  bool exclusive() const { return mode_.exclusive; }

  std::uint32_t recCount();
  std::uint32_t recNo() const { return recno_; }
  bool eof() const { return eof_; }
  bool deleted() const { return !eof_ && record_[0] == '*'; }
  void goTo(std::uint32_t recno);  // beyond the last record: end of file
  void goTop() { goTo(1); }
  void skip(long count);

  // The current record's field; the blank value at end of file.
  Value get(int index) const;
  // Writes into the current record. Ignored at end of file, as the runtime
  // does; an error on a read-only table, on an unlocked record of a shared
  // table, or for a value of the wrong kind.
  void put(int index, const Value& value);

  // False on a sharing conflict. A shared table's new record stays locked.
  bool appendBlank();
  // Appends every record of source, matching fields by name. False when a
  // shared table cannot be locked for it.
  bool appendFrom(Table& source);
  // Removes all records; exclusive use only.
  void zap();

  // False when another descriptor holds a conflicting lock. Always true on
  // an exclusive table.
  bool lockTable();
  bool lockRecord();
  void unlock();

  // Writes what is pending and pushes the file to the device.
  void commit();

 private:
  Table(std::string dosName, int fd, Mode mode, format::Header header);
  std::uint64_t recordOffset(std::uint32_t recno) const;
  void readRecord();
  void writePending();
  void writeCountAndDate();
  void refreshCount();
  void writeAt(std::uint64_t offset, std::string_view bytes);
  bool appendRecord(const std::string& record, bool lockIt);
  [[noreturn]] void fail(std::string_view what) const;

  std::string dosName_;
  int fd_;
  Mode mode_;
  format::Header header_;
  std::uint32_t recno_ = 1;
  bool eof_ = true;
  std::string record_;
  bool recordDirty_ = false;
  bool headerDirty_ = false;   // the update date is due
  bool unflushed_ = false;     // written since the last commit
  bool tableLocked_ = false;
  std::uint32_t lockedRecord_ = 0;
};

}  // namespace platform::dbf
