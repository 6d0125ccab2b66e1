// Exclusive opens, table locks and record locks, between two work areas of
// one process and between two processes; and what a crash leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <tuple>

#include "platform/dbf/work_areas.h"
#include "platform/ui/scripted_backend.h"
#include "tests/support/dbf_bytes.h"
#include "tests/support/temp_drive.h"

namespace dbf = platform::dbf;

namespace {

enum class Hold { Exclusive, Shared, TableLock, RecordLock1 };
enum class Attempt { ExclusiveOpen, SharedOpen, TableLock, RecordLock1, RecordLock2, Append };
enum class Where { OtherArea, OtherProcess };

struct LockCase {
  const char* label;
  Hold hold;
  Attempt attempt;
  bool succeeds;
};

const LockCase kLockCases[] = {
    {"exclusive_refuses_exclusive", Hold::Exclusive, Attempt::ExclusiveOpen, false},
    {"exclusive_refuses_shared", Hold::Exclusive, Attempt::SharedOpen, false},
    {"shared_refuses_exclusive", Hold::Shared, Attempt::ExclusiveOpen, false},
    {"shared_admits_shared", Hold::Shared, Attempt::SharedOpen, true},
    {"shared_admits_table_lock", Hold::Shared, Attempt::TableLock, true},
    {"table_lock_refuses_table_lock", Hold::TableLock, Attempt::TableLock, false},
    {"table_lock_refuses_record_lock", Hold::TableLock, Attempt::RecordLock1, false},
    {"table_lock_refuses_append", Hold::TableLock, Attempt::Append, false},
    {"record_lock_refuses_same_record", Hold::RecordLock1, Attempt::RecordLock1, false},
    {"record_lock_admits_other_record", Hold::RecordLock1, Attempt::RecordLock2, true},
    {"record_lock_refuses_table_lock", Hold::RecordLock1, Attempt::TableLock, false},
    {"record_lock_admits_append", Hold::RecordLock1, Attempt::Append, true},
};

// The first holder, in work area 1.
void hold(Hold h) {
  dbf::select(1);
  ASSERT_TRUE(dbf::use("C:\\T.DBF", h == Hold::Exclusive ? dbf::kExclusive : dbf::kShared));
  dbf::goTo(1);
  if (h == Hold::TableLock) {
    ASSERT_TRUE(dbf::fLock());
  }
  if (h == Hold::RecordLock1) {
    ASSERT_TRUE(dbf::rLock());
  }
}

// The attempt of the second holder, in a work area of its own. Its result,
// which the sharing-error flag must mirror.
bool attempt(Attempt a) {
  if (dbf::selectAlias("OTHER")) dbf::closeArea();
  dbf::selectFree();
  const bool exclusive = a == Attempt::ExclusiveOpen;
  bool ok = dbf::use("C:\\T.DBF", exclusive ? dbf::kExclusive : dbf::kShared, "OTHER");
  if (ok) {
    switch (a) {
      case Attempt::ExclusiveOpen:
      case Attempt::SharedOpen: break;
      case Attempt::TableLock: ok = dbf::fLock(); break;
      case Attempt::RecordLock1: dbf::goTo(1); ok = dbf::rLock(); break;
      case Attempt::RecordLock2: dbf::goTo(2); ok = dbf::rLock(); break;
      case Attempt::Append: ok = dbf::appendBlank(); break;
    }
  }
  if (dbf::netErr() == ok) throw std::logic_error("sharing-error flag disagrees with the result");
  return ok;
}

// The attempt made by a child process; exit 0 refused, 1 done, 2 failed.
bool attemptInChild(Attempt a) {
  pid_t pid = fork();
  if (pid == 0) {
    int code = 2;
    try {
      code = attempt(a) ? 1 : 0;
    } catch (...) {
    }
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 2) << "the child's attempt failed";
  return WEXITSTATUS(status) == 1;
}

// A table T.DBF of two records on a drive of the test's own.
class LockFixture : public ::testing::Test {
 protected:
  void SetUp() override { drive.write("T.DBF", zelk_test::dbfFile({{"A", 'C', 1}}, {"1", "2"})); }
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
};

class TableLocks : public LockFixture, public ::testing::WithParamInterface<std::tuple<LockCase, Where>> {};

TEST_P(TableLocks, SecondHolderGetsWhatTheFirstAllows) {
  const auto& [c, where] = GetParam();
  hold(c.hold);
  const bool ok = where == Where::OtherArea ? attempt(c.attempt) : attemptInChild(c.attempt);
  EXPECT_EQ(ok, c.succeeds);
  // Nothing a refused attempt did may have touched the table.
  if (!c.succeeds) {
    EXPECT_EQ(zelk_test::readDbf(drive.read("T.DBF")).count, 2u);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TableLocks,
                         ::testing::Combine(::testing::ValuesIn(kLockCases),
                                            ::testing::Values(Where::OtherArea, Where::OtherProcess)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).label) +
                                  (std::get<1>(info.param) == Where::OtherArea ? "_area" : "_process");
                         });

