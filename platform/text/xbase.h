#pragma once
// The database language's text functions, with its 1-based positions, so
// that the programs' code can keep the arithmetic of its design.
#include <string>
#include <string_view>

namespace platform::xbase {

// Position of the last occurrence of needle in hay, 1-based; 0 if none.
std::size_t RAt(std::string_view needle, std::string_view hay);
// Position of the first occurrence, 1-based; 0 if none.
std::size_t At(std::string_view needle, std::string_view hay);

// Up to count characters from the 1-based start. A start of 0 counts as 1;
// a negative start counts from the end (-1 is the last character); a start
// beyond the end gives "".
std::string SubStr(std::string_view s, long long start, std::size_t count = std::string_view::npos);

std::string Left(std::string_view s, std::size_t count);
std::string Right(std::string_view s, std::size_t count);

// Blanks (spaces) removed at both ends, at the start, at the end.
std::string AllTrim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

// Cut or padded with blanks to exactly width characters.
std::string PadR(std::string_view s, std::size_t width);
std::string PadL(std::string_view s, std::size_t width);

// The leading numeric part of the text (after leading blanks): an optional
// sign, digits and one decimal point. Anything else counts as 0.
double Val(std::string_view s);

// The number rounded to an integer and written with leading zeros to width
// characters ("07"); a number too wide for the field gives asterisks.
std::string StrZero(double n, int width);

// True when the text holds nothing but blanks, tabs, CR and LF.
bool Empty(std::string_view s);

}  // namespace platform::xbase
