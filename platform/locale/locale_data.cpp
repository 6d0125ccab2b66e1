#include "platform/locale/locale_data.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <string_view>

#include "platform/text/cp1252.h"

namespace platform::locale {
namespace {

// A locale_t of one category, released when it goes.
class CategoryLocale {
 public:
  CategoryLocale(int mask, const char* name) {
    handle_ = ::newlocale(mask, name, static_cast<locale_t>(0));
    if (!handle_) handle_ = ::newlocale(mask, "C", static_cast<locale_t>(0));
  }
  ~CategoryLocale() {
    if (handle_) ::freelocale(handle_);
  }
  CategoryLocale(const CategoryLocale&) = delete;
  CategoryLocale& operator=(const CategoryLocale&) = delete;

  // The item in Windows-1252; "" when the locale cannot be made.
  std::string text(nl_item item) const {
    if (!handle_) return {};
    std::string_view value = ::nl_langinfo_l(item, handle_);
    std::string_view codeset = ::nl_langinfo_l(CODESET, handle_);
    if (codeset == "UTF-8") return text::utf8ToCp1252(value);
    if (codeset == "ISO-8859-1" || codeset == "ISO-8859-15" || codeset == "CP1252" ||
        codeset == "ANSI_X3.4-1968")
      return std::string(value);
    // Other code pages do not map onto this one.
    std::string out(value);
    for (char& c : out)
      if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    return out;
  }

 private:
  locale_t handle_ = static_cast<locale_t>(0);
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

LocaleData englishUnitedStates() {
  LocaleData d;
  d.dayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  d.abbreviatedDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  d.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                  "July",    "August",   "September", "October", "November", "December"};
  d.abbreviatedMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  d.shortDatePicture = "M/d/yyyy";
  d.longDatePicture = "dddd, MMMM d, yyyy";
  d.nativeLanguageName = "English";
  d.englishCountryName = "United States";
  return d;
}

LocaleData posixLocale(const char* name) {
  LocaleData d;
  CategoryLocale time(LC_TIME_MASK, name);
  for (int i = 0; i < 7; ++i) {
    d.dayNames[i] = time.text(static_cast<nl_item>(DAY_1 + i));
    d.abbreviatedDayNames[i] = time.text(static_cast<nl_item>(ABDAY_1 + i));
  }
  for (int i = 0; i < 12; ++i) {
    d.monthNames[i] = time.text(static_cast<nl_item>(MON_1 + i));
    d.abbreviatedMonthNames[i] = time.text(static_cast<nl_item>(ABMON_1 + i));
  }
  d.shortDatePicture = pictureFromStrftime(time.text(D_FMT));
  d.longDatePicture = longPictureLike(d.shortDatePicture);

  LocaleData english = englishUnitedStates();
#ifdef __GLIBC__
  d.nativeLanguageName = CategoryLocale(LC_ADDRESS_MASK, name).text(_NL_ADDRESS_LANG_NAME);
  d.englishCountryName =
      CategoryLocale(LC_IDENTIFICATION_MASK, name).text(_NL_IDENTIFICATION_TERRITORY);
#endif
  // The C locale names neither; "ISO" is its placeholder territory.
  if (d.nativeLanguageName.empty()) d.nativeLanguageName = english.nativeLanguageName;
  if (d.englishCountryName.empty() || d.englishCountryName == "ISO")
    d.englishCountryName = english.englishCountryName;
  return d;
}

LocaleData userLocale() { return posixLocale(""); }

std::string pictureFromStrftime(const std::string& format) {
  std::string out;
  bool quoting = false;
  auto literal = [&](char c) {
    bool quote = isLetter(c) || c == '\'';
    if (quote && !quoting) out += '\'';
    if (!quote && quoting) out += '\'';
    quoting = quote;
    out += c;
    if (c == '\'') out += '\'';
  };
  auto picture = [&](const char* p) {
    if (quoting) out += '\'';
    quoting = false;
    out += p;
  };
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      literal(c);
      continue;
    }
    // Flags, width and the E/O modifiers of a conversion.
    bool noPad = false;
    std::size_t j = i + 1;
    while (j < format.size() && std::strchr("_-0^#", format[j])) noPad |= format[j++] == '-';
    while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
    if (j < format.size() && (format[j] == 'E' || format[j] == 'O')) ++j;
    if (j >= format.size()) break;
    i = j;
    switch (format[j]) {
      case 'd': picture(noPad ? "d" : "dd"); break;
      case 'e': picture("d"); break;
      case 'm': picture(noPad ? "M" : "MM"); break;
      case 'Y': picture("yyyy"); break;
      case 'y': picture("yy"); break;
      case 'b': case 'h': picture("MMM"); break;
      case 'B': picture("MMMM"); break;
      case 'a': picture("ddd"); break;
      case 'A': picture("dddd"); break;
      case 'F': picture("yyyy-MM-dd"); break;
      case 'D': picture("MM/dd/yy"); break;
      case '%': literal('%'); break;
      case 't': literal('\t'); break;
      case 'n': literal(' '); break;
      default: break;  // times, zones, week numbers: no date picture
    }
  }
  if (quoting) out += '\'';
  return out;
}

std::string longPictureLike(const std::string& shortPicture) {
  // Positions of the first unquoted d, M and y.
  std::size_t day = std::string::npos, month = std::string::npos, year = std::string::npos;
  bool quoted = false;
  for (std::size_t i = 0; i < shortPicture.size(); ++i) {
    char c = shortPicture[i];
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == 'd' && day == std::string::npos) day = i;
    if (c == 'M' && month == std::string::npos) month = i;
    if (c == 'y' && year == std::string::npos) year = i;
  }
  if (year < month && month < day) return "dddd, yyyy MMMM d";
  if (month < day && day < year) return "dddd, MMMM d, yyyy";
  std::size_t afterDay = shortPicture.find_first_not_of('d', day == std::string::npos ? 0 : day);
  bool dotted = day != std::string::npos && afterDay < shortPicture.size() &&
                shortPicture[afterDay] == '.';
  return dotted ? "dddd, d. MMMM yyyy" : "dddd d MMMM yyyy";
}

}  // namespace platform::locale
