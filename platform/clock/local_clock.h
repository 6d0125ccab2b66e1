#pragma once
// The local date and time, which stands for the Windows local-time call.
// Callers take a LocalClock so that a test can fix "now".
#include <functional>

namespace platform::clock {

// A calendar moment in the system-time layout: month 1-12, day of week
// 0 (Sunday) to 6, milliseconds 0-999.
struct LocalTime {
  int year = 1601;
  int month = 1;
  int dayOfWeek = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// Where the local time comes from.
using LocalClock = std::function<LocalTime()>;

// The host's local time now, in the time zone the C library takes from TZ
// (or the system's zone when TZ is not set).
LocalTime systemLocalTime();

// A clock that always answers the given moment.
LocalClock fixedClock(LocalTime at);

}  // namespace platform::clock
