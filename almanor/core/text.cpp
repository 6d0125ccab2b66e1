#include "almanor/core/text.h"

#include <limits>

namespace almanor {

std::string FieldOf(std::string_view text, int n) {
  if (n < 1) n = 1;
  std::size_t start = 0;
  for (int field = 1; field < n; ++field) {
    std::size_t sep = text.find(';', start);
    if (sep == std::string_view::npos) return {};
    start = sep + 1;
  }
  std::size_t end = text.find(';', start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::int32_t ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Accumulated as a negative number, whose range holds the 32-bit minimum.
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < kMin) value = kMin;  // saturated; the rest of the digits cannot undo it
  }
  if (negative) return static_cast<std::int32_t>(value);
  return value == kMin ? std::numeric_limits<std::int32_t>::max()
                       : static_cast<std::int32_t>(-value);
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace almanor
