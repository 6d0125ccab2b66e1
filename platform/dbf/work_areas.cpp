#include "platform/dbf/work_areas.h"

#include <array>
#include <memory>

#include "platform/dbf/dbf_table.h"
#include "platform/dos/dos_path.h"
#include "platform/files/file_services.h"
#include "platform/text/cp1252.h"
#include "platform/text/xbase.h"

namespace platform::dbf {
namespace {

struct Area {
  std::unique_ptr<Table> table;
  std::string alias;
  // The last open that left this area free on a sharing conflict, so the
  // error on the free area can name the table.
  std::string refusedName;
};

struct Engine {
  std::array<Area, kMaxAreas + 1> areas;  // [0] unused
  int current = 1;
  bool netErr = false;
  std::string defaultFolder;
  std::string searchPath;
  ~Engine() {
    // Tables still open at the end of the program are closed here.
    for (auto& a : areas) a.table.reset();
  }
};

Engine& engine() {
  static Engine e;
  return e;
}

Area& area() { return engine().areas[static_cast<std::size_t>(engine().current)]; }

// The current area's table; a free area is an error of the program.
Table& table() {
  Area& a = area();
  if (a.table) return *a.table;
  if (!a.refusedName.empty())
    engineError("tabela je zauzeta na drugom mestu, radna oblast nije u upotrebi (table held elsewhere, work area not in use)",
                a.refusedName);
  engineError("radna oblast nije u upotrebi (work area not in use)",
              "radna oblast " + std::to_string(engine().current));
}

// For the status queries: a free area answers with neutral values, but one
// whose open was refused is an error, so that a table held elsewhere is never
// taken for an empty one.
Table* status() {
  Area& a = area();
  if (!a.table && !a.refusedName.empty()) table();
  return a.table.get();
}

int fieldIndexOrFail(Table& t, std::string_view name) {
  int i = t.fieldIndex(name);
  if (i < 0) engineError("polje ne postoji: " + xbase::AllTrim(name) + " (no such field)", t.name());
  return i;
}

bool hasFolder(std::string_view name) { return name.find_first_of("\\/:") != std::string_view::npos; }

std::string withExtension(std::string_view name) {
  std::string n = xbase::AllTrim(name);
  auto [folder, file] = dos::splitLast(n);
  if (file.find('.') == std::string::npos) n += ".DBF";
  return n;
}

std::string joinDos(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '\\' || folder.back() == ':') return folder + name;
  return folder + "\\" + name;
}

// A full DOS name; names on a drive that does not exist stay as given.
std::string full(const std::string& name) {
  auto abs = dos::absolute(name);
  return abs ? abs->str() : name;
}

std::vector<std::string> pathFolders() {
  std::vector<std::string> out;
  std::string cur;
  for (char c : engine().searchPath + ";") {
    if (c == ';' || c == ',') {
      cur = xbase::AllTrim(cur);
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  return out;
}

// Where a new table of that name goes: bare names into the default folder.
std::string createPath(std::string_view name) {
  std::string n = withExtension(name);
  if (hasFolder(n)) return full(n);
  return full(joinDos(engine().defaultFolder, n));
}

std::string aliasOf(const std::string& dosName) {
  std::string file = dos::splitLast(dosName).second;
  auto dot = file.rfind('.');
  if (dot != std::string::npos) file.erase(dot);
  return text::upperCp1252(file);
}

}  // namespace

int currentArea() { return engine().current; }

void select(int n) {
  if (n == 0) {
    selectFree();
    return;
  }
  if (n < 0 || n > kMaxAreas)
    engineError("neispravan broj radne oblasti (bad work area number)", "radna oblast " + std::to_string(n));
  engine().current = n;
}

int selectFree() {
  for (int n = 1; n <= kMaxAreas; ++n) {
    if (!engine().areas[static_cast<std::size_t>(n)].table) {
      engine().current = n;
      return n;
    }
  }
  engineError("nema slobodne radne oblasti (no free work area)", "");
}

bool selectAlias(std::string_view name) {
  const std::string want = text::upperCp1252(xbase::AllTrim(name));
  for (int n = 1; n <= kMaxAreas; ++n) {
    const Area& a = engine().areas[static_cast<std::size_t>(n)];
    if (a.table && a.alias == want) {
      engine().current = n;
      return true;
    }
  }
  return false;
}

bool used() { return static_cast<bool>(area().table); }
std::string alias() { return area().table ? area().alias : std::string(); }

bool use(std::string_view name, int flags, std::string_view givenAlias) {
  if (flags & kNewArea) selectFree();
  closeArea();
  const std::string dosName = tablePath(name);
  const std::string newAlias =
      givenAlias.empty() ? aliasOf(dosName) : text::upperCp1252(xbase::AllTrim(givenAlias));
  for (int n = 1; n <= kMaxAreas; ++n) {
    const Area& a = engine().areas[static_cast<std::size_t>(n)];
    if (a.table && a.alias == newAlias) engineError("alias " + newAlias + " je vec u upotrebi (alias already in use)", dosName);
  }
  auto t = Table::open(dosName, Table::Mode{(flags & kExclusive) != 0, (flags & kReadOnly) != 0});
  engine().netErr = !t;
  if (!t) {
    area().refusedName = dosName;
    return false;
  }
  area().table = std::move(t);
  area().alias = newAlias;
  return true;
}

bool netErr() { return engine().netErr; }

void closeArea() {
  Area& a = area();
  a.table.reset();
  a.alias.clear();
  a.refusedName.clear();
}

void closeAll() {
  for (auto& a : engine().areas) {
    a.table.reset();
    a.alias.clear();
    a.refusedName.clear();
  }
}

void goTop() { table().goTop(); }
void goTo(std::uint32_t recno) { table().goTo(recno); }
void skip(long count) { table().skip(count); }
bool eof() { return status() ? status()->eof() : true; }
std::uint32_t recNo() { return status() ? status()->recNo() : 0; }
std::uint32_t recCount() { return status() ? status()->recCount() : 0; }
bool deleted() { return status() ? status()->deleted() : false; }

int fieldCount() { return status() ? static_cast<int>(status()->fields().size()) : 0; }

std::string fieldName(int pos) {
  if (pos < 1 || pos > fieldCount()) return "";
  return area().table->fields()[static_cast<std::size_t>(pos - 1)].name;
}

int fieldPos(std::string_view name) { return status() ? status()->fieldIndex(name) + 1 : 0; }

std::vector<FieldDef> structure() { return status() ? status()->fields() : std::vector<FieldDef>{}; }

Value fieldGet(std::string_view name) {
  Table& t = table();
  return t.get(fieldIndexOrFail(t, name));
}

void fieldPut(std::string_view name, const Value& value) {
  Table& t = table();
  t.put(fieldIndexOrFail(t, name), value);
}

bool appendBlank() {
  bool ok = table().appendBlank();
  engine().netErr = !ok;
  return ok;
}

bool appendFrom(std::string_view source) {
  Table& t = table();
  const std::string from = tablePath(source);
  auto src = Table::open(from, Table::Mode{false, true});
  if (!src) engineError("tabela je zauzeta (table is in use)", from);
  bool ok = t.appendFrom(*src);
  engine().netErr = !ok;
  return ok;
}

void zap() { table().zap(); }

bool fLock() {
  bool ok = table().lockTable();
  engine().netErr = !ok;
  return ok;
}

bool rLock() {
  bool ok = table().lockRecord();
  engine().netErr = !ok;
  return ok;
}

void unlock() {
  if (area().table) area().table->unlock();
}

void commit() {
  if (area().table) area().table->commit();
}

void commitAll() {
  for (auto& a : engine().areas)
    if (a.table) a.table->commit();
}

void create(std::string_view name, std::vector<FieldDef> fields) {
  Table::create(createPath(name), std::move(fields));
}

void createStructureExtended(std::string_view name) {
  create(name, {{"FIELD_NAME", 'C', 10, 0}, {"FIELD_TYPE", 'C', 1, 0}, {"FIELD_LEN", 'N', 3, 0},
                {"FIELD_DEC", 'N', 3, 0}});
}

void createFrom(std::string_view name, std::string_view structureTable) {
  const std::string from = tablePath(structureTable);
  auto src = Table::open(from, Table::Mode{false, true});
  if (!src) engineError("tabela je zauzeta (table is in use)", from);
  const int iName = src->fieldIndex("FIELD_NAME"), iType = src->fieldIndex("FIELD_TYPE"),
            iLen = src->fieldIndex("FIELD_LEN"), iDec = src->fieldIndex("FIELD_DEC");
  if (iName < 0 || iType < 0 || iLen < 0 || iDec < 0)
    engineError("nije tabela strukture (not a structure table)", from);
  std::vector<FieldDef> fields;
  for (src->goTop(); !src->eof(); src->skip(1)) {
    if (src->deleted()) continue;
    // Numbers and text both serve as lengths, as structure tables of other
    // tools hold either.
    auto number = [&](int i) {
      Value v = src->get(i);
      const double n = v.type() == 'N' ? v.number() : xbase::Val(v.text());
      // Far beyond any length the format holds, the field checks refuse it
      // as -1; converting a number outside int's range is undefined.
      return n > -1 && n < 65536 ? static_cast<int>(n) : -1;
    };
    const std::string type = xbase::AllTrim(src->get(iType).text());
    fields.push_back({xbase::AllTrim(src->get(iName).text()), type.empty() ? ' ' : type[0], number(iLen),
                      number(iDec)});
  }
  src.reset();
  create(name, std::move(fields));
}

void setDefault(std::string_view folder) { engine().defaultFolder = xbase::AllTrim(folder); }
std::string defaultFolder() { return engine().defaultFolder; }
void setPath(std::string_view folders) { engine().searchPath = std::string(folders); }
std::string searchPath() { return engine().searchPath; }

std::string tablePath(std::string_view name) {
  std::string n = withExtension(name);
  if (hasFolder(n)) return full(n);
  const std::string first = full(joinDos(engine().defaultFolder, n));
  if (files::exists(first)) return first;
  for (const auto& folder : pathFolders()) {
    std::string candidate = full(joinDos(folder, n));
    if (files::exists(candidate)) return candidate;
  }
  return first;
}

}  // namespace platform::dbf