using LockLifetime = LockFixture;

TEST_F(LockLifetime, LocksGoWithUnlockAndClose) {
  hold(Hold::RecordLock1);
  EXPECT_FALSE(attempt(Attempt::RecordLock1));
  dbf::select(1);
  dbf::unlock();
  EXPECT_TRUE(attempt(Attempt::RecordLock1));
  dbf::closeAll();

  hold(Hold::Exclusive);
  EXPECT_FALSE(attempt(Attempt::SharedOpen));
  dbf::select(1);
  dbf::closeArea();
  EXPECT_TRUE(attempt(Attempt::SharedOpen));
}

TEST_F(LockLifetime, LocksGoWhenTheHoldingProcessEnds) {
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    close(release[1]);
    char c = dbf::use("C:\\T.DBF", dbf::kExclusive, "HOLDER") ? 'y' : 'n';
    (void)!write(ready[1], &c, 1);
    (void)!read(release[0], &c, 1);  // until the parent closes its end
    _exit(0);                         // no close: the process just ends
  }
  close(ready[1]);
  close(release[0]);
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  EXPECT_FALSE(attempt(Attempt::SharedOpen));
  close(release[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(attempt(Attempt::ExclusiveOpen));
  close(ready[0]);
}

TEST_F(LockLifetime, TwoSharedHoldersAppendInTurn) {
  ASSERT_TRUE(dbf::use("C:\\T.DBF"));
  ASSERT_TRUE(dbf::use("C:\\T.DBF", dbf::kNewArea, "SECOND"));
  dbf::select(1);
  ASSERT_TRUE(dbf::appendBlank());
  dbf::fieldPut("A", "x");
  dbf::unlock();
  dbf::select(2);
  ASSERT_TRUE(dbf::appendBlank());
  EXPECT_EQ(dbf::recNo(), 4u) << "the second holder sees the first one's record";
  dbf::fieldPut("A", "y");
  dbf::unlock();
  dbf::select(1);
  EXPECT_EQ(dbf::recCount(), 4u);
  dbf::goTo(4);
  EXPECT_EQ(dbf::fieldGet("A").text(), "y");
  dbf::closeAll();
  EXPECT_EQ(zelk_test::readDbf(drive.read("T.DBF")).records,
            (std::vector<std::string>{" 1", " 2", " x", " y"}));
}

// A committed table survives its process dying at once, without closing.
TEST_F(LockLifetime, CommittedDataSurvivesAKilledProcess) {
  pid_t pid = fork();
  if (pid == 0) {
    dbf::create("C:\\DUR.DBF", {{"NAME", 'C', 8, 0}, {"N", 'N', 4, 0}});
    dbf::use("C:\\DUR.DBF", dbf::kExclusive, "DUR");
    dbf::appendBlank();
    dbf::fieldPut("NAME", "KEPT");
    dbf::fieldPut("N", 42);
    dbf::commit();
    raise(SIGKILL);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_TRUE(dbf::use("C:\\DUR.DBF", dbf::kShared, "DUR"));
  EXPECT_EQ(dbf::recCount(), 1u);
  EXPECT_EQ(dbf::fieldGet("NAME").text(), "KEPT    ");
  EXPECT_EQ(dbf::fieldGet("N").number(), 42.0);
}

}  // namespace
