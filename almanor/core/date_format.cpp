#include "almanor/core/date_format.h"

#include <cstdio>

namespace almanor {
namespace {

std::string digits(long value, int width) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%0*ld", width, value);
  return buffer;
}

}  // namespace

std::string FormatDate(const DateHolder& holder, std::string_view picture,
                       const platform::locale::LocaleData& locale) {
  const std::string failed(kDateBufferSize, ' ');
  if (!IsValidDate(holder.Year, holder.Month, holder.Day)) return failed;
  DayNumber day = DayOfDate(holder.Year, holder.Month, holder.Day);
  // The weekday comes from the date, not from the holder's field.
  int weekday = (day + 1) % 7;
  int monthIndex = holder.Month - 1;

  std::string out;
  for (std::size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'') {
      ++i;
      if (i < picture.size() && picture[i] == '\'') {
        out += '\'';
        ++i;
        continue;
      }
      // A quoted literal up to the next lone quote (or the end).
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    if (c != 'd' && c != 'M' && c != 'y') {
      out += c;
      ++i;
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    if (c == 'd') {
      if (run == 1) out += digits(holder.Day, 1);
      else if (run == 2) out += digits(holder.Day, 2);
      else if (run == 3) out += locale.abbreviatedDayNames[weekday];
      else out += locale.dayNames[weekday];
    } else if (c == 'M') {
      if (run == 1) out += digits(holder.Month, 1);
      else if (run == 2) out += digits(holder.Month, 2);
      else if (run == 3) out += locale.abbreviatedMonthNames[monthIndex];
      else out += locale.monthNames[monthIndex];
    } else {
      if (run == 1) out += digits(holder.Year % 10, 1);
      else if (run == 2) out += digits(holder.Year % 100, 2);
      else out += digits(holder.Year, 1);
    }
  }
  if (out.size() >= kDateBufferSize) return failed;
  // The result is the buffer up to its terminator.
  return out.substr(0, out.find('\0'));
}

std::string LocaleText(LocaleItem item, const platform::locale::LocaleData& locale,
                       std::size_t bufferSize) {
  const std::string* text = nullptr;
  switch (item) {
    case LocaleItem::ShortDate: text = &locale.shortDatePicture; break;
    case LocaleItem::LongDate: text = &locale.longDatePicture; break;
    case LocaleItem::NativeLanguageName: text = &locale.nativeLanguageName; break;
    case LocaleItem::EnglishCountryName: text = &locale.englishCountryName; break;
  }
  std::string value = text->substr(0, text->find('\0'));
  if (value.size() >= bufferSize) return std::string(bufferSize, ' ');
  return value;
}

std::string WidenYearPicture(std::string_view picture) {
  std::string out(picture);
  if (out.find("yyyy") != std::string::npos) return out;
  std::string widened;
  for (std::size_t i = 0; i < out.size();) {
    bool yy = i + 1 < out.size() && (out[i] == 'y' || out[i] == 'Y') &&
              (out[i + 1] == 'y' || out[i + 1] == 'Y');
    if (yy) {
      widened += "yyyy";
      i += 2;
    } else {
      widened += out[i++];
    }
  }
  return widened;
}

std::string RecordDateText(const DateHolder& holder) {
  // The record picture holds no names, so no locale is needed.
  return FormatDate(holder, "yyyy.MM.dd", platform::locale::LocaleData{});
}

}  // namespace almanor
