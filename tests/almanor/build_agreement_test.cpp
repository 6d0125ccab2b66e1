// The fast occurrence build must give exactly what stepping one count at a
// time and inserting one by one gives: the same occurrences in the same
// order, the same records left, the same flags.
#include <gtest/gtest.h>

#include "almanor/bench/literal_build.h"
#include "almanor/bench/sample_records.h"
#include "almanor/core/occurrences.h"

namespace almanor {
namespace {

struct Outcome {
  RunState run;
  Entries entries;
  Occurrences occurrences;
};

Outcome BuildWith(const RunState& start, const std::vector<std::string>& records, bool literal) {
  Outcome o{start, Entries{records}, {}};
  if (literal) bench::LiteralBuildOccurrences(o.run, o.entries, o.occurrences);
  else BuildOccurrences(o.run, o.entries, o.occurrences);
  return o;
}

void ExpectSame(const Outcome& fast, const Outcome& literal, const std::string& context) {
  SCOPED_TRACE(context);
  EXPECT_EQ(fast.entries.records, literal.entries.records);
  EXPECT_EQ(fast.run.ListChanged, literal.run.ListChanged);
  EXPECT_EQ(fast.run.OverdueSeen, literal.run.OverdueSeen);
  ASSERT_EQ(fast.occurrences.list.size(), literal.occurrences.list.size());
  for (std::size_t i = 0; i < fast.occurrences.list.size(); ++i) {
    const Occurrence& a = fast.occurrences.list[i];
    const Occurrence& b = literal.occurrences.list[i];
    ASSERT_EQ(a.Day, b.Day) << "element " << i;
    ASSERT_EQ(a.Text, b.Text) << "element " << i;
    ASSERT_EQ(a.Alert, b.Alert) << "element " << i;
    ASSERT_EQ(a.IsDone, b.IsDone) << "element " << i;
    ASSERT_EQ(a.EntryIndex, b.EntryIndex) << "element " << i;
  }
  EXPECT_EQ(fast.occurrences.current, literal.occurrences.current);
}

RunState Window(DayNumber today, DayNumber start, bool history) {
  RunState run;
  run.Today = today;
  run.WindowStart = start;
  run.WindowEnd = kOpenWindowEnd;
  if (history) ToggleHistory(run, true);
  return run;
}

TEST(BuildAgreement, RandomRecordsAndWindows) {
  bench::SampleRandom random(7);
  for (int round = 0; round < 60; ++round) {
    std::vector<std::string> records = bench::AwkwardRecords(150, random);
    // Duplicates give equal days, whose order must agree too.
    for (int i = 0; i < 20; ++i)
      records.push_back(records[static_cast<std::size_t>(random.between(0, 149))]);
    DayNumber start = static_cast<DayNumber>(random.between(DayOfDate(1700, 1, 1), DayOfDate(2060, 12, 31)));
    DayNumber today = static_cast<DayNumber>(start + random.between(-10, 10));
    RunState run = Window(today, start, random.between(0, 3) == 0);
    ExpectSame(BuildWith(run, records, false), BuildWith(run, records, true),
               "round " + std::to_string(round) + " window " + std::to_string(run.WindowStart));
  }
}

TEST(BuildAgreement, MixedListsAroundTheSampleWindow) {
  std::vector<std::string> records = bench::MixedRecords(2000, 3);
  for (DayNumber start : {DayOfDate(2003, 7, 21), DayOfDate(2004, 2, 29), DayOfDate(2004, 3, 1),
                          DayOfDate(1999, 12, 31), DayOfDate(2008, 2, 28)}) {
    RunState run = Window(start, start, false);
    ExpectSame(BuildWith(run, records, false), BuildWith(run, records, true), std::to_string(start));
  }
}

TEST(BuildAgreement, WindowsAtTheEndsOfTheCalendar) {
  // Four-digit base years; the end of the calendar is reached by steps.
  std::vector<std::string> records = {
      "9999.12.25;1;W;w;1",        "9999.11.30;1;M;m;1",        "9998.02.28;1;Y;y;1",
      "9996.02.29;4;Y;leap;1",     "9999.12.31;1;D;daily;1",    "1601.01.02;1;D;first;1",
      "1601.01.01;0;;day zero;1",  "1601.01.01;1;D;zero base;1", "9999.01.31;1;M;m31;1",
      "2003.02.30;0;;invalid;1",   "1604.02.29;1;Y;leap1604;1", "9999.12.31;0;;one-time;1"};
  for (DayNumber start : {DayNumber{-5}, DayNumber{0}, DayNumber{1}, DayNumber{8}, DayNumber{9},
                          DayOfDate(9999, 12, 31), DayOfDate(30827, 12, 1),
                          DayOfDate(30827, 12, 31), kLastValidDay + 1,
                          DayNumber{2147483647}}) {
    for (bool history : {false, true}) {
      RunState run = Window(start, start, history);
      ExpectSame(BuildWith(run, records, false), BuildWith(run, records, true),
                 std::to_string(start) + (history ? " history" : ""));
    }
  }
}

}  // namespace
}  // namespace almanor
