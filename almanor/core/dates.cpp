#include "almanor/core/dates.h"

#include "almanor/core/text.h"

namespace almanor {
namespace {

// Days since 1 January 1970 of a proleptic Gregorian date (the era-based
// method: 400-year cycles of 146097 days).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  std::int64_t year;
  int month;
  int day;
};

Civil civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

const std::int64_t kEpoch1601 = daysFromCivil(1601, 1, 1);

bool isLeap(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

int DaysInMonth(std::int64_t year, int month) {
  static constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeap(year) ? 29 : kLength[month - 1];
}

bool IsValidDate(std::int64_t year, std::int64_t month, std::int64_t day) {
  return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, static_cast<int>(month));
}

DayNumber DayOfDate(std::int64_t year, std::int64_t month, std::int64_t day) {
  if (!IsValidDate(year, month, day)) return 0;
  return static_cast<DayNumber>(
      daysFromCivil(year, static_cast<int>(month), static_cast<int>(day)) - kEpoch1601);
}

DayNumber DayFromDate(DateHolder& holder) {
  holder.Hour = holder.Minute = holder.Second = holder.Milliseconds = 0;
  return DayOfDate(holder.Year, holder.Month, holder.Day);
}

bool DateFromDay(DateHolder& holder, DayNumber day) {
  if (day < 0 || day > kLastValidDay) return false;
  Civil c = civilFromDays(kEpoch1601 + day);
  holder.Year = static_cast<std::int16_t>(c.year);
  holder.Month = static_cast<std::int16_t>(c.month);
  holder.Day = static_cast<std::int16_t>(c.day);
  // Day 0, 1 January 1601, was a Monday.
  holder.DayOfWeek = static_cast<std::int16_t>((day + 1) % 7);
  holder.Hour = holder.Minute = holder.Second = holder.Milliseconds = 0;
  return true;
}

DayNumber TodayNumber(DateHolder& holder, const platform::clock::LocalClock& clock) {
  platform::clock::LocalTime now = clock();
  holder.Year = static_cast<std::int16_t>(now.year);
  holder.Month = static_cast<std::int16_t>(now.month);
  holder.DayOfWeek = static_cast<std::int16_t>(now.dayOfWeek);
  holder.Day = static_cast<std::int16_t>(now.day);
  holder.Hour = static_cast<std::int16_t>(now.hour);
  holder.Minute = static_cast<std::int16_t>(now.minute);
  holder.Second = static_cast<std::int16_t>(now.second);
  holder.Milliseconds = static_cast<std::int16_t>(now.milliseconds);
  return DayFromDate(holder);
}

DayNumber DayFromDateText(DateHolder& holder, std::string_view text) {
  auto part = [text](std::size_t from, std::size_t length) {
    return from < text.size() ? text.substr(from, length) : std::string_view();
  };
  // Four characters give at most 9999, which the 16-bit fields hold.
  holder.Year = static_cast<std::int16_t>(ParseNumber(part(0, 4)));
  holder.Month = static_cast<std::int16_t>(ParseNumber(part(5, 2)));
  holder.Day = static_cast<std::int16_t>(ParseNumber(part(8, 2)));
  return DayFromDate(holder);
}

}  // namespace almanor
