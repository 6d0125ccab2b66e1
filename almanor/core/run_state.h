#pragma once
// The state one run of Almanor shares between its parts: the date window,
// the change flags, the settings values and the language lines.
#include <cstdint>
#include <limits>
#include <string>

namespace almanor {

// Whole days since 1 January 1601 (day 0); 0 also marks an invalid date.
using DayNumber = std::int32_t;

// The end of a date window that has no end.
inline constexpr DayNumber kOpenWindowEnd = std::numeric_limits<DayNumber>::max();

struct RunState {
  DayNumber Today = 0;        // the local date at start; never refreshed
  DayNumber Done = 0;         // due dates up to this day count as acknowledged
  DayNumber WindowStart = 0;  // first day shown
  DayNumber WindowEnd = kOpenWindowEnd;  // first day no longer shown
  bool ListChanged = false;   // the list file must be written at exit
  bool OverdueSeen = false;   // the last build listed something before Today
  bool AlertOnFill = false;   // true only until the list's first fill
  int EditMode = 0;           // 1 editing an existing entry, 0 a new one
  int SavedFocus = -1;        // control that had the focus when the window was left

  // Settings values.
  std::string Language;
  std::string DateFormat;
  std::string SoundFile;
  std::int32_t BGcolor = 14742783;
  std::int32_t WinX = 200;
  std::int32_t WinY = 200;
  std::int32_t Width = 550;
  std::int32_t Height = 350;
  std::string Cols = "40;90;40;350";

  // The first three lines of the language file.
  std::string LangLine1;
  std::string LangLine2;
  std::string LangLine3;
};

}  // namespace almanor
