#pragma once
// dBase III files written and read byte by byte, apart from the engine, so
// tests can check the engine's files against the format itself and hand it
// files of their own (damaged ones included).
#include <cstdint>
#include <string>
#include <vector>

namespace zelk_test {

struct RawField {
  std::string name;
  char type;
  int length;
  int decimals = 0;
};

inline void putLe(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i) & 0xFF);
}
inline std::uint32_t getLe(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

// A table of the fields; each record is the field bytes after the flag
// (shorter ones padded with blanks), all live.
inline std::string dbfFile(const std::vector<RawField>& fields, const std::vector<std::string>& records) {
  const std::size_t headerLength = 32 + 32 * fields.size() + 1;
  std::size_t recordLength = 1;
  for (const auto& f : fields) recordLength += static_cast<std::size_t>(f.length);
  std::string b(headerLength, '\0');
  b[0] = 0x03;
  b[1] = 101;  // 2001-03-05
  b[2] = 3;
  b[3] = 5;
  putLe(b, 4, static_cast<std::uint32_t>(records.size()), 4);
  putLe(b, 8, static_cast<std::uint32_t>(headerLength), 2);
  putLe(b, 10, static_cast<std::uint32_t>(recordLength), 2);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t d = 32 + 32 * i;
    b.replace(d, fields[i].name.size(), fields[i].name);
    b[d + 11] = fields[i].type;
    b[d + 16] = static_cast<char>(fields[i].length);
    b[d + 17] = static_cast<char>(fields[i].decimals);
  }
  b[headerLength - 1] = 0x0D;
  for (const auto& r : records) {
    std::string rec = " " + r;
    rec.resize(recordLength, ' ');
    b += rec;
  }
  b += '\x1A';
  return b;
}

// What a reader of the format sees in a file: the header's numbers, the
// descriptors, and each record's bytes (flag included). Checks nothing.
struct RawTable {
  int version = 0;
  std::uint32_t count = 0;
  std::size_t headerLength = 0, recordLength = 0;
  std::vector<RawField> fields;
  std::vector<std::string> records;
};

inline RawTable readDbf(const std::string& b) {
  RawTable t;
  t.version = static_cast<unsigned char>(b.at(0));
  t.count = getLe(b, 4, 4);
  t.headerLength = getLe(b, 8, 2);
  t.recordLength = getLe(b, 10, 2);
  for (std::size_t d = 32; d + 32 <= t.headerLength && b.at(d) != 0x0D; d += 32) {
    std::string name = b.substr(d, 11);
    name.resize(name.find('\0') == std::string::npos ? 11 : name.find('\0'));
    t.fields.push_back({name, b[d + 11], static_cast<unsigned char>(b[d + 16]), static_cast<unsigned char>(b[d + 17])});
  }
  for (std::uint32_t r = 0; r < t.count; ++r) t.records.push_back(b.substr(t.headerLength + r * t.recordLength, t.recordLength));
  return t;
}

}  // namespace zelk_test
