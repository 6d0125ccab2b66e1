#include "platform/text/cp1252.h"

#include <cstdint>

namespace platform::text {
namespace {

// Code points of 0x80..0x9F; the rest of the page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int fromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

}  // namespace

std::string cp1252ToUtf8(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  for (unsigned char c : in) {
    char32_t cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kHigh[c - 0x80];
    appendUtf8(out, cp);
  }
  return out;
}

std::string utf8ToCp1252(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  std::size_t i = 0;
  while (i < in.size()) {
    auto b = static_cast<unsigned char>(in[i]);
    char32_t cp = 0;
    int extra = 0;
    if (b < 0x80) { cp = b; }
    else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; extra = 3; }
    else { out += '?'; ++i; continue; }
    bool ok = true;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + k >= in.size()) { ok = false; break; }
      auto cb = static_cast<unsigned char>(in[i + k]);
      if ((cb & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (cb & 0x3F);
    }
    // Overlong forms and surrogates are malformed too.
    if (ok && ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
               (extra == 3 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF))
      ok = false;
    if (!ok) { out += '?'; ++i; continue; }
    i += extra + 1;
    int byte = fromCodePoint(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

char upperCp1252(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if ((u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<char>(u - 32);
  if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 0x10);  // š œ ž
  if (u == 0xFF) return static_cast<char>(0x9F);                                 // ÿ
  return c;
}

bool equalNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperCp1252(a[i]) != upperCp1252(b[i])) return false;
  return true;
}

std::string upperCp1252(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = upperCp1252(c);
  return out;
}

}  // namespace platform::text
