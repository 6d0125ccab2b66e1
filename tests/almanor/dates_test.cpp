#include <gtest/gtest.h>

#include "almanor/core/dates.h"

namespace almanor {
namespace {

struct DayCase {
  const char* name;
  int year, month, day;
  DayNumber number;  // 0 for an invalid date
};

class DayNumberTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayNumberTest, ConvertsBothWays) {
  const DayCase& c = GetParam();
  DateHolder holder;
  holder.Year = static_cast<std::int16_t>(c.year);
  holder.Month = static_cast<std::int16_t>(c.month);
  holder.Day = static_cast<std::int16_t>(c.day);
  holder.Hour = 13;
  EXPECT_EQ(DayFromDate(holder), c.number);
  EXPECT_EQ(holder.Hour, 0);
  if (c.number == 0) return;
  DateHolder back;
  ASSERT_TRUE(DateFromDay(back, c.number));
  EXPECT_EQ(back.Year, c.year);
  EXPECT_EQ(back.Month, c.month);
  EXPECT_EQ(back.Day, c.day);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayNumberTest,
    ::testing::Values(DayCase{"first_day", 1601, 1, 1, 0},  // valid, but 0 all the same
                      DayCase{"second_day", 1601, 1, 2, 1},
                      DayCase{"july_21_2003", 2003, 7, 21, 147028},
                      DayCase{"feb_29_2004", 2004, 2, 29, 147251},
                      DayCase{"mar_1_2004", 2004, 3, 1, 147252},
                      DayCase{"feb_29_2000", 2000, 2, 29, 145790},
                      DayCase{"last_day", 30827, 12, 31, kLastValidDay},
                      DayCase{"feb_29_common_year", 2003, 2, 29, 0},
                      DayCase{"feb_29_1900", 1900, 2, 29, 0},
                      DayCase{"feb_30", 2003, 2, 30, 0},
                      DayCase{"apr_31", 2003, 4, 31, 0},
                      DayCase{"month_0", 2003, 0, 1, 0},
                      DayCase{"month_13", 2003, 13, 1, 0},
                      DayCase{"day_0", 2003, 7, 0, 0},
                      DayCase{"before_1601", 1600, 12, 31, 0},
                      DayCase{"after_30827", 30828, 1, 1, 0},
                      DayCase{"negative_year", -5, 1, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateFromDay, SetsTheWeekdayAndRefusesDaysOutsideTheCalendar) {
  DateHolder holder;
  ASSERT_TRUE(DateFromDay(holder, 147028));
  EXPECT_EQ(holder.DayOfWeek, 1);  // a Monday
  ASSERT_TRUE(DateFromDay(holder, 147251));
  EXPECT_EQ(holder.DayOfWeek, 0);  // a Sunday
  ASSERT_TRUE(DateFromDay(holder, 0));
  EXPECT_EQ(holder.DayOfWeek, 1);
  DateHolder kept = holder;
  EXPECT_FALSE(DateFromDay(holder, -1));
  EXPECT_FALSE(DateFromDay(holder, kLastValidDay + 1));
  EXPECT_EQ(holder.Year, kept.Year);
  EXPECT_EQ(holder.Day, kept.Day);
}

struct TextCase {
  const char* name;
  const char* text;
  DayNumber number;
};

class DayFromDateTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DayFromDateTextTest, ReadsFixedColumns) {
  DateHolder holder;
  EXPECT_EQ(DayFromDateText(holder, GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayFromDateTextTest,
    ::testing::Values(TextCase{"record_form", "2003.07.21", 147028},
                      TextCase{"separators_not_examined", "2003x07y21", 147028},
                      TextCase{"trailing_text_ignored", "2003.07.21;0;;", 147028},
                      TextCase{"not_zero_padded", "2003.7.1", 0},
                      TextCase{"invalid_day", "2003.02.30", 0},
                      TextCase{"short_text", "2003.07", 0},
                      TextCase{"empty", "", 0},
                      TextCase{"letters", "abcd.ef.gh", 0},
                      TextCase{"space_padded_day", "2003.07. 9", 147016}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TodayNumber, TakesTheClocksDate) {
  platform::clock::LocalTime at;
  at.year = 2004;
  at.month = 2;
  at.day = 29;
  at.hour = 23;
  at.minute = 59;
  DateHolder holder;
  EXPECT_EQ(TodayNumber(holder, platform::clock::fixedClock(at)), 147251);
  EXPECT_EQ(holder.Year, 2004);
  EXPECT_EQ(holder.Hour, 0);
}

}  // namespace
}  // namespace almanor
