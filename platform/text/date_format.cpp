#include "platform/text/date_format.h"

#include <mutex>

namespace platform::text {
namespace {

std::mutex gMutex;
std::string& picture() {
  static std::string p = "mm/dd/yy";
  return p;
}

std::string digits(int value, std::size_t width) {
  std::string s = std::to_string(value < 0 ? 0 : value);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s.substr(s.size() - width);
}

}  // namespace

void setDateFormat(std::string_view p) {
  std::lock_guard lock(gMutex);
  picture() = std::string(p);
}

std::string dateFormat() {
  std::lock_guard lock(gMutex);
  return picture();
}

std::string formatDate(int year, int month, int day) {
  const std::string p = dateFormat();
  const bool blank = year == 0 && month == 0 && day == 0;
  std::string out;
  for (std::size_t i = 0; i < p.size();) {
    const char c = static_cast<char>(p[i] | 0x20);
    if (c != 'd' && c != 'm' && c != 'y') {
      out += p[i++];
      continue;
    }
    std::size_t n = 0;
    while (i + n < p.size() && static_cast<char>(p[i + n] | 0x20) == c) ++n;
    i += n;
    if (blank) out.append(n, ' ');
    else out += digits(c == 'd' ? day : c == 'm' ? month : year, n);
  }
  return out;
}

}  // namespace platform::text
