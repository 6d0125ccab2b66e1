#include "platform/dbf/dbf_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <set>

#include "platform/text/cp1252.h"
#include "platform/text/xbase.h"

namespace platform::dbf::format {
namespace {

std::uint16_t get16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t get32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}
void put16(std::string& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void put32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i) & 0xFF);
}

bool fail(std::string* why, const char* reason) {
  if (why) *why = reason;
  return false;
}

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

void layOut(Header& h) {
  h.offsets.clear();
  int at = 0;
  for (const auto& f : h.fields) {
    h.offsets.push_back(at);
    at += f.length;
  }
}

// Numbers as the format stores them: fixed decimals, right-aligned, and
// independent of the process's locale.
std::string formatNumber(double n, int length, int decimals) {
  if (!std::isfinite(n)) return std::string(static_cast<std::size_t>(length), '*');
  if (n == 0) n = 0;  // no "-0"
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, n, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return std::string(static_cast<std::size_t>(length), '*');
  std::string s(buf, r.ptr);
  if (s == "-0" || s.find_first_not_of("-0.") == std::string::npos) {
    // A negative number that rounds to zero is stored as zero.
    if (s[0] == '-') s.erase(0, 1);
  }
  if (static_cast<int>(s.size()) > length) return std::string(static_cast<std::size_t>(length), '*');
  return xbase::PadL(s, static_cast<std::size_t>(length));
}

bool validDate(const Date& d) {
  if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  return d.day <= kDays[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
}

}  // namespace

std::optional<Header> parsePrefix(std::string_view bytes, std::string* why) {
  if (bytes.size() < kPrefixSize) {
    fail(why, "fajl je kraci od zaglavlja tabele (file shorter than a table header)");
    return std::nullopt;
  }
  Header h;
  h.version = static_cast<unsigned char>(bytes[0]);
  // dBase III and the later versions that keep its layout mark it in the
  // low three bits; the high bit only says a memo file exists.
  if ((h.version & 0x07) != 0x03) {
    fail(why, "fajl nije dBase III tabela (not a dBase III table)");
    return std::nullopt;
  }
  h.updated = Date{1900 + static_cast<unsigned char>(bytes[1]), static_cast<unsigned char>(bytes[2]),
                   static_cast<unsigned char>(bytes[3])};
  h.recordCount = get32(bytes, 4);
  h.headerLength = get16(bytes, 8);
  h.recordLength = get16(bytes, 10);
  if (h.headerLength < kPrefixSize + kDescriptorSize + 1) {
    fail(why, "neispravna duzina zaglavlja (bad header length)");
    return std::nullopt;
  }
  if (h.recordLength < 2) {
    fail(why, "neispravna duzina zapisa (bad record length)");
    return std::nullopt;
  }
  return h;
}

std::optional<Header> parseHeader(std::string_view bytes, std::uint64_t fileSize, std::string* why) {
  auto h = parsePrefix(bytes, why);
  if (!h) return std::nullopt;
  if (h->headerLength > fileSize || h->headerLength > bytes.size()) {
    fail(why, "zaglavlje navodi vise nego sto fajl sadrzi (header claims more than the file holds)");
    return std::nullopt;
  }
  std::size_t pos = kPrefixSize;
  bool terminated = false;
  std::set<std::string> names;
  while (pos < h->headerLength) {
    if (bytes[pos] == kTerminator) {
      terminated = true;
      break;
    }
    if (pos + kDescriptorSize > h->headerLength) {
      fail(why, "opis polja prelazi kraj zaglavlja (field descriptor crosses the header end)");
      return std::nullopt;
    }
    std::string_view d = bytes.substr(pos, kDescriptorSize);
    FieldDef f;
    std::string_view rawName = d.substr(0, 11);
    f.name = std::string(rawName.substr(0, rawName.find('\0')));
    for (char c : f.name)
      if (static_cast<unsigned char>(c) <= 0x20) f.name.clear();
    if (f.name.empty()) {
      fail(why, "neispravno ime polja (bad field name)");
      return std::nullopt;
    }
    // Folded as lookups fold the names asked for, accented letters too, or
    // a field the table lists could not be found by its own name.
    f.name = text::upperCp1252(f.name);
    // Fields are reached by name only: a second field of the same name
    // could be neither read nor written.
    if (!names.insert(f.name).second) {
      fail(why, "ime polja se ponavlja (field named twice)");
      return std::nullopt;
    }
    f.type = upper(std::string(1, d[11]))[0];
    if (!isLetter(f.type)) {
      fail(why, "neispravan tip polja (bad field type)");
      return std::nullopt;
    }
    f.length = static_cast<unsigned char>(d[16]);
    f.decimals = static_cast<unsigned char>(d[17]);
    if (f.length == 0) {
      fail(why, "polje duzine 0 (field of length 0)");
      return std::nullopt;
    }
    h->fields.push_back(std::move(f));
    pos += kDescriptorSize;
  }
  if (!terminated) {
    fail(why, "opisi polja nemaju kraj (no descriptor terminator)");
    return std::nullopt;
  }
  if (h->fields.empty()) {
    fail(why, "tabela bez polja (table without fields)");
    return std::nullopt;
  }
  std::uint64_t sum = 1;
  for (const auto& f : h->fields) sum += static_cast<std::uint64_t>(f.length);
  if (sum != h->recordLength) {
    fail(why, "duzine polja se ne slazu sa duzinom zapisa (field lengths do not add up to the record length)");
    return std::nullopt;
  }
  const std::uint64_t needed =
      static_cast<std::uint64_t>(h->headerLength) + static_cast<std::uint64_t>(h->recordCount) * h->recordLength;
  if (needed > fileSize) {
    fail(why, "broj zapisa prelazi podatke fajla (record count beyond the file's data)");
    return std::nullopt;
  }
  layOut(*h);
  return h;
}

