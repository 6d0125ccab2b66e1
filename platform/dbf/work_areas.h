#pragma once
// The dBase table engine of the runtime, as its work areas offer it. This
// is the only interface programs use for tables.
//
// A work area (1..kMaxAreas) holds at most one open table; one area is the
// current one and every table operation works on it. Table names are DOS
// paths; a name without a folder is looked for in the default folder, then
// along the search path, and ".DBF" is added when it has no extension.
//
// Errors: a table that cannot be opened or is not a readable dBase III file,
// an unknown field, a value of the wrong kind, a write that would corrupt a
// shared table: each ends in the general error handler
// (platform::runtime::runtimeError) with the file's name. A sharing conflict
// (another process or work area holds the table or the lock) is no error:
// the operation reports false and netErr() turns true.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/field_types.h"

namespace platform::dbf {

inline constexpr int kMaxAreas = 250;

// --- work areas -----------------------------------------------------------

// The number of the current work area (1 at start).
int currentArea();
// Makes area current; 0 selects the lowest free area, as SELECT 0 does.
// A number outside 0..kMaxAreas is an error.
void select(int area);
// Selects the lowest free area and returns its number.
int selectFree();
// Selects the area whose table has the alias (any case); false when none.
bool selectAlias(std::string_view alias);
// True when the current area holds a table.
bool used();
// The current table's alias ("" when the area is free).
std::string alias();

// --- opening and closing --------------------------------------------------

// How use() opens a table; combine with |. Without kExclusive the table is
// opened shared, the engine's default mode.
enum OpenFlags : int {
  kShared = 0,
  kExclusive = 1,
  kReadOnly = 2,
  kNewArea = 4,  // open in the lowest free area and select it
};

// Opens the table, closing whatever the (chosen) area held; the alias is the
// file name without its extension unless one is given. False, with netErr()
// true and the area left free, when another holder's open conflicts; any
// later operation on that area ends in the general error handler naming
// this table.
bool use(std::string_view name, int flags = kShared, std::string_view alias = {});

// True when the last open, lock or append failed on a sharing conflict.
bool netErr();

void closeArea();   // the current area's table, if any
void closeAll();    // every area; the current area stays selected

// --- moving ---------------------------------------------------------------

void goTop();
void goTo(std::uint32_t recno);
void skip(long count = 1);
// Status of the current area; a free area is at end of file with nothing.
bool eof();
std::uint32_t recNo();
std::uint32_t recCount();
bool deleted();

// --- fields ---------------------------------------------------------------

int fieldCount();
// The name of field pos (1-based), "" outside 1..fieldCount().
std::string fieldName(int pos);
// 1-based position of the field (any case), 0 when none.
int fieldPos(std::string_view name);
std::vector<FieldDef> structure();

// The current record's field: text with its padding blanks, number, date or
// logical; the field's blank value at end of file.
Value fieldGet(std::string_view name);
// Writes the field of the current record: text is cut or padded to the
// field's length, numbers stored with the field's decimals. Ignored at end
// of file. A shared table's record must be locked (record or table lock).
void fieldPut(std::string_view name, const Value& value);

// --- records --------------------------------------------------------------

// Appends a blank record and makes it current; in a shared table it stays
// locked. False with netErr() on a sharing conflict.
bool appendBlank();
// Appends every record of the table source (opened shared, read-only):
// fields are matched by name, those missing in source stay blank, extra
// ones are dropped, and values are cut or padded to the target's lengths.
// False with netErr() when a shared target cannot be locked.
bool appendFrom(std::string_view source);
// Removes every record; the table must be open exclusively.
void zap();

// --- locks and flushing ---------------------------------------------------

bool fLock();   // the whole table; releases a record lock first
bool rLock();   // the current record; releases the area's other locks
void unlock();
void commit();     // the current table: written and pushed to the device
void commitAll();  // every open table

// --- making tables --------------------------------------------------------

// Makes an empty table (replacing a file of that name unless it is open
// somewhere). The table is left closed.
void create(std::string_view name, std::vector<FieldDef> fields);
// Makes an empty structure table: FIELD_NAME C 10, FIELD_TYPE C 1,
// FIELD_LEN N 3, FIELD_DEC N 3.
void createStructureExtended(std::string_view name);
// Makes a table whose fields are the live records of a structure table.
void createFrom(std::string_view name, std::string_view structureTable);

// --- where bare names go --------------------------------------------------

// The default folder for bare table names; "" is the current folder.
void setDefault(std::string_view folder);
std::string defaultFolder();
// The search path for tables opened by a bare name: folders separated by
// ';' or ','; "" clears it.
void setPath(std::string_view folders);
std::string searchPath();

// The full DOS name a table name stands for when opened (the first match
// along the default folder and the search path; the default folder's when
// none exists).
std::string tablePath(std::string_view name);

}  // namespace platform::dbf
