#include "platform/profile/profile_file.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/text/cp1252.h"
#include "platform/hostfiles/replace_file.h"

namespace platform::profile {
namespace {

struct Line {
  std::string_view text;    // without its break
  std::string_view ending;  // "", "\r\n", "\n" or "\r"
};

std::vector<Line> splitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t end = content.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back({content.substr(pos), {}});
      break;
    }
    std::size_t breakLength =
        (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1;
    lines.push_back({content.substr(pos, end - pos), content.substr(end, breakLength)});
    pos = end + breakLength;
  }
  return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The section name of a "[name]" line; nothing for other lines.
std::optional<std::string_view> sectionOf(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return trim(line.substr(0, line.find(']')));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyOf(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

// Nothing when the file exists but cannot be read; "" when it is missing.
std::optional<std::string> readContent(const std::filesystem::path& file, bool& missing) {
  missing = false;
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) {
    missing = errno == ENOENT;
    return missing ? std::optional<std::string>("") : std::nullopt;
  }
  std::string content;
  char buffer[8192];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return content;
}

}  // namespace

std::string readString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view defaultValue,
                       std::size_t bufferSize) {
  auto fit = [bufferSize](std::string_view s) {
    return std::string(bufferSize == 0 ? std::string_view() : s.substr(0, bufferSize - 1));
  };
  bool missing = false;
  std::optional<std::string> content = readContent(file, missing);
  if (!content) return fit(defaultValue);

  bool inSection = false;
  for (const Line& line : splitLines(*content)) {
    if (auto name = sectionOf(line.text)) {
      // Only the first section of that name is searched.
      if (inSection) break;
      inSection = text::equalNoCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    auto entry = keyOf(line.text);
    if (!entry || !text::equalNoCase(entry->key, key)) continue;
    std::string_view value = entry->value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return fit(value);
  }
  return fit(defaultValue);
}

bool writeString(const std::filesystem::path& file, std::string_view section,
                 std::string_view key, std::string_view value) {
  bool missing = false;
  std::optional<std::string> content = readContent(file, missing);
  if (!content) return false;
  std::vector<Line> lines = splitLines(*content);

  std::string keyLine = std::string(key) + "=" + std::string(value);
  std::optional<std::size_t> header;
  std::optional<std::size_t> found;
  std::size_t lastFilled = 0;  // last non-blank line of the section
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto name = sectionOf(lines[i].text)) {
      if (header) break;
      if (text::equalNoCase(*name, section)) header = lastFilled = i;
      continue;
    }
    if (!header) continue;
    if (!trim(lines[i].text).empty()) lastFilled = i;
    auto entry = keyOf(lines[i].text);
    if (entry && text::equalNoCase(entry->key, key)) {
      found = i;
      break;
    }
  }

  std::string out;
  out.reserve(content->size() + keyLine.size() + section.size() + 8);
  auto emit = [&out](const Line& line, bool needBreak) {
    out.append(line.text);
    out.append(line.ending.empty() && needBreak ? std::string_view("\r\n") : line.ending);
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (found && i == *found) {
      out.append(keyLine);
      out.append(lines[i].ending);
      continue;
    }
    bool insertAfter = header && !found && i == lastFilled;
    emit(lines[i], insertAfter || i + 1 < lines.size() || !header);
    if (insertAfter) out.append(keyLine).append("\r\n");
  }
  if (!header) {
    // The last line was given a break above when there was one.
    out.append("[").append(section).append("]\r\n");
    out.append(keyLine).append("\r\n");
  }
  return hostfiles::replaceFile(file, out);
}

}  // namespace platform::profile
