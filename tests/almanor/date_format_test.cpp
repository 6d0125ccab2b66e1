#include <gtest/gtest.h>

#include "almanor/core/date_format.h"
#include "support/locales.h"

namespace almanor {
namespace {

struct FormatCase {
  const char* name;
  DayNumber day;
  const char* picture;
  const char* english;
  const char* german;
};

class FormatDateTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDateTest, FollowsThePictureInBothLocales) {
  DateHolder holder;
  ASSERT_TRUE(DateFromDay(holder, GetParam().day));
  holder.DayOfWeek = 5;  // the weekday comes from the date, not from this field
  EXPECT_EQ(FormatDate(holder, GetParam().picture, testing::English()), GetParam().english);
  EXPECT_EQ(FormatDate(holder, GetParam().picture, testing::German()), GetParam().german);
}

// 147028 is Monday 21 July 2003; 146886 is Saturday 1 March 2003; 147016
// is Wednesday 9 July 2003.
INSTANTIATE_TEST_SUITE_P(
    Cases, FormatDateTest,
    ::testing::Values(
        FormatCase{"record", 146886, "yyyy.MM.dd", "2003.03.01", "2003.03.01"},
        FormatCase{"short_numbers", 146886, "d/M/y", "1/3/3", "1/3/3"},
        FormatCase{"two_digit_year", 146886, "dd.MM.yy", "01.03.03", "01.03.03"},
        FormatCase{"three_y_is_full_year", 146886, "yyy", "2003", "2003"},
        FormatCase{"weekday", 147028, "ddd", "Mon", "Mo"},
        FormatCase{"full_names", 146886, "dddd, d. MMMM yyyy", "Saturday, 1. March 2003",
                   "Samstag, 1. M\xE4rz 2003"},
        FormatCase{"abbreviated_month", 146886, "MMM", "Mar", "M\xE4r"},
        FormatCase{"five_d_is_full_name", 147016, "ddddd", "Wednesday", "Mittwoch"},
        FormatCase{"quoted_literal", 147028, "'day' d 'of' MMMM", "day 21 of July",
                   "day 21 of Juli"},
        FormatCase{"doubled_quote_outside", 147028, "dd''MM", "21'07", "21'07"},
        FormatCase{"doubled_quote_inside", 147028, "'o''clock'", "o'clock", "o'clock"},
        FormatCase{"unterminated_quote", 147028, "d 'rest d", "21 rest d", "21 rest d"},
        FormatCase{"other_letters_stand", 147028, "g hh:mm D", "g hh:mm D", "g hh:mm D"},
        FormatCase{"empty_picture", 147028, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatDate, AResultOf64CharactersOrMoreGivesTheEmptyBuffer) {
  DateHolder holder;
  ASSERT_TRUE(DateFromDay(holder, 147028));
  const std::string sixty(60, 'x');
  // 60 + "Mon" is 63 characters and fits; 61 + "Mon" does not, 61 + "Mo" does.
  EXPECT_EQ(FormatDate(holder, "'" + sixty + "'ddd", testing::English()), sixty + "Mon");
  EXPECT_EQ(FormatDate(holder, "'" + sixty + "x'ddd", testing::English()), std::string(64, ' '));
  EXPECT_EQ(FormatDate(holder, "'" + sixty + "x'ddd", testing::German()), sixty + "xMo");
}

TEST(FormatDate, AnInvalidDateGivesTheEmptyBuffer) {
  DateHolder holder;
  holder.Year = 2003;
  holder.Month = 2;
  holder.Day = 30;
  EXPECT_EQ(FormatDate(holder, "yyyy.MM.dd", testing::English()), std::string(64, ' '));
}

TEST(LocaleText, GivesTheItemOrAFullBufferOfSpaces) {
  auto german = testing::German();
  EXPECT_EQ(LocaleText(LocaleItem::ShortDate, german), "dd.MM.yy");
  EXPECT_EQ(LocaleText(LocaleItem::LongDate, german), "dddd, d. MMMM yyyy");
  EXPECT_EQ(LocaleText(LocaleItem::NativeLanguageName, german), "Deutsch");
  EXPECT_EQ(LocaleText(LocaleItem::EnglishCountryName, german), "Germany");
  german.englishCountryName = std::string(31, 'x');
  EXPECT_EQ(LocaleText(LocaleItem::EnglishCountryName, german), std::string(31, 'x'));
  german.englishCountryName = std::string(32, 'x');
  EXPECT_EQ(LocaleText(LocaleItem::EnglishCountryName, german), std::string(32, ' '));
  EXPECT_EQ(LocaleText(LocaleItem::EnglishCountryName, german, 30), std::string(30, ' '));
}

struct WidenCase {
  const char* picture;
  const char* widened;
};

class WidenYearPictureTest : public ::testing::TestWithParam<WidenCase> {};

TEST_P(WidenYearPictureTest, GivesAFourDigitYear) {
  EXPECT_EQ(WidenYearPicture(GetParam().picture), GetParam().widened);
}

INSTANTIATE_TEST_SUITE_P(Cases, WidenYearPictureTest,
                         ::testing::Values(WidenCase{"dd.MM.yy", "dd.MM.yyyy"},
                                           WidenCase{"d/M/yy", "d/M/yyyy"},
                                           WidenCase{"M/d/yyyy", "M/d/yyyy"},
                                           WidenCase{"YY-MM-dd", "yyyy-MM-dd"},
                                           WidenCase{"yyy", "yyyyy"},
                                           WidenCase{"dd.MM.y", "dd.MM.y"},
                                           WidenCase{"yy yy", "yyyy yyyy"}));

}  // namespace
}  // namespace almanor
