#pragma once
// Two fixed locales, so that no test depends on the machine's.
#include "platform/locale/locale_data.h"

namespace almanor::testing {

inline platform::locale::LocaleData English() {
  return platform::locale::englishUnitedStates();
}

inline platform::locale::LocaleData German() {
  platform::locale::LocaleData d;
  d.dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
  d.abbreviatedDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  d.monthNames = {"Januar", "Februar", "M\xE4rz",    "April",   "Mai",      "Juni",
                  "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  d.abbreviatedMonthNames = {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun",
                             "Jul", "Aug", "Sep",    "Okt", "Nov", "Dez"};
  d.shortDatePicture = "dd.MM.yy";
  d.longDatePicture = "dddd, d. MMMM yyyy";
  d.nativeLanguageName = "Deutsch";
  d.englishCountryName = "Germany";
  return d;
}

}  // namespace almanor::testing
