#include <gtest/gtest.h>

#include <optional>

#include "almanor/core/date_format.h"
#include "almanor/core/occurrences.h"

namespace almanor {
namespace {

DayNumber Day(int y, int m, int d) { return DayOfDate(y, m, d); }

std::string DateOf(DayNumber day) {
  DateHolder holder;
  if (!DateFromDay(holder, day)) return "invalid";
  return RecordDateText(holder);
}

const DayNumber k21July2003 = 147028;

// A run on 21 July 2003 whose window starts that day, as on the first run
// of a day after a run the day before.
class BuildTest : public ::testing::Test {
 protected:
  RunState run;
  Entries entries;
  Occurrences occurrences;

  void SetUp() override {
    run.Today = k21July2003;
    run.Done = k21July2003 - 1;
    run.WindowStart = k21July2003;
    run.WindowEnd = kOpenWindowEnd;
  }
  void Build(std::vector<std::string> records) {
    entries.records = std::move(records);
    BuildOccurrences(run, entries, occurrences);
  }
  std::vector<std::string> ListedDates() const {
    std::vector<std::string> dates;
    for (const Occurrence& o : occurrences.list) dates.push_back(DateOf(o.Day));
    return dates;
  }
};

struct RuleCase {
  const char* name;
  std::string record;
  DayNumber windowStart;
  std::optional<std::string> listed;       // date listed, or nothing
  std::optional<std::string> recordAfter;  // the record after the build, nothing when deleted
};

class OccurrenceRuleTest : public BuildTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(OccurrenceRuleTest, ListsDeletesOrKeeps) {
  const RuleCase& c = GetParam();
  run.WindowStart = c.windowStart;
  Build({c.record});
  if (c.listed) {
    ASSERT_EQ(occurrences.list.size(), 1u);
    EXPECT_EQ(DateOf(occurrences.list[0].Day), *c.listed);
  } else {
    EXPECT_TRUE(occurrences.list.empty()) << DateOf(occurrences.list[0].Day);
  }
  if (c.recordAfter) {
    EXPECT_EQ(entries.records, std::vector<std::string>{*c.recordAfter});
  } else {
    EXPECT_TRUE(entries.records.empty());
  }
  // Only deletions change the list here.
  EXPECT_EQ(run.ListChanged, !c.recordAfter.has_value());
}

RuleCase Kept(const char* name, std::string record, DayNumber start,
              std::optional<std::string> listed) {
  return RuleCase{name, record, start, std::move(listed), record};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OccurrenceRuleTest,
    ::testing::Values(
        Kept("monthly_31st_lands_on_february_end", "2003.01.31;1;M;Rent;2", Day(2003, 2, 1),
             "2003.02.28"),
        Kept("monthly_31st_back_on_the_31st", "2003.01.31;1;M;Rent;2", Day(2003, 3, 1),
             "2003.03.31"),
        Kept("monthly_31st_in_july", "2003.01.31;1;M;Rent;2", k21July2003, "2003.07.31"),
        Kept("monthly_31st_leap_february", "2003.01.31;1;M;Rent;2", Day(2004, 2, 1), "2004.02.29"),
        Kept("every_5_months_across_years", "2003.10.31;5;M;x;1", Day(2004, 1, 1), "2004.03.31"),
        Kept("yearly_feb_29_skips_common_years", "2004.02.29;1;Y;x;1", Day(2005, 1, 1),
             "2008.02.29"),
        Kept("two_yearly_feb_29", "2004.02.29;2;Y;x;1", Day(2005, 1, 1), "2008.02.29"),
        Kept("century_feb_29_skips_2100_to_2300", "2000.02.29;100;Y;x;1", Day(2001, 1, 1),
             "2400.02.29"),
        Kept("yearly_ordinary_date", "1990.07.20;1;Y;x;1", k21July2003, "2004.07.20"),
        Kept("every_3_days", "2003.07.01;3;D;x;1", k21July2003, "2003.07.22"),
        Kept("weekly", "2003.07.01;1;W;x;1", k21July2003, "2003.07.22"),
        Kept("weekly_on_the_window_start", "2003.07.21;1;W;x;1", k21July2003, "2003.07.21"),
        Kept("unit_judged_by_first_letter", "2003.07.01;1;Weeks;x;1", k21July2003,
             "2003.07.22"),
        Kept("count_with_leading_spaces", "2003.07.01; 3;D;x;1", k21July2003, "2003.07.22"),
        Kept("repeating_base_after_window", "2003.09.01;1;M;x;1", k21July2003, "2003.09.01"),
        RuleCase{"one_time_8_days_before_deleted", "2003.07.13;0;;x;1", k21July2003,
                 std::nullopt, std::nullopt},
        Kept("one_time_7_days_before_kept_unlisted", "2003.07.14;0;;x;1", k21July2003,
             std::nullopt),
        Kept("one_time_on_window_start", "2003.07.21;0;;x;1", k21July2003, "2003.07.21"),
        RuleCase{"invalid_base_date_deleted", "2003.02.30;1;M;x;1", k21July2003, std::nullopt,
                 std::nullopt},
        RuleCase{"unpadded_base_date_deleted", "2003.7.1;0;;x;1", k21July2003, std::nullopt,
                 std::nullopt},
        RuleCase{"empty_record_deleted", "", k21July2003, std::nullopt, std::nullopt},
        Kept("fewer_fields_one_time", "2003.07.22", k21July2003, "2003.07.22"),
        // Repeats no editor makes count as one-time entries, so they end.
        Kept("negative_count_is_one_time", "2003.07.25;-3;D;x;1", k21July2003, "2003.07.25"),
        RuleCase{"negative_count_old_is_deleted", "2003.01.01;-1;W;x;1", k21July2003,
                 std::nullopt, std::nullopt},
        RuleCase{"lower_case_unit_is_one_time", "2003.01.31;1;m;x;1", k21July2003, std::nullopt,
                 std::nullopt},
        RuleCase{"unit_after_a_space_is_one_time", "2003.01.31;1; M;x;1", k21July2003,
                 std::nullopt, std::nullopt},
        Kept("count_without_unit_is_one_time", "2003.07.30;2;;x;1", k21July2003, "2003.07.30"),
        // Steps that leave the calendar end the advance without an occurrence.
        Kept("huge_daily_step", "2003.01.01;2147483647;D;x;1", k21July2003, std::nullopt),
        Kept("huge_weekly_step", "2003.01.01;2147483647;W;x;1", k21July2003, std::nullopt),
        Kept("huge_monthly_step", "2003.01.01;2147483647;M;x;1", k21July2003, std::nullopt),
        Kept("yearly_step_past_30827", "2003.01.01;28825;Y;x;1", k21July2003, std::nullopt),
        Kept("yearly_step_to_30827", "2002.12.31;28825;Y;x;1", k21July2003, "30827.12.31"),
        // Records hold four-digit years; the last months are reached by steps.
        Kept("monthly_into_the_last_month", "9999.11.30;249937;M;x;1", Day(10000, 1, 1),
             "30827.12.30"),
        Kept("monthly_past_the_last_month", "9999.11.30;249938;M;x;1", Day(10000, 1, 1),
             std::nullopt),
        Kept("daily_onto_the_last_day", "9999.12.31;7607271;D;x;1", Day(10000, 1, 1),
             "30827.12.31"),
        Kept("daily_past_the_last_day", "9999.12.31;7607272;D;x;1", Day(10000, 1, 1),
             std::nullopt),
        Kept("window_beyond_the_calendar", "2003.01.01;1;D;x;1", kLastValidDay + 5,
             std::nullopt)),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BuildTest, TheWholeListOfEdgeCases) {
  Build({
      "2003.07.13;0;;deleted one-time;1",  // deleted
      "2003.07.01;3;D;every 3 days;0",     // 22 July
      "2003.07.14;0;;kept unlisted;1",
      "2003.02.30;0;;invalid;1",  // deleted
      "2003.07.01;1;W;weekly;2",  // 22 July, after the one above in the file
      "2003.07.21;1;W;today weekly;",
      "2003.01.31;1;M;rent;1",  // 31 July
  });
  EXPECT_EQ(entries.records,
            (std::vector<std::string>{"2003.07.01;3;D;every 3 days;0", "2003.07.14;0;;kept unlisted;1",
                                      "2003.07.01;1;W;weekly;2", "2003.07.21;1;W;today weekly;",
                                      "2003.01.31;1;M;rent;1"}));
  EXPECT_TRUE(run.ListChanged);
  EXPECT_FALSE(run.OverdueSeen);
  ASSERT_EQ(occurrences.list.size(), 4u);
  EXPECT_EQ(ListedDates(),
            (std::vector<std::string>{"2003.07.21", "2003.07.22", "2003.07.22", "2003.07.31"}));
  // Equal days in the reverse of their file order; indexes after the deletions.
  EXPECT_EQ(occurrences.list[1].Text, "weekly");
  EXPECT_EQ(occurrences.list[1].EntryIndex, 2);
  EXPECT_EQ(occurrences.list[1].Alert, 2);
  EXPECT_EQ(occurrences.list[2].Text, "every 3 days");
  EXPECT_EQ(occurrences.list[2].EntryIndex, 0);
  EXPECT_EQ(occurrences.list[2].Alert, 0);
  EXPECT_EQ(occurrences.list[0].Alert, 1);  // an empty alert field reads as 1
  EXPECT_EQ(occurrences.list[3].EntryIndex, 4);
  // The last one built is current.
  EXPECT_EQ(occurrences.current, 3u);
}

TEST_F(BuildTest, ARebuildOfTheCleanedListChangesNothing) {
  Build({"2003.07.13;0;;old;1", "2003.07.22;0;;new;1"});
  run.ListChanged = false;
  BuildOccurrences(run, entries, occurrences);
  EXPECT_FALSE(run.ListChanged);
  EXPECT_EQ(entries.records, std::vector<std::string>{"2003.07.22;0;;new;1"});
  EXPECT_EQ(occurrences.list.size(), 1u);
}

struct MarkCase {
  const char* name;
  std::string record;
  int isDone;
  std::string recordAfter;
};

class DoneMarkTest : public BuildTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(DoneMarkTest, MarksKeptAndCleared) {
  Build({GetParam().record});
  ASSERT_EQ(occurrences.list.size(), 1u);
  EXPECT_EQ(DateOf(occurrences.list[0].Day), "2003.07.21");
  EXPECT_EQ(occurrences.list[0].IsDone, GetParam().isDone);
  EXPECT_EQ(entries.records[0], GetParam().recordAfter);
  EXPECT_EQ(run.ListChanged, GetParam().record != GetParam().recordAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoneMarkTest,
    ::testing::Values(
        MarkCase{"mark_on_this_occurrence", "2003.07.07;1;W;x;1;2003.07.21", 1,
                 "2003.07.07;1;W;x;1;2003.07.21"},
        MarkCase{"mark_with_spaces", "2003.07.07;1;W;x;1; 2003.07.21 ", 1,
                 "2003.07.07;1;W;x;1; 2003.07.21 "},
        MarkCase{"stale_mark_removed", "2003.07.07;1;W;x;1;2003.07.07", 0, "2003.07.07;1;W;x;1"},
        MarkCase{"stale_mark_removed_with_later_fields", "2003.07.07;1;W;x;1;2003.07.07;extra", 0,
                 "2003.07.07;1;W;x;1"},
        MarkCase{"recent_mark_stays", "2003.07.07;1;W;x;1;2003.07.16", 0,
                 "2003.07.07;1;W;x;1;2003.07.16"},
        MarkCase{"mark_exactly_a_week_before_stays", "2003.07.07;1;W;x;1;2003.07.14", 0,
                 "2003.07.07;1;W;x;1;2003.07.14"},
        MarkCase{"invalid_mark_is_no_mark", "2003.07.07;1;W;x;1;junk", 0,
                 "2003.07.07;1;W;x;1;junk"},
        MarkCase{"stale_mark_on_short_record", "2003.07.21;0;;;;2003.01.01", 0,
                 "2003.07.21;0;;;"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BuildTest, OverdueOnlyWithAnOpenWindow) {
  // The window starts a week back: the previous run was a week ago.
  run.WindowStart = k21July2003 - 7;
  Build({"2003.07.20;0;;yesterday;1"});
  ASSERT_EQ(occurrences.list.size(), 1u);
  EXPECT_TRUE(run.OverdueSeen);

  ToggleHistory(run, true);
  EXPECT_EQ(run.WindowEnd, k21July2003 - 7);
  BuildOccurrences(run, entries, occurrences);
  EXPECT_TRUE(occurrences.list.empty());
  EXPECT_FALSE(run.OverdueSeen);

  run.OverdueSeen = true;
  Build({"2003.07.10;0;;in the history week;1"});
  EXPECT_EQ(occurrences.list.size(), 1u);
  EXPECT_FALSE(run.OverdueSeen);
}

TEST_F(BuildTest, HistoryWeekListsADailyRecordOnce) {
  std::vector<std::string> records{"2003.07.01;1;D;daily;1", "2003.07.14;0;;a week ago;1",
                                   "2003.07.13;0;;8 days ago;1"};
  ToggleHistory(run, true);
  EXPECT_EQ(run.WindowStart, k21July2003 - 7);
  EXPECT_EQ(run.WindowEnd, k21July2003);
  Build(records);
  EXPECT_EQ(ListedDates(), (std::vector<std::string>{"2003.07.14", "2003.07.14"}));
  // Nothing lies more than a week before the history week.
  EXPECT_FALSE(run.ListChanged);
  EXPECT_EQ(entries.records, records);

  ToggleHistory(run, false);
  EXPECT_EQ(run.WindowStart, k21July2003);
  EXPECT_EQ(run.WindowEnd, kOpenWindowEnd);
  BuildOccurrences(run, entries, occurrences);
  EXPECT_EQ(ListedDates(), std::vector<std::string>{"2003.07.21"});
  EXPECT_EQ(entries.records, (std::vector<std::string>{records[0], records[1]}));
}

TEST_F(BuildTest, AcknowledgingOverdueDropsItFromTheList) {
  run.WindowStart = Day(2003, 7, 1);
  run.Done = run.WindowStart - 1;
  Build({"2003.07.05;0;;old;1", "2003.07.18;0;;recent;1", "2003.07.21;0;;today;1"});
  EXPECT_TRUE(run.OverdueSeen);
  AcknowledgeOverdue(run);
  EXPECT_EQ(run.WindowStart, k21July2003);
  EXPECT_EQ(run.Done, k21July2003 - 1);
  BuildOccurrences(run, entries, occurrences);
  EXPECT_FALSE(run.OverdueSeen);
  EXPECT_EQ(ListedDates(), std::vector<std::string>{"2003.07.21"});
  // Only the one more than a week before today is deleted.
  EXPECT_EQ(entries.records,
            (std::vector<std::string>{"2003.07.18;0;;recent;1", "2003.07.21;0;;today;1"}));
}

TEST_F(BuildTest, TogglingTheDoneMarkAsTheEntryMenuDoes) {
  DateHolder holder;
  Build({"2003.07.07;1;W;x;1"});
  auto toggle = [&] {
    const Occurrence& o = occurrences.list[occurrences.current];
    entries.current = static_cast<std::size_t>(o.EntryIndex);
    bool wasDone = o.IsDone == 1;
    ClearDoneMark(run, entries, occurrences);
    occurrences.list[occurrences.current].IsDone = wasDone ? 0 : 1;
    AppendDoneMark(1, run, entries, occurrences, holder);
    BuildOccurrences(run, entries, occurrences);
  };
  toggle();
  EXPECT_EQ(entries.records[0], "2003.07.07;1;W;x;1;2003.07.21");
  EXPECT_EQ(occurrences.list[0].IsDone, 1);
  EXPECT_TRUE(run.ListChanged);
  EXPECT_EQ(holder.Day, 21);
  toggle();
  EXPECT_EQ(entries.records[0], "2003.07.07;1;W;x;1");
  EXPECT_EQ(occurrences.list[0].IsDone, 0);
}

TEST(DoneMarkEdits, ActOnlyOnValidCurrentElements) {
  RunState run;
  Entries entries{{"a;b;c;d;e;f;g"}, 0};
  Occurrences occurrences;
  InsertOccurrence(occurrences, 147028).IsDone = 1;
  ClearDoneMark(run, entries, occurrences);
  EXPECT_EQ(entries.records[0], "a;b;c;d;e");
  EXPECT_EQ(occurrences.list[0].IsDone, 0);

  DateHolder holder;
  occurrences.list[0].IsDone = 1;
  run.ListChanged = false;
  AppendDoneMark(0, run, entries, occurrences, holder);
  EXPECT_EQ(entries.records[0], "a;b;c;d;e");
  EXPECT_FALSE(run.ListChanged);

  entries.current = 5;
  occurrences.current = 9;
  ClearDoneMark(run, entries, occurrences);
  AppendDoneMark(1, run, entries, occurrences, holder);
  EXPECT_EQ(entries.records[0], "a;b;c;d;e");
  EXPECT_FALSE(run.ListChanged);
}

TEST(InsertOccurrence, EqualDaysGoInFront) {
  Occurrences occurrences;
  InsertOccurrence(occurrences, 20).Text = "first";
  InsertOccurrence(occurrences, 10).Text = "early";
  InsertOccurrence(occurrences, 20).Text = "second";
  InsertOccurrence(occurrences, 30).Text = "late";
  std::vector<std::string> texts;
  for (const auto& o : occurrences.list) texts.push_back(o.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"early", "second", "first", "late"}));
  EXPECT_EQ(occurrences.current, 3u);
  EXPECT_EQ(occurrences.list[3].Alert, 0);
}

struct WindowCase {
  const char* name;
  DayNumber storedDone, storedLast;
  DayNumber done, windowStart;
};

class WindowAtStartTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowAtStartTest, PlacesTheWindow) {
  RunState run;
  run.Today = k21July2003;
  run.WindowEnd = 5;
  PlaceWindowAtStart(run, GetParam().storedDone, GetParam().storedLast);
  EXPECT_EQ(run.Done, GetParam().done);
  EXPECT_EQ(run.WindowStart, GetParam().windowStart);
  EXPECT_EQ(run.WindowEnd, kOpenWindowEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowAtStartTest,
    ::testing::Values(
        WindowCase{"first_run_ever", k21July2003 - 1, k21July2003 - 1, k21July2003 - 1, k21July2003},
        WindowCase{"first_run_of_the_day", 147000, 147020, 147020, 147021},
        WindowCase{"again_the_same_day", 147027, k21July2003, 147027, k21July2003},
        WindowCase{"again_after_acknowledging", k21July2003 - 1, k21July2003, k21July2003 - 1,
                   k21July2003},
        WindowCase{"done_at_the_32_bit_end", 2147483647, k21July2003, 2147483647, 2147483647}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace almanor
