#pragma once
// The small text services every part of Almanor uses on its ";"-separated
// single-byte records and settings values.
#include <cstdint>
#include <string>
#include <string_view>

namespace almanor {

// The n-th field of text, fields separated by ";" and counted from 1; an n
// below 1 counts as 1. A field beyond the last one, and any field of an
// empty text, is "". The text after the last ";" is the last field.
std::string FieldOf(std::string_view text, int n);

// Leading spaces, then one optional "-" or "+", then decimal digits up to
// the first non-digit; no digits give 0 ("12abc" is 12, " -5" is -5). A
// run of digits beyond the 32-bit range saturates at its limit.
std::int32_t ParseNumber(std::string_view text);

// text without leading and trailing spaces.
std::string_view TrimSpaces(std::string_view text);

}  // namespace almanor
