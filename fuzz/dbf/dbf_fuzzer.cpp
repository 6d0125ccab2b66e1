// Any bytes as the table file C:\IN.DBF, used in every way the engine
// offers: opened shared, exclusive and read-only, every record walked and
// every field read; on a writable open a record written, one appended, the
// locks taken and released, another table appended into it and, when
// exclusive, a zap; then it is appended into another table and serves as
// the structure of a new one.
//
// Beyond what the sanitizers catch, the engine's promise is checked and a
// breach aborts: a file it refuses ends in the general error handler naming
// the file, and comes out untouched; once a table is open nothing fails;
// a read-only open never writes; what a writable open wrote is a readable
// table with the records expected.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "fuzz/dbf/sample_tables.h"
#include "fuzz/dbf/scratch_drive.h"
#include "platform/dbf/work_areas.h"
#include "platform/runtime/program_end.h"
#include "platform/ui/scripted_backend.h"

namespace dbf = platform::dbf;
using platform::runtime::kExitNormal;
using platform::runtime::kExitRuntimeError;

namespace {

const char* const kIn = "C:\\IN.DBF";
const char* const kOther = "C:\\OTHER.DBF";
const char* const kMade = "C:\\MADE.DBF";

platform::ui::ScriptedBackend* gDialogs = nullptr;
std::string gOtherBytes;      // the partner table, as the engine made it
std::uint32_t gOtherCount = 0;

// Where a run stands, for judging how it ended.
enum class Stage {
  Opening,  // the input is being read: an error must name it
  Making,   // a table is made from its structure: may fail on the input or the new table
  Open,     // the input was accepted: nothing may fail any more
};
Stage gStage = Stage::Opening;

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "dbf_fuzzer: the engine broke its promise: %s\n", what.c_str());
  std::abort();
}

void expect(bool ok, const char* what) {
  if (!ok) broken(what);
}

// A value of the field's kind, so each write is one the engine must accept.
dbf::Value sampleFor(const dbf::FieldDef& f) {
  switch (f.type) {
    case 'N':
    case 'F': return dbf::Value(-12.5);
    case 'D': return dbf::Value(dbf::Date{2001, 3, 5});
    case 'L': return dbf::Value(true);
    default: return dbf::Value("FUZZ");
  }
}

void putAll() {
  for (const auto& f : dbf::structure()) dbf::fieldPut(f.name, sampleFor(f));
}

// Every record from the top with every field read, then the moves around
// the ends; returns the records seen.
std::uint32_t walk() {
  const std::uint32_t count = dbf::recCount();
  const int fields = dbf::fieldCount();
  std::uint32_t seen = 0;
  for (dbf::goTop(); !dbf::eof(); dbf::skip()) {
    expect(++seen <= count, "walked past the record count");
    expect(dbf::recNo() == seen, "record number out of step");
    dbf::deleted();
    for (int i = 1; i <= fields; ++i) dbf::fieldGet(dbf::fieldName(i));
  }
  dbf::skip(-1);
  dbf::goTo(count);
  dbf::goTo(0);
  dbf::goTo(count + 1);
  for (int i = 1; i <= fields; ++i) dbf::fieldGet(dbf::fieldName(i));
  return seen;
}

void exercise(int flags) {
  gStage = Stage::Opening;
  expect(dbf::use(kIn, flags), "open refused while nobody else holds the table");
  gStage = Stage::Open;
  const std::uint32_t count = dbf::recCount();
  expect(walk() == count, "walk did not meet the record count");
  if (flags & dbf::kReadOnly) return;

  const bool shared = !(flags & dbf::kExclusive);
  std::uint32_t expected = count;
  if (count > 0) {
    dbf::goTop();
    expect(dbf::rLock(), "record lock refused");
    putAll();
    dbf::unlock();
  }
  expect(dbf::appendBlank(), "append refused");
  ++expected;
  putAll();
  dbf::commit();
  expect(dbf::fLock(), "table lock refused");
  dbf::unlock();
  expect(dbf::appendFrom(kOther), "append from the partner table refused");
  expected += gOtherCount;
  if (!shared) {
    dbf::zap();
    expect(dbf::recCount() == 0, "records left after a zap");
    expect(dbf::appendBlank(), "append after a zap refused");
    putAll();
    expected = 1;
  }
  expect(dbf::recCount() == expected, "record count after the writes");
  expect(walk() == expected, "walk after the writes");
  dbf::closeArea();

  // What was written reads back as a table, and serves as an append source.
  expect(dbf::use(kIn, dbf::kReadOnly), "reopen refused");
  expect(walk() == expected, "walk after reopening");
  dbf::closeArea();
  expect(dbf::use(kOther, dbf::kExclusive), "partner open refused");
  expect(dbf::appendFrom(kIn), "append into the partner refused");
  expect(walk() == gOtherCount + expected, "partner's records after the append");
  dbf::closeArea();
}

// The input as a structure table, then the table made from it walked.
void makeFromStructure() {
  gStage = Stage::Making;
  dbf::createFrom(kMade, kIn);
  gStage = Stage::Open;
  expect(dbf::use(kMade, dbf::kExclusive), "made table refused");
  walk();
  expect(dbf::appendBlank(), "append to the made table refused");
  putAll();
  walk();
  dbf::closeArea();
}

// One program over the input; judges how it ended.
void run(const std::string& input, const std::function<void()>& program, bool mayWrite) {
  zelk_fuzz::writeFile("IN.DBF", input);
  zelk_fuzz::writeFile("OTHER.DBF", gOtherBytes);
  gDialogs->clear();
  const int status = platform::runtime::runMain(program);
  dbf::closeAll();
  dbf::select(1);
  if (status == kExitRuntimeError) {
    const std::string text = gDialogs->records().empty() ? "" : gDialogs->records().back().text;
    if (gStage == Stage::Open) broken("error on an accepted table: " + text);
    const bool named = text.find(kIn) != std::string::npos ||
                       (gStage == Stage::Making && text.find(kMade) != std::string::npos);
    if (!named) broken("error without the file's name: " + text);
    mayWrite = false;  // a file the engine failed to read is never written
  } else if (status != kExitNormal) {
    broken("program ended with status " + std::to_string(status));
  }
  if (!mayWrite && zelk_fuzz::readFile("IN.DBF") != input) broken("the file was written");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zelk_fuzz::mapScratchDrive();
  auto dialogs = std::make_unique<platform::ui::ScriptedBackend>();
  gDialogs = dialogs.get();
  platform::ui::setDialogBackend(std::move(dialogs));
  zelk_fuzz::makePeopleTable(kOther);
  gOtherBytes = zelk_fuzz::readFile("OTHER.DBF");
  dbf::use(kOther, dbf::kReadOnly);
  gOtherCount = dbf::recCount();
  dbf::closeAll();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  run(input, [] { exercise(dbf::kShared); }, true);
  run(input, [] { exercise(dbf::kExclusive); }, true);
  run(input, [] { exercise(dbf::kReadOnly); }, false);
  run(input, makeFromStructure, false);
  return 0;
}
