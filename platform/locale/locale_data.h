#pragma once
// The locale information a date program asks the Windows locale functions
// for: names of days and months, the short and long date pictures, the
// language's own name and the country's English name. All texts are
// Windows-1252. Callers take a LocaleData so that a test can fix it.
#include <array>
#include <string>

namespace platform::locale {

struct LocaleData {
  std::array<std::string, 7> dayNames;           // Sunday first: "Sunday"
  std::array<std::string, 7> abbreviatedDayNames;  // "Sun"
  std::array<std::string, 12> monthNames;        // January first: "January"
  std::array<std::string, 12> abbreviatedMonthNames;  // "Jan"
  std::string shortDatePicture;    // in the date-picture language: "M/d/yyyy"
  std::string longDatePicture;     // "dddd, MMMM d, yyyy"
  std::string nativeLanguageName;  // the language's own name: "English", "Deutsch"
  std::string englishCountryName;  // "United States", "Germany"
};

// English as spoken in the United States: what a program shows when the
// user's locale says nothing (the C and POSIX locales).
LocaleData englishUnitedStates();

// The user's locale as POSIX programs read it: each item from the locale
// its category names through LC_ALL, LC_<category> or LANG (names and
// pictures from LC_TIME, the language from LC_ADDRESS, the country from
// LC_IDENTIFICATION). A category whose locale is not installed falls back
// to the C locale, as setlocale does.
LocaleData userLocale();

// The same for a named locale ("C", "de_DE.UTF-8"); "" means the user's.
LocaleData posixLocale(const char* name);

// A strftime date format ("%d.%m.%Y") in the date-picture language
// ("dd.MM.yyyy"). Literal letters are quoted so that they stay literal;
// conversions with no date meaning are left out.
std::string pictureFromStrftime(const std::string& ansiFormat);

// A long date picture in the order of the short one's day, month and year,
// for locales that only define a short one.
std::string longPictureLike(const std::string& shortPicture);

}  // namespace platform::locale
