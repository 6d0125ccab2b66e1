#pragma once
// Day numbers and the calendar date they stand for. Valid dates are the
// Gregorian dates from 1 January 1601 (day 0) to 31 December 30827; every
// other date converts to day 0, so 0 doubles as the mark of an invalid date.
#include <cstdint>
#include <string_view>

#include "almanor/core/run_state.h"
#include "platform/clock/local_clock.h"

namespace almanor {

// The last valid day: 31 December 30827.
inline constexpr DayNumber kLastValidDay = 10674941;

// A calendar date in the system-time layout. Conversions read and write it;
// callers rely on what the last conversion left in it (the editor loads and
// stores its date picker through it).
struct DateHolder {
  std::int16_t Year = 1601;
  std::int16_t Month = 1;
  std::int16_t DayOfWeek = 1;  // 0 Sunday to 6 Saturday
  std::int16_t Day = 1;
  std::int16_t Hour = 0;
  std::int16_t Minute = 0;
  std::int16_t Second = 0;
  std::int16_t Milliseconds = 0;
};

// True for a valid Gregorian date in the range above (the day of week is
// not examined).
bool IsValidDate(std::int64_t year, std::int64_t month, std::int64_t day);

// The day number of year, month and day; 0 for an invalid date.
DayNumber DayOfDate(std::int64_t year, std::int64_t month, std::int64_t day);

// Days in the month (1-12) of a year.
int DaysInMonth(std::int64_t year, int month);

// The day number of holder's date after setting its time of day to 0.
DayNumber DayFromDate(DateHolder& holder);

// Sets all of holder (day of week included, time 00:00:00.000) from a day
// number. Returns false and leaves holder unchanged for a day outside
// 0 .. kLastValidDay.
bool DateFromDay(DateHolder& holder, DayNumber day);

// Fills holder with the clock's local time and returns its day number.
DayNumber TodayNumber(DateHolder& holder, const platform::clock::LocalClock& clock);

// Year from characters 1-4, month from 6-7 and day from 9-10 of text, each
// read with ParseNumber (missing characters read as ""), stored in holder;
// returns DayFromDate. The separators are not examined; a date that is not
// zero-padded ("2003.7.1") gives 0.
DayNumber DayFromDateText(DateHolder& holder, std::string_view text);

}  // namespace almanor
