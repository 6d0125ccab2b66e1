// Writes the dBase fuzzer's starting corpus into the folder given: small
// tables made by the engine (so their bytes are exactly what it writes) and
// a few copies damaged where the format is easiest to get wrong.
//
//   dbf_fuzz_seeds FOLDER
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/dbf/sample_tables.h"
#include "fuzz/dbf/scratch_drive.h"
#include "platform/dbf/work_areas.h"
#include "platform/runtime/program_end.h"
#include "platform/ui/scripted_backend.h"

namespace dbf = platform::dbf;

namespace {

void putLe(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i) & 0xFF);
}

// The engine's own tables, by seed name.
std::vector<std::pair<std::string, std::string>> engineTables() {
  std::vector<std::pair<std::string, std::string>> out;
  auto keep = [&](const std::string& seed, const std::string& file) {
    out.emplace_back(seed, zelk_fuzz::readFile(file));
  };
  zelk_fuzz::makePeopleTable("C:\\PEOPLE.DBF");
  keep("people", "PEOPLE.DBF");

  dbf::create("C:\\ONE.DBF", {{"A", 'C', 1, 0}});
  keep("one_empty_field", "ONE.DBF");

  dbf::create("C:\\WIDE.DBF", {{"TEXT", 'C', 254, 0}, {"AMOUNT", 'N', 19, 4}});
  dbf::use("C:\\WIDE.DBF", dbf::kExclusive);
  dbf::appendBlank();
  dbf::fieldPut("TEXT", dbf::Value(std::string(254, 'W')));
  dbf::fieldPut("AMOUNT", dbf::Value(-123456789.5));
  dbf::closeArea();
  keep("wide_fields", "WIDE.DBF");

  // A structure table, the source createFrom reads.
  dbf::createStructureExtended("C:\\STRU.DBF");
  dbf::use("C:\\STRU.DBF", dbf::kExclusive);
  const struct {
    const char* name;
    const char* type;
    int len, dec;
  } rows[] = {{"NAME", "C", 10, 0}, {"QTY", "N", 7, 2}, {"WHEN", "D", 8, 0}, {"OK", "L", 1, 0}};
  for (const auto& r : rows) {
    dbf::appendBlank();
    dbf::fieldPut("FIELD_NAME", dbf::Value(r.name));
    dbf::fieldPut("FIELD_TYPE", dbf::Value(r.type));
    dbf::fieldPut("FIELD_LEN", dbf::Value(r.len));
    dbf::fieldPut("FIELD_DEC", dbf::Value(r.dec));
  }
  dbf::closeArea();
  keep("structure_table", "STRU.DBF");

  // Another tool's structure table, the lengths held as text.
  dbf::create("C:\\TEXTSTRU.DBF", {{"FIELD_NAME", 'C', 10, 0}, {"FIELD_TYPE", 'C', 1, 0},
                                    {"FIELD_LEN", 'C', 12, 0}, {"FIELD_DEC", 'C', 12, 0}});
  dbf::use("C:\\TEXTSTRU.DBF", dbf::kExclusive);
  for (const auto& r : rows) {
    dbf::appendBlank();
    dbf::fieldPut("FIELD_NAME", dbf::Value(r.name));
    dbf::fieldPut("FIELD_TYPE", dbf::Value(r.type));
    dbf::fieldPut("FIELD_LEN", dbf::Value(std::to_string(r.len)));
    dbf::fieldPut("FIELD_DEC", dbf::Value(std::to_string(r.dec)));
  }
  dbf::closeArea();
  keep("structure_table_text_lengths", "TEXTSTRU.DBF");
  return out;
}

// Damaged copies of the people table (header 161 bytes, records 21).
std::vector<std::pair<std::string, std::function<void(std::string&)>>> damages() {
  return {
      {"memo_version_and_field", [](std::string& b) { b[0] = static_cast<char>(0x83); b[32 + 11] = 'M'; }},
      {"count_beyond_data", [](std::string& b) { putLe(b, 4, 9, 4); }},
      {"cut_in_last_record", [](std::string& b) { b.resize(b.size() - 8); }},
      {"header_beyond_file", [](std::string& b) { putLe(b, 8, 4000, 2); }},
      {"lower_case_field_name", [](std::string& b) { b[32] = 'n'; b[33] = 'a'; }},
      {"trailing_bytes", [](std::string& b) { b += std::string(30, 'Z'); }},
      {"no_end_mark", [](std::string& b) { b.pop_back(); }},
      {"record_length_off", [](std::string& b) { putLe(b, 10, 20, 2); }},
      {"deleted_record", [](std::string& b) { b[161] = '*'; }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
  std::filesystem::create_directories(folder);
  zelk_fuzz::mapScratchDrive();
  platform::ui::ScopedScriptedDialogs dialogs;

  std::vector<std::pair<std::string, std::string>> seeds;
  const int status = platform::runtime::runMain([&] {
    seeds = engineTables();
    const std::string people = seeds.front().second;
    for (const auto& [name, damage] : damages()) {
      std::string b = people;
      damage(b);
      seeds.emplace_back(name, b);
    }
  });
  if (status != platform::runtime::kExitNormal) {
    std::fprintf(stderr, "dbf_fuzz_seeds: the engine failed: %s\n",
                 dialogs->records().empty() ? "" : dialogs->records().back().text.c_str());
    return 1;
  }
  for (const auto& [name, bytes] : seeds) std::ofstream(folder / (name + ".dbf"), std::ios::binary) << bytes;
  std::printf("dbf_fuzz_seeds: %zu seeds in %s\n", seeds.size(), folder.c_str());
  return 0;
}
