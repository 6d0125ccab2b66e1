#pragma once
#include <string_view>

namespace platform::files {

// DOS wildcard match of one name, without regard to case: '*' matches any
// run, '?' any one character, and a pattern's ".*" also matches a name
// without a dot, so "*.*" matches every name.
bool wildcardMatch(std::string_view pattern, std::string_view name);

bool hasWildcards(std::string_view name);

}  // namespace platform::files
