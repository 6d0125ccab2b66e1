#include "platform/clock/local_clock.h"

#include <ctime>

namespace platform::clock {

LocalTime systemLocalTime() {
  timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm parts {};
  ::localtime_r(&now.tv_sec, &parts);
  LocalTime t;
  t.year = parts.tm_year + 1900;
  t.month = parts.tm_mon + 1;
  t.dayOfWeek = parts.tm_wday;
  t.day = parts.tm_mday;
  t.hour = parts.tm_hour;
  t.minute = parts.tm_min;
  t.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;  // a leap second
  t.milliseconds = static_cast<int>(now.tv_nsec / 1000000);
  return t;
}

LocalClock fixedClock(LocalTime at) {
  return [at] { return at; };
}

}  // namespace platform::clock
