#include "platform/text/xbase.h"

#include <cmath>
#include <cstdlib>
#include <cstdio>

namespace platform::xbase {

std::size_t RAt(std::string_view needle, std::string_view hay) {
  if (needle.empty()) return 0;
  auto p = hay.rfind(needle);
  return p == std::string_view::npos ? 0 : p + 1;
}

std::size_t At(std::string_view needle, std::string_view hay) {
  if (needle.empty()) return 0;
  auto p = hay.find(needle);
  return p == std::string_view::npos ? 0 : p + 1;
}

std::string SubStr(std::string_view s, long long start, std::size_t count) {
  long long len = static_cast<long long>(s.size());
  long long from;
  if (start > 0) from = start - 1;
  else if (start == 0) from = 0;
  else from = len + start < 0 ? 0 : len + start;
  if (from >= len) return "";
  return std::string(s.substr(static_cast<std::size_t>(from), count));
}

std::string Left(std::string_view s, std::size_t count) { return std::string(s.substr(0, count)); }

std::string Right(std::string_view s, std::size_t count) {
  return count >= s.size() ? std::string(s) : std::string(s.substr(s.size() - count));
}

std::string LTrim(std::string_view s) {
  auto b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? "" : std::string(s.substr(b));
}

std::string RTrim(std::string_view s) {
  auto e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? "" : std::string(s.substr(0, e + 1));
}

std::string AllTrim(std::string_view s) { return LTrim(RTrim(s)); }

std::string PadR(std::string_view s, std::size_t width) {
  std::string out(s.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string PadL(std::string_view s, std::size_t width) {
  if (s.size() >= width) return std::string(s.substr(0, width));
  return std::string(width - s.size(), ' ') + std::string(s);
}

double Val(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  std::string num;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) num += s[i++];
  bool dot = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') num += c;
    else if (c == '.' && !dot) { num += c; dot = true; }
    else break;
  }
  if (num.empty() || num == "-" || num == "+" || num == "." ) return 0.0;
  return std::strtod(num.c_str(), nullptr);
}

std::string StrZero(double n, int width) {
  long long v = std::llround(n);
  char buf[400];
  if (width < 1 || width > 300) width = width < 1 ? 1 : 300;
  if (v < 0) std::snprintf(buf, sizeof buf, "-%0*lld", width - 1 > 0 ? width - 1 : 1, -v);
  else std::snprintf(buf, sizeof buf, "%0*lld", width, v);
  std::string out(buf);
  if (static_cast<int>(out.size()) > width) return std::string(static_cast<std::size_t>(width), '*');
  return out;
}

bool Empty(std::string_view s) { return s.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace platform::xbase
