#pragma once
// The records' next occurrences in the date window, the window itself, and
// the done marks. Callers own the RunState, the Entries and the
// Occurrences; every function here acts only on what it is handed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "almanor/core/dates.h"
#include "almanor/core/entries.h"
#include "almanor/core/run_state.h"

namespace almanor {

struct Occurrence {
  DayNumber Day = 0;              // day of this occurrence
  std::string Text;               // the record's text (field 4)
  std::int16_t Alert = 0;         // alert kind (field 5), 1 when that field is empty
  std::int16_t IsDone = 0;        // 1 when the record's done date is this Day
  std::int32_t EntryIndex = 0;    // the record's position in Entries after the build
};

struct Occurrences {
  // Ordered by Day; among equal days the one built later stands first.
  std::vector<Occurrence> list;
  // The element editing operations act on; meaningful only while below
  // list.size(). Operations given an out-of-range index do nothing to it.
  std::size_t current = 0;
};

// Places the window from the stored "Done" and "Last" day numbers: on the
// first run of a day (Last < Today) Done becomes Last; the window then
// starts the day after Done and has no end.
void PlaceWindowAtStart(RunState& run, DayNumber storedDone, DayNumber storedLast);

// Rebuilds occurrences from entries for the window of run. Per record:
// - a repeating record advances from its base date to its first date on or
//   after WindowStart; a negative count or a unit other than D, W, M or Y
//   makes it a one-time entry; a record whose steps pass 31 December 30827
//   is neither listed nor changed;
// - a one-time record (or one with an invalid base date) more than a week
//   before WindowStart is deleted from entries;
// - a date in [WindowStart, WindowEnd) is listed; its done mark sets IsDone
//   when it names that date, and is removed from the record when it lies
//   more than a week before WindowStart;
// - a listed date before Today sets OverdueSeen while WindowEnd > Today.
// Deletions and removed marks set ListChanged. EntryIndex is the record's
// position after the deletions. The last built occurrence becomes current;
// entries.current is left as it was (callers select a record before
// editing one).
void BuildOccurrences(RunState& run, Entries& entries, Occurrences& occurrences);

// Inserts an occurrence of day before the first element whose Day is on or
// after it (at the end when there is none), makes it current and returns
// it. Its other fields are 0 or "".
Occurrence& InsertOccurrence(Occurrences& occurrences, DayNumber day);

// On the current occurrence: IsDone = 0. On the current record: it becomes
// its first five fields (fields 1 to 4 each followed by ";", then field 5),
// dropping any done date; ListChanged is set.
void ClearDoneMark(RunState& run, Entries& entries, Occurrences& occurrences);

// When flag is not 0 and the current occurrence IsDone: appends ";" and
// that occurrence's date ("yyyy.MM.dd") to the current record and sets
// ListChanged. The record must already have exactly five fields. holder is
// left at that date.
void AppendDoneMark(int flag, RunState& run, Entries& entries, Occurrences& occurrences,
                    DateHolder& holder);

// Pressed: the window becomes the week before it. Released: back again,
// with no end. The caller rebuilds afterwards.
void ToggleHistory(RunState& run, bool pressed);

// Everything before today counts as seen: the window starts today and
// Done = Today - 1. The caller rebuilds afterwards.
void AcknowledgeOverdue(RunState& run);

}  // namespace almanor
