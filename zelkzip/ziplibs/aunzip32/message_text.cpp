#include "message_text.h"

#include <cmath>

namespace aunzip32 {

std::string messageText(std::initializer_list<std::string_view> fields) {
  std::string out;
  for (std::string_view f : fields) {
    for (char c : f) {
      const auto u = static_cast<unsigned char>(c);
      out += (c == '|' || u < 0x20 || u == 0x7F) ? '_' : c;
    }
    out += '|';
  }
  return out;
}

std::string storedPathText(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string bareName(std::string_view name) {
  while (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.remove_suffix(1);
  const auto sep = name.find_last_of("/\\");
  return std::string(sep == std::string_view::npos ? name : name.substr(sep + 1));
}

long savedPercent(std::uint64_t size, std::uint64_t compressedSize) {
  if (size == 0) return 0;
  return std::lround(100.0 - 100.0 * static_cast<double>(compressedSize) / static_cast<double>(size));
}

}  // namespace aunzip32
