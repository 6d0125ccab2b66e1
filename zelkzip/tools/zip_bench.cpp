// The benchmark's helper (scripts/bench-zip), not part of the program:
//   zip_bench generate FOLDER MEGABYTES   dBase-like tables, always the same
//   zip_bench pack-test PATTERN CONTAINER    ZipFile, then TestUnZip
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bridge/unzip_file.h"
#include "bridge/zip_file.h"

namespace {

struct Rng {
  std::uint64_t s = 0x9E3779B97F4A7C15ull;
  std::uint32_t next() {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return static_cast<std::uint32_t>(s >> 16);
  }
  std::uint32_t below(std::uint32_t n) { return next() % n; }
};

struct Field {
  const char* name;
  char type;
  int length, decimals;
};

const std::vector<Field> kFields = {{"SIFRA_", 'C', 10, 0},  {"NAZIV_", 'C', 40, 0},   {"MESTO_", 'C', 20, 0},
                                    {"IZNOS_", 'N', 14, 2},  {"DATUM_", 'D', 8, 0},    {"KOLICINA_", 'N', 10, 0},
                                    {"KONTO_", 'C', 6, 0},   {"NAPOMENA_", 'C', 60, 0}};

const char* kWords[] = {"PETROVIC",  "JOVANOVIC", "NIKOLIC", "MARKOVIC", "DOO",     "AD",       "TRGOVINA",
                        "PROMET",    "BEOGRAD",   "NIS",     "KRAGUJEVAC", "UPLATA", "ISPLATA",  "FAKTURA",
                        "AVANS",     "POVRAT",    "KOMPENZACIJA", "STR",  "SZR",     "SERVIS",   "MATERIJAL"};
const char* kCities[] = {"BEOGRAD", "NOVI SAD", "NIS", "KRAGUJEVAC", "SUBOTICA", "CACAK", "KRALJEVO", "VALJEVO"};

std::string pad(std::string s, int n) {
  s.resize(static_cast<std::size_t>(n), ' ');
  return s;
}

void writeTable(const std::string& path, std::size_t bytes, Rng& rng) {
  int recordLength = 1;
  for (const auto& f : kFields) recordLength += f.length;
  const std::size_t records = bytes / static_cast<std::size_t>(recordLength);
  std::string header(32, '\0');
  header[0] = 0x03;
  header[1] = 104;
  header[2] = 3;
  header[3] = 15;
  for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<char>((records >> (8 * i)) & 0xFF);
  const int headerLength = 32 + 32 * static_cast<int>(kFields.size()) + 1;
  header[8] = static_cast<char>(headerLength & 0xFF);
  header[9] = static_cast<char>(headerLength >> 8);
  header[10] = static_cast<char>(recordLength & 0xFF);
  header[11] = static_cast<char>(recordLength >> 8);
  for (const auto& f : kFields) {
    std::string d(32, '\0');
    std::memcpy(d.data(), f.name, std::strlen(f.name));
    d[11] = f.type;
    d[16] = static_cast<char>(f.length);
    d[17] = static_cast<char>(f.decimals);
    header += d;
  }
  header += '\x0D';
  std::ofstream out(path, std::ios::binary);
  out << header;
  std::string row;
  char buf[64];
  const std::uint32_t customers = 50 + rng.below(2000);
  for (std::size_t r = 0; r < records; ++r) {
    row = " ";
    const std::uint32_t customer = rng.below(customers);
    std::snprintf(buf, sizeof buf, "%06u", customer);
    row += pad(buf, 10);
    Rng name{0x1234567ull + customer};
    row += pad(std::string(kWords[name.below(4)]) + " " + kWords[4 + name.below(4)] + " " + kWords[7 + name.below(3)], 40);
    row += pad(kCities[name.below(8)], 20);
    std::snprintf(buf, sizeof buf, "%14.2f", rng.below(10000000) / 100.0);
    row += buf;
    std::snprintf(buf, sizeof buf, "%04u%02u%02u", 2000 + rng.below(5), 1 + rng.below(12), 1 + rng.below(28));
    row += buf;
    std::snprintf(buf, sizeof buf, "%10u", rng.below(1000));
    row += buf;
    std::snprintf(buf, sizeof buf, "%u", 2000 + rng.below(40) * 10);
    row += pad(buf, 6);
    row += pad(rng.below(4) == 0 ? std::string(kWords[11 + rng.below(10)]) + " " + std::to_string(rng.below(99999)) : "", 60);
    out << row;
  }
  out << '\x1A';
}

int generate(const std::string& folder, double megabytes) {
  // A year of a company's tables: a few large ledgers, many small tables.
  const double shares[] = {20, 15, 12, 10, 8, 6, 5, 4, 3, 3, 2, 2, 2, 1.5, 1.5, 1, 1, 1, 0.5, 0.5,
                           0.4, 0.3, 0.2, 0.2, 0.1, 0.1, 0.1, 0.05, 0.05, 0.05};
  double total = 0;
  for (double s : shares) total += s;
  Rng rng;
  int i = 0;
  for (double s : shares) {
    char name[32];
    std::snprintf(name, sizeof name, "/TAB%02d.DBF", ++i);
    writeTable(folder + name, static_cast<std::size_t>(megabytes * 1e6 * s / total), rng);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "generate") return generate(argv[2], std::stod(argv[3]));
  if (argc == 4 && std::string(argv[1]) == "pack-test") {
    if (!ZipFile(std::string(argv[2]), std::string(argv[3]))) return 2;
    return TestUnZip(argv[3]) ? 0 : 3;
  }
  std::fprintf(stderr, "usage: zip_bench generate FOLDER MEGABYTES | pack-test PATTERN CONTAINER\n");
  return 1;
}