Header makeHeader(const std::vector<FieldDef>& fields) {
  Header h;
  h.updated = today();
  h.fields = fields;
  h.headerLength = static_cast<std::uint16_t>(kPrefixSize + kDescriptorSize * fields.size() + 1);
  int len = 1;
  for (const auto& f : fields) len += f.length;
  h.recordLength = static_cast<std::uint16_t>(len);
  layOut(h);
  return h;
}

std::string encodeHeader(const Header& h) {
  std::string b(h.headerLength, '\0');
  b[0] = static_cast<char>(h.version);
  std::string cd = encodeCountAndDate(h);
  b.replace(1, cd.size(), cd);
  put16(b, 8, h.headerLength);
  put16(b, 10, h.recordLength);
  std::size_t pos = kPrefixSize;
  for (const auto& f : h.fields) {
    b.replace(pos, f.name.size(), f.name);
    b[pos + 11] = f.type;
    b[pos + 16] = static_cast<char>(f.length);
    b[pos + 17] = static_cast<char>(f.decimals);
    pos += kDescriptorSize;
  }
  b[pos] = kTerminator;
  return b;
}

std::string encodeCountAndDate(const Header& h) {
  std::string b(7, '\0');
  b[0] = static_cast<char>((h.updated.year - 1900) & 0xFF);
  b[1] = static_cast<char>(h.updated.month);
  b[2] = static_cast<char>(h.updated.day);
  std::string count(4, '\0');
  put32(count, 0, h.recordCount);
  b.replace(3, 4, count);
  return b;
}

std::optional<std::string> checkFields(std::vector<FieldDef>& fields) {
  if (fields.empty()) return "tabela bez polja (table without fields)";
  if (fields.size() > 255) return "previse polja (too many fields)";
  std::set<std::string> seen;
  long total = 1;
  for (auto& f : fields) {
    f.name = upper(xbase::AllTrim(f.name));
    f.type = upper(std::string(1, f.type))[0];
    bool nameOk = !f.name.empty() && f.name.size() <= 10 && isLetter(f.name[0]);
    for (char c : f.name) nameOk = nameOk && (isLetter(c) || isDigit(c) || c == '_');
    if (!nameOk) return "neispravno ime polja " + f.name + " (bad field name)";
    if (!seen.insert(f.name).second) return "polje " + f.name + " se ponavlja (field named twice)";
    bool ok = false;
    switch (f.type) {
      case 'C': ok = f.length >= 1 && f.length <= 254; f.decimals = 0; break;
      case 'N':
      case 'F': ok = f.length >= 1 && f.length <= 19 && f.decimals >= 0 &&
                     (f.decimals == 0 || f.decimals < f.length - 1); break;
      case 'D': ok = f.length == 8 || f.length == 0; f.length = 8; f.decimals = 0; break;
      case 'L': ok = f.length == 1 || f.length == 0; f.length = 1; f.decimals = 0; break;
      default: return "polje " + f.name + ": tip nije podrzan (field type not supported)";
    }
    if (!ok) return "polje " + f.name + ": neispravna duzina (bad field length)";
    total += f.length;
  }
  if (total > 65535) return "zapis je predug (record too long)";
  return std::nullopt;
}

std::string blankRecord(const Header& h) { return std::string(h.recordLength, ' '); }

Value decode(const FieldDef& f, std::string_view b) {
  switch (f.type) {
    case 'N':
    case 'F':
      return Value(xbase::Val(b));
    case 'D': {
      if (b.size() != 8) return Value(Date{});
      for (char c : b)
        if (!isDigit(c)) return Value(Date{});
      auto num = [&](std::size_t at, std::size_t n) {
        int v = 0;
        for (std::size_t i = at; i < at + n; ++i) v = v * 10 + (b[i] - '0');
        return v;
      };
      Date d{num(0, 4), num(4, 2), num(6, 2)};
      return Value(validDate(d) ? d : Date{});
    }
    case 'L':
      return Value(!b.empty() && (b[0] == 'T' || b[0] == 't' || b[0] == 'Y' || b[0] == 'y'));
    default:
      return Value(std::string(b));
  }
}

std::optional<std::string> encode(const FieldDef& f, const Value& v) {
  const auto len = static_cast<std::size_t>(f.length);
  switch (f.type) {
    case 'N':
    case 'F':
      if (v.type() != 'N') return std::nullopt;
      return formatNumber(v.number(), f.length, f.decimals);
    case 'D': {
      if (v.type() != 'D') return std::nullopt;
      Date d = v.date();
      if (d.empty()) return std::string(len, ' ');
      if (!validDate(d)) return std::nullopt;
      char buf[16];
      std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
      return xbase::PadR(buf, len);
    }
    case 'L':
      if (v.type() != 'L') return std::nullopt;
      return xbase::PadR(v.logical() ? "T" : "F", len);
    default:
      if (v.type() != 'C') return std::nullopt;
      return xbase::PadR(v.text(), len);
  }
}

Date today() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return Date{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday};
}

}  // namespace platform::dbf::format
