#pragma once
// Dates as text in the picture language of the Windows date-format
// function, and the locale items Almanor asks for.
//
// Pictures: d day, dd two-digit day, ddd abbreviated and dddd (or longer)
// full weekday name; M, MM, MMM, MMMM (or longer) likewise for the month;
// y the year's last digit, yy its last two, yyy and longer the full year;
// text in single quotes stands as it is, and '' is one quote inside or
// outside quotes; every other character stands as it is.
#include <cstddef>
#include <string>
#include <string_view>

#include "almanor/core/dates.h"
#include "platform/locale/locale_data.h"

namespace almanor {

// The size of FormatDate's result buffer, terminator included.
inline constexpr std::size_t kDateBufferSize = 64;

// holder's date in picture, with the locale's names of days and months.
// A result that does not fit the buffer (64 characters or more) and an
// invalid date give 64 spaces, as the failed call leaves the buffer.
std::string FormatDate(const DateHolder& holder, std::string_view picture,
                       const platform::locale::LocaleData& locale);

// The locale items LocaleText answers.
enum class LocaleItem {
  ShortDate,           // short date picture
  LongDate,            // long date picture
  NativeLanguageName,  // the language's own name, without region
  EnglishCountryName,  // the country's name in English
};

// The item as read into a buffer of bufferSize characters first filled
// with spaces: the text itself, or bufferSize spaces when it does not fit.
// The language and country names are read into 30 characters.
std::string LocaleText(LocaleItem item, const platform::locale::LocaleData& locale,
                       std::size_t bufferSize = 32);

// The default date picture for the date column: when picture holds no
// "yyyy", every "yy" (any case, left to right, without overlap) becomes
// "yyyy", so dd.MM.yy gives dd.MM.yyyy.
std::string WidenYearPicture(std::string_view picture);

// FormatDate (holder, "yyyy.MM.dd"), the form of dates in records; it
// needs no locale.
std::string RecordDateText(const DateHolder& holder);

}  // namespace almanor
