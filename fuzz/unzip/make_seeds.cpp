// Writes the unpack fuzzer's seed containers made by our own packing job
// into the folder given: stored and deflated entries, a name beyond ASCII
// (stored as UTF-8), ZIP64 local headers, and the empty container.
// scripts/fuzz-unzip adds containers made by Info-ZIP zip.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "azip32.h"
#include "pack_job.h"
#include "platform/dos/drive_table.h"
#include "platform/text/cp1252.h"

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// Table-like rows: repetitive, so that they deflate.
std::string rows(int count) {
  std::string out = "\x03\x7B\x01\x0F";
  out.resize(32, ' ');
  for (int r = 0; r < count; ++r) out += " KUPAC " + std::to_string(r * 37 % 1000) + "       UPLATA    20240101";
  return out;
}

struct Seed {
  const char* container;
  std::vector<std::pair<std::string, std::string>> files;  // Windows-1252 name, bytes
  bool zip64;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s seed-folder\n", argv[0]);
    return 2;
  }
  const fs::path seeds = fs::absolute(argv[1]);
  fs::create_directories(seeds);
  const fs::path drive = fs::temp_directory_path() / ("unzip-seeds-" + std::to_string(::getpid()));
  fs::remove_all(drive);
  fs::create_directories(drive);
  setenv("ZELK_DRIVE_C", drive.c_str(), 1);
  platform::dos::reloadDriveTable();

  const std::vector<Seed> all = {
      {"ours-deflated.zip", {{"A.DBF", rows(40)}, {"B.CDX", rows(5)}}, false},
      {"ours-stored.zip", {{"X.TXT", "x"}, {"EMPTY.DBF", ""}}, false},
      {"ours-cp1252.zip", {{"\x8EIRO.DBF", rows(3)}, {"\xC8" "A\xD0.TXT", "abc"}}, false},
      {"ours-zip64.zip", {{"Z.DBF", rows(20)}, {"S.TXT", "s"}}, true},
  };
  int failed = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const fs::path folder = drive / ("IN" + std::to_string(i));
    for (const auto& [name, bytes] : all[i].files) writeFile(folder / platform::text::cp1252ToUtf8(name), bytes);
    azip32::PackJob job;
    job.archive = "C:\\OUT.ZIP";
    job.include = "C:\\IN" + std::to_string(i) + "\\*.*|";
    job.forceZip64 = all[i].zip64;
    if (azip32::runPackJob(job) != AZIP_OK) {
      std::fprintf(stderr, "cannot pack %s\n", all[i].container);
      ++failed;
      continue;
    }
    fs::rename(drive / "OUT.ZIP", seeds / all[i].container);
  }
  // The empty container: its end record alone.
  writeFile(seeds / "ours-empty.zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  fs::remove_all(drive);
  return failed ? 1 : 0;
}
