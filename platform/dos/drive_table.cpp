#include "platform/dos/drive_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <mutex>
#include <system_error>

#include "platform/text/cp1252.h"

namespace fs = std::filesystem;

namespace platform::dos {
namespace {

struct Table {
  std::array<std::optional<fs::path>, 26> roots;
};

std::mutex gMutex;
std::optional<Table> gTable;

fs::path normalised(const fs::path& p) {
  std::error_code ec;
  fs::path abs = fs::absolute(p, ec);
  if (ec) abs = p;
  fs::path out = abs.lexically_normal();
  // "/home/x/" and "/home/x" name the same drive root.
  if (out.has_filename() == false && out != out.root_path()) out = out.parent_path();
  return out;
}

Table readTable() {
  Table t;
  if (const char* home = std::getenv("HOME"); home && *home) t.roots['C' - 'A'] = normalised(home);
  t.roots['Z' - 'A'] = fs::path("/");
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string var = std::string("ZELK_DRIVE_") + letter;
    const char* v = std::getenv(var.c_str());
    if (!v) continue;
    if (*v) t.roots[letter - 'A'] = normalised(v);
    else t.roots[letter - 'A'].reset();
  }
  return t;
}

const Table& table() {
  std::lock_guard lock(gMutex);
  if (!gTable) gTable = readTable();
  return *gTable;
}

int index(char letter) {
  char u = text::upperCp1252(letter);
  return (u >= 'A' && u <= 'Z') ? u - 'A' : -1;
}

}  // namespace

std::optional<fs::path> driveRoot(char letter) {
  int i = index(letter);
  if (i < 0) return std::nullopt;
  return table().roots[i];
}

bool driveReady(char letter) {
  auto root = driveRoot(letter);
  std::error_code ec;
  return root && fs::is_directory(*root, ec);
}

std::optional<std::string> hostToDos(const fs::path& host) {
  const fs::path p = normalised(host);
  const Table& t = table();
  int best = -1;
  std::size_t bestLen = 0;
  for (int i = 0; i < 26; ++i) {
    if (!t.roots[i]) continue;
    const fs::path& root = *t.roots[i];
    auto [rootEnd, pEnd] = std::mismatch(root.begin(), root.end(), p.begin(), p.end());
    if (rootEnd != root.end()) continue;
    std::size_t len = std::distance(root.begin(), root.end());
    if (best < 0 || len > bestLen) { best = i; bestLen = len; }
  }
  if (best < 0) return std::nullopt;
  std::string out(1, static_cast<char>('A' + best));
  out += ":\\";
  const fs::path& root = *t.roots[best];
  auto it = p.begin();
  std::advance(it, std::distance(root.begin(), root.end()));
  bool first = true;
  for (; it != p.end(); ++it) {
    if (it->empty()) continue;
    if (!first) out += '\\';
    out += text::utf8ToCp1252(it->string());
    first = false;
  }
  return out;
}

void reloadDriveTable() {
  std::lock_guard lock(gMutex);
  gTable.reset();
}

}  // namespace platform::dos
