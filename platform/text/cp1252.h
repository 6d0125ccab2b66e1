#pragma once
// The programs keep every text as 8-bit Windows-1252 bytes in std::string.
// These two conversions are the only places where Unicode appears: where a
// window shows or takes text, where a host file name is built, and where a
// terminal prints.
#include <string>
#include <string_view>

namespace platform::text {

// Windows-1252 bytes to UTF-8. The five unassigned codes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, as Windows does.
std::string cp1252ToUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252. Characters the code page lacks, and malformed
// UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view utf8);

// Upper-case folding for case-insensitive names: ASCII letters, and the
// letters of the upper half by their pairs in the code page.
char upperCp1252(char c);
std::string upperCp1252(std::string_view s);

// True when both texts are equal after upper-case folding.
bool equalNoCase(std::string_view a, std::string_view b);

}  // namespace platform::text
