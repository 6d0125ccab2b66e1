#include "almanor/core/occurrences.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>

#include "almanor/core/advance.h"
#include "almanor/core/date_format.h"
#include "almanor/core/text.h"

namespace almanor {
namespace {

// Day arithmetic near the ends of the 32-bit range must not wrap.
DayNumber clampDay(std::int64_t day) {
  return static_cast<DayNumber>(std::clamp<std::int64_t>(
      day, std::numeric_limits<DayNumber>::min(), std::numeric_limits<DayNumber>::max()));
}

// The first six fields of a record, as FieldOf would give them.
std::array<std::string_view, 6> firstSixFields(std::string_view record) {
  std::array<std::string_view, 6> fields{};
  std::size_t start = 0;
  for (std::size_t i = 0; i < fields.size() && start <= record.size(); ++i) {
    std::size_t sep = record.find(';', start);
    fields[i] = record.substr(start, sep == std::string_view::npos ? sep : sep - start);
    if (sep == std::string_view::npos) break;
    start = sep + 1;
  }
  return fields;
}

std::int16_t alertOf(std::string_view field) {
  std::int32_t value = field.empty() ? 1 : ParseNumber(field);
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(
      value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::string firstFiveFields(std::string_view record) {
  auto fields = firstSixFields(record);
  std::string out;
  for (int i = 0; i < 4; ++i) out.append(fields[i]).append(";");
  out.append(fields[4]);
  return out;
}

}  // namespace

void PlaceWindowAtStart(RunState& run, DayNumber storedDone, DayNumber storedLast) {
  run.Done = storedDone;
  if (storedLast < run.Today) run.Done = storedLast;
  run.WindowStart = clampDay(std::int64_t{run.Done} + 1);
  run.WindowEnd = kOpenWindowEnd;
}

void BuildOccurrences(RunState& run, Entries& entries, Occurrences& occurrences) {
  occurrences.list.clear();
  occurrences.current = 0;
  run.OverdueSeen = false;

  const std::int64_t windowStart = run.WindowStart;
  const std::int64_t windowEnd = run.WindowEnd;
  const std::int64_t staleBefore = windowStart - 7;
  std::vector<std::string>& records = entries.records;

  // Records are kept by moving them down over the deleted ones, so that a
  // record's final position is known when it is visited.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string& record = records[i];
    auto fields = firstSixFields(record);
    DateHolder holder;
    std::string_view mark = TrimSpaces(fields[5]);
    DayNumber doneDay = mark.empty() ? 0 : DayFromDateText(holder, mark);
    DayNumber day = DayFromDateText(holder, fields[0]);
    std::int32_t count = ParseNumber(fields[1]);
    RepeatUnit unit = UnitOf(fields[2]);
    if (day == 0 || count < 0 || unit == RepeatUnit::None) count = 0;

    bool remove = false;
    bool clearMark = false;
    std::optional<DayNumber> next = day;
    if (count != 0) next = FirstOnOrAfter(holder, count, unit, run.WindowStart);
    if (!next) {
      // The steps pass the end of the calendar: neither listed nor changed.
    } else if (count == 0 && *next < staleBefore) {
      remove = true;
    } else if (*next != 0 && windowStart <= *next && *next < windowEnd) {
      // Day 0 is an invalid base date; it is never listed, even when a
      // window placed in 1601 would hold it.
      Occurrence o;
      o.Day = *next;
      o.Text = std::string(fields[3]);
      o.Alert = alertOf(fields[4]);
      if (doneDay != 0) {
        if (doneDay == o.Day) o.IsDone = 1;
        else if (doneDay < staleBefore) clearMark = true;
      }
      o.EntryIndex = static_cast<std::int32_t>(kept);
      if (o.Day < run.Today && windowEnd > run.Today) run.OverdueSeen = true;
      occurrences.list.push_back(std::move(o));
    }

    if (remove) {
      run.ListChanged = true;
      continue;
    }
    if (clearMark) {
      records[i] = firstFiveFields(records[i]);
      run.ListChanged = true;
    }
    if (kept != i) records[kept] = std::move(records[i]);
    ++kept;
  }
  records.resize(kept);

  // Built in record order, so among equal days the higher index was built
  // later and stands first.
  std::sort(occurrences.list.begin(), occurrences.list.end(),
            [](const Occurrence& a, const Occurrence& b) {
              return a.Day != b.Day ? a.Day < b.Day : a.EntryIndex > b.EntryIndex;
            });
  if (!occurrences.list.empty()) {
    std::int32_t lastBuilt = -1;
    for (std::size_t i = 0; i < occurrences.list.size(); ++i) {
      if (occurrences.list[i].EntryIndex > lastBuilt) {
        lastBuilt = occurrences.list[i].EntryIndex;
        occurrences.current = i;
      }
    }
  }
}

Occurrence& InsertOccurrence(Occurrences& occurrences, DayNumber day) {
  auto at = std::lower_bound(occurrences.list.begin(), occurrences.list.end(), day,
                             [](const Occurrence& o, DayNumber d) { return o.Day < d; });
  at = occurrences.list.insert(at, Occurrence{});
  at->Day = day;
  occurrences.current = static_cast<std::size_t>(at - occurrences.list.begin());
  return *at;
}

void ClearDoneMark(RunState& run, Entries& entries, Occurrences& occurrences) {
  if (occurrences.current < occurrences.list.size())
    occurrences.list[occurrences.current].IsDone = 0;
  if (entries.current >= entries.records.size()) return;
  std::string& record = entries.records[entries.current];
  record = firstFiveFields(record);
  run.ListChanged = true;
}

void AppendDoneMark(int flag, RunState& run, Entries& entries, Occurrences& occurrences,
                    DateHolder& holder) {
  if (flag == 0 || occurrences.current >= occurrences.list.size() ||
      entries.current >= entries.records.size())
    return;
  const Occurrence& o = occurrences.list[occurrences.current];
  if (o.IsDone == 0 || !DateFromDay(holder, o.Day)) return;
  entries.records[entries.current] += ";" + RecordDateText(holder);
  run.ListChanged = true;
}

void ToggleHistory(RunState& run, bool pressed) {
  if (pressed) {
    run.WindowEnd = run.WindowStart;
    run.WindowStart = clampDay(std::int64_t{run.WindowStart} - 7);
  } else {
    run.WindowStart = clampDay(std::int64_t{run.WindowStart} + 7);
    run.WindowEnd = kOpenWindowEnd;
  }
}

void AcknowledgeOverdue(RunState& run) {
  run.WindowStart = run.Today;
  run.Done = clampDay(std::int64_t{run.Today} - 1);
}

}  // namespace almanor
