#pragma once
// The texts of the callback messages: fields each ended by "|".
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace aunzip32 {

// The fields joined, each followed by "|". Characters that would break the
// field or line structure ("|", CR, LF, other controls) become "_".
std::string messageText(std::initializer_list<std::string_view> fields);

// The entry's name with backslashes for separators, as field 1 shows it.
std::string storedPathText(std::string_view name);

// The last name of an entry's path: "A.DBF" of "DIR/A.DBF", "DIR" of "DIR/".
std::string bareName(std::string_view name);

// Space saved by compression as a whole percentage; 0 for an empty entry.
long savedPercent(std::uint64_t size, std::uint64_t compressedSize);

}  // namespace aunzip32
