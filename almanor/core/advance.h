#pragma once
// The step of a repeating entry: from its base date, forward by a count of
// days, weeks, months or years until the date window is reached.
#include <cstdint>
#include <optional>
#include <string_view>

#include "almanor/core/dates.h"

namespace almanor {

enum class RepeatUnit { None, Days, Weeks, Months, Years };

// The unit a record's unit field names by its first character: "D", "W",
// "M" or "Y" (upper case only); None for anything else.
RepeatUnit UnitOf(std::string_view unitField);

// The first day of the series base, base + 1 step, base + 2 steps, ... that
// is on or after windowStart (base itself when it already is). Months step
// from the base day of month each time, landing on a shorter month's last
// day; years step with month and day kept, so a 29 February base lands only
// on leap years. Nothing when the series passes 31 December 30827 before
// reaching the window. Requires a valid base date, count >= 1 and a unit
// other than None. Takes constant time, apart from a 29 February series,
// which may test a few hundred years at most.
std::optional<DayNumber> FirstOnOrAfter(const DateHolder& base, std::int32_t count,
                                        RepeatUnit unit, DayNumber windowStart);

}  // namespace almanor
