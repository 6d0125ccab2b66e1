#include "platform/files/wildcard.h"

#include <string>

#include "platform/text/cp1252.h"

namespace platform::files {
namespace {

bool match(std::string_view p, std::string_view n) {
  // Iterative glob with backtracking to the last '*': linear in practice,
  // never exponential.
  std::size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi; ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
  const std::string p = text::upperCp1252(pattern);
  const std::string n = text::upperCp1252(name);
  if (match(p, n)) return true;
  // DOS: a name without a dot matches as if it ended in one, so "*.*" and
  // "README.*" find "README".
  if (n.find('.') == std::string::npos) return match(p, n + ".");
  return false;
}

bool hasWildcards(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

}  // namespace platform::files
