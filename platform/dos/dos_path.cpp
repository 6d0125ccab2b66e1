#include "platform/dos/dos_path.h"

#include <system_error>

#include "platform/dos/current_dir.h"
#include "platform/dos/drive_table.h"
#include "platform/text/cp1252.h"

namespace fs = std::filesystem;

namespace platform::dos {
namespace {

std::vector<std::string> splitParts(std::string_view s) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : s) {
    if (c == '\\' || c == '/') {
      if (!cur.empty()) parts.push_back(std::move(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(std::move(cur));
  return parts;
}

bool sameName(std::string_view a, std::string_view b) {
  return text::upperCp1252(a) == text::upperCp1252(b);
}

// The existing entry of folder whose name matches part without regard to
// case; the exact spelling wins over other spellings.
std::optional<std::string> matchEntry(const fs::path& folder, const std::string& hostPart) {
  std::error_code ec;
  if (fs::exists(folder / hostPart, ec)) return hostPart;
  fs::directory_iterator it(folder, ec), end;
  if (ec) return std::nullopt;
  const std::string want = text::utf8ToCp1252(hostPart);
  for (; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (sameName(text::utf8ToCp1252(name), want)) return name;
  }
  return std::nullopt;
}

}  // namespace

std::string DosPath::str() const {
  std::string out(1, drive);
  out += ":\\";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) out += '\\';
    out += parts[i];
  }
  return out;
}

std::optional<DosPath> absolute(std::string_view path) {
  DosPath result;
  // Windows ignores blanks around a path and trailing blanks and dots of
  // each name, so "C:\X\A.DBF " names C:\X\A.DBF.
  const auto first = path.find_first_not_of(' ');
  const auto last = path.find_last_not_of(' ');
  std::string_view rest = first == std::string_view::npos ? std::string_view() : path.substr(first, last - first + 1);
  bool hasDrive = rest.size() >= 2 && rest[1] == ':';
  if (hasDrive) {
    char d = text::upperCp1252(rest[0]);
    if (d < 'A' || d > 'Z') return std::nullopt;
    result.drive = d;
    rest.remove_prefix(2);
  } else {
    result.drive = currentDrive();
  }
  bool rooted = !rest.empty() && (rest[0] == '\\' || rest[0] == '/');
  std::vector<std::string> raw;
  if (!rooted) {
    // Only the current drive has a current folder; another drive's is its root.
    if (result.drive == currentDrive()) raw = splitParts(currentFolder());
  }
  for (auto& p : splitParts(rest)) raw.push_back(std::move(p));
  for (auto& p : raw) {
    if (p != "." && p != "..") {
      p.erase(p.find_last_not_of(" .") + 1);
      if (p.empty()) continue;
    }
    if (p == ".") continue;
    if (p == "..") {
      if (!result.parts.empty()) result.parts.pop_back();
      continue;
    }
    result.parts.push_back(std::move(p));
  }
  return result;
}

std::optional<fs::path> toHost(std::string_view dosPath) {
  auto abs = absolute(dosPath);
  if (!abs) return std::nullopt;
  if (!driveReady(abs->drive)) return std::nullopt;
  fs::path host = *driveRoot(abs->drive);
  bool existing = true;
  for (const auto& part : abs->parts) {
    std::string hostPart = text::cp1252ToUtf8(part);
    if (existing) {
      if (auto m = matchEntry(host, hostPart)) {
        host /= *m;
        continue;
      }
      existing = false;
    }
    host /= hostPart;
  }
  return host;
}

std::pair<std::string, std::string> splitLast(std::string_view dosPath) {
  auto pos = dosPath.find_last_of("\\/:");
  if (pos == std::string_view::npos) return {"", std::string(dosPath)};
  std::string folder(dosPath.substr(0, pos + 1));
  // Keep "C:\" and "C:" whole; drop the separator otherwise.
  if (folder.size() > 1 && folder.back() == '\\' && !(folder.size() == 3 && folder[1] == ':'))
    folder.pop_back();
  return {folder, std::string(dosPath.substr(pos + 1))};
}

}  // namespace platform::dos
