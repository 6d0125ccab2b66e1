#include "almanor/bench/literal_build.h"

#include <list>
#include <optional>

#include "almanor/core/text.h"

namespace almanor::bench {
namespace {

constexpr std::int64_t kLastYear = 30827;

// Steps once per pass until the window is reached; nothing once a step
// leaves the calendar.
std::optional<std::int64_t> stepToWindow(std::int64_t day, DateHolder holder, std::int32_t count,
                                         char unit, std::int64_t windowStart) {
  std::int64_t year = holder.Year, month = holder.Month;
  const int dayOfMonth = holder.Day;
  while (day < windowStart) {
    switch (unit) {
      case 'D': day += count; break;
      case 'W': day += 7 * std::int64_t{count}; break;
      case 'M': {
        month += count;
        // Whole years at once; the same as subtracting 12 at a time.
        year += (month - 1) / 12;
        month = (month - 1) % 12 + 1;
        if (year > kLastYear) return std::nullopt;
        int dom = dayOfMonth;
        do {
          day = DayOfDate(year, month, dom--);
        } while (day == 0);
        break;
      }
      case 'Y':
        year += count;
        if (year > kLastYear) return std::nullopt;
        day = DayOfDate(year, month, dayOfMonth);
        break;
    }
    if (day > kLastValidDay) return std::nullopt;
  }
  return day;
}

}  // namespace

void LiteralBuildOccurrences(RunState& run, Entries& entries, Occurrences& occurrences) {
  std::list<Occurrence> built;
  auto current = built.end();
  run.OverdueSeen = false;
  const std::int64_t windowStart = run.WindowStart;
  const std::int64_t windowEnd = run.WindowEnd;

  std::size_t index = 0;
  while (index < entries.records.size()) {
    std::string& record = entries.records[index];
    DateHolder holder;
    std::string mark(TrimSpaces(FieldOf(record, 6)));
    DayNumber doneDay = mark.empty() ? 0 : DayFromDateText(holder, mark);
    std::int64_t day = DayFromDateText(holder, FieldOf(record, 1));
    std::int32_t count = ParseNumber(FieldOf(record, 2));
    std::string unit = FieldOf(record, 3);
    if (day == 0) count = 0;
    char u = unit.empty() ? 0 : unit[0];
    if (count < 0 || (u != 'D' && u != 'W' && u != 'M' && u != 'Y')) count = 0;

    if (count != 0) {
      auto reached = stepToWindow(day, holder, count, u, windowStart);
      if (!reached) {
        ++index;
        continue;
      }
      day = *reached;
    }
    if (count == 0 && day < windowStart - 7) {
      entries.records.erase(entries.records.begin() + static_cast<std::ptrdiff_t>(index));
      run.ListChanged = true;
      continue;
    }
    if (day != 0 && windowStart <= day && day < windowEnd) {
      // InsertOccurrence: walk from the first element.
      auto at = built.begin();
      while (at != built.end() && at->Day < day) ++at;
      current = built.insert(at, Occurrence{});
      current->Day = static_cast<DayNumber>(day);
      current->Text = FieldOf(record, 4);
      std::string alert = FieldOf(record, 5);
      std::int32_t a = ParseNumber(alert.empty() ? "1" : alert);
      current->Alert = static_cast<std::int16_t>(a < -32768 ? -32768 : a > 32767 ? 32767 : a);
      if (doneDay != 0) {
        if (doneDay == day) {
          current->IsDone = 1;
        } else if (doneDay < windowStart - 7) {
          current->IsDone = 0;
          record = FieldOf(record, 1) + ";" + FieldOf(record, 2) + ";" + FieldOf(record, 3) + ";" +
                   FieldOf(record, 4) + ";" + FieldOf(record, 5);
          run.ListChanged = true;
        }
      }
      current->EntryIndex = static_cast<std::int32_t>(index);
      if (day < run.Today && windowEnd > run.Today) run.OverdueSeen = true;
    }
    ++index;
  }

  occurrences.list.assign(built.begin(), built.end());
  occurrences.current = 0;
  for (auto it = built.begin(); it != built.end(); ++it, ++occurrences.current)
    if (it == current) break;
}

}  // namespace almanor::bench
