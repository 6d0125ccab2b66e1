#pragma once
// The process-wide date format of the runtime (its SET DATE FORMAT): how
// dates are shown wherever a program turns one into text.
#include <string>
#include <string_view>

namespace platform::text {

// A picture of "dd", "mm", "yy" or "yyyy" and separators: "dd.mm.yyyy".
// The format is "mm/dd/yy" until a program sets one.
void setDateFormat(std::string_view picture);
std::string dateFormat();

// The date in the current picture ("05.03.2001"). The blank date (all
// zeros) keeps the separators and blanks the digits ("  .  .    ").
std::string formatDate(int year, int month, int day);

}  // namespace platform::text
