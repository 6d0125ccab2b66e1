#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/locale/locale_data.h"

namespace platform::locale {
namespace {

struct PictureCase {
  const char* name;
  const char* strftime;
  const char* picture;
};

class PictureFromStrftimeTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureFromStrftimeTest, Converts) {
  EXPECT_EQ(pictureFromStrftime(GetParam().strftime), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureFromStrftimeTest,
    ::testing::Values(PictureCase{"german", "%d.%m.%Y", "dd.MM.yyyy"},
                      PictureCase{"c_locale", "%m/%d/%y", "MM/dd/yy"},
                      PictureCase{"iso", "%F", "yyyy-MM-dd"},
                      PictureCase{"unpadded", "%-d.%-m.%Y", "d.M.yyyy"},
                      PictureCase{"space_padded_day", "%e/%m/%Y", "d/MM/yyyy"},
                      PictureCase{"names", "%A, %e. %B %Y", "dddd, d. MMMM yyyy"},
                      PictureCase{"letters_are_quoted", "%d de %b", "dd 'de' MMM"},
                      PictureCase{"quote_doubled", "%d'%m", "dd''''MM"},
                      PictureCase{"percent", "%d%%", "dd%"},
                      PictureCase{"times_left_out", "%d.%m. %H:%M", "dd.MM. :"},
                      PictureCase{"trailing_percent", "%d%", "dd%"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LongPictureLike, FollowsTheShortPicturesOrder) {
  EXPECT_EQ(longPictureLike("dd.MM.yyyy"), "dddd, d. MMMM yyyy");
  EXPECT_EQ(longPictureLike("dd/MM/yyyy"), "dddd d MMMM yyyy");
  EXPECT_EQ(longPictureLike("MM/dd/yy"), "dddd, MMMM d, yyyy");
  EXPECT_EQ(longPictureLike("yyyy-MM-dd"), "dddd, yyyy MMMM d");
  EXPECT_EQ(longPictureLike(""), "dddd d MMMM yyyy");
}

TEST(PosixLocale, TheCLocaleReadsAsEnglish) {
  LocaleData c = posixLocale("C");
  EXPECT_EQ(c.dayNames[0], "Sunday");
  EXPECT_EQ(c.abbreviatedDayNames[1], "Mon");
  EXPECT_EQ(c.monthNames[6], "July");
  EXPECT_EQ(c.abbreviatedMonthNames[11], "Dec");
  EXPECT_EQ(c.shortDatePicture, "MM/dd/yy");
  EXPECT_EQ(c.longDatePicture, "dddd, MMMM d, yyyy");
  EXPECT_EQ(c.nativeLanguageName, "English");
  EXPECT_EQ(c.englishCountryName, "United States");
}

TEST(PosixLocale, AnUninstalledLocaleFallsBackToC) {
  LocaleData missing = posixLocale("xx_NOWHERE.UTF-8");
  EXPECT_EQ(missing.dayNames[0], "Sunday");
  EXPECT_EQ(missing.shortDatePicture, "MM/dd/yy");
}

TEST(PosixLocale, TheUsersLocaleComesFromTheEnvironment) {
  // The test runs under LC_ALL=C.UTF-8.
  LocaleData user = userLocale();
  EXPECT_EQ(user.monthNames[0], "January");
  EXPECT_EQ(user.shortDatePicture, "MM/dd/yy");
}

}  // namespace
}  // namespace platform::locale
