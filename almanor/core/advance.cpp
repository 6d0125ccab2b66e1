#include "almanor/core/advance.h"

#include <algorithm>

namespace almanor {
namespace {

constexpr std::int64_t kLastYear = 30827;

// Day number of year/month (0-based month index t = year * 12 + month - 1)
// with the day of month lowered to the month's length.
std::optional<DayNumber> monthStep(std::int64_t t, int dayOfMonth) {
  std::int64_t year = t / 12;
  int month = static_cast<int>(t % 12) + 1;
  if (year > kLastYear) return std::nullopt;
  return DayOfDate(year, month, std::min(dayOfMonth, DaysInMonth(year, month)));
}

}  // namespace

RepeatUnit UnitOf(std::string_view unitField) {
  if (unitField.empty()) return RepeatUnit::None;
  switch (unitField.front()) {
    case 'D': return RepeatUnit::Days;
    case 'W': return RepeatUnit::Weeks;
    case 'M': return RepeatUnit::Months;
    case 'Y': return RepeatUnit::Years;
    default: return RepeatUnit::None;
  }
}

std::optional<DayNumber> FirstOnOrAfter(const DateHolder& base, std::int32_t count,
                                        RepeatUnit unit, DayNumber windowStart) {
  const DayNumber baseDay = DayOfDate(base.Year, base.Month, base.Day);
  if (baseDay >= windowStart) return baseDay;
  // Every date of the series is a valid day, so none reaches such a window.
  if (windowStart > kLastValidDay) return std::nullopt;
  DateHolder window;
  DateFromDay(window, windowStart);

  switch (unit) {
    case RepeatUnit::Days:
    case RepeatUnit::Weeks: {
      const std::int64_t step = std::int64_t{count} * (unit == RepeatUnit::Weeks ? 7 : 1);
      const std::int64_t steps = (std::int64_t{windowStart} - baseDay + step - 1) / step;
      const std::int64_t day = baseDay + steps * step;
      if (day > kLastValidDay) return std::nullopt;
      return static_cast<DayNumber>(day);
    }
    case RepeatUnit::Months: {
      // Steps before k land in months before the window's month; step k
      // lands in or after it, and step k + 1 after it.
      const std::int64_t t0 = std::int64_t{base.Year} * 12 + base.Month - 1;
      const std::int64_t tw = std::int64_t{window.Year} * 12 + window.Month - 1;
      std::int64_t k = std::max<std::int64_t>(1, (tw - t0) / count);
      for (;; ++k) {
        auto day = monthStep(t0 + k * count, base.Day);
        if (!day || *day >= windowStart) return day;
      }
    }
    case RepeatUnit::Years: {
      // Years before k lie before the window's year. A 29 February base
      // skips the years that have none.
      std::int64_t k = std::max<std::int64_t>(1, (std::int64_t{window.Year} - base.Year) / count);
      for (;; ++k) {
        const std::int64_t year = base.Year + k * std::int64_t{count};
        if (year > kLastYear) return std::nullopt;
        DayNumber day = DayOfDate(year, base.Month, base.Day);
        if (day != 0 && day >= windowStart) return day;
      }
    }
    case RepeatUnit::None: break;
  }
  return baseDay;
}

}  // namespace almanor
