// Files that are not readable tables: each must end in the general error
// handler naming the file, and the file must come out untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/dbf/work_areas.h"
#include "platform/ui/scripted_backend.h"
#include "tests/support/dbf_bytes.h"
#include "tests/support/program_stop.h"
#include "tests/support/temp_drive.h"

namespace dbf = platform::dbf;
using platform::runtime::kExitRuntimeError;
using zelk_test::endStatus;
using zelk_test::putLe;

namespace {

// Two fields (C 10, N 5), two records: header 97 bytes, records 16.
std::string validTable() {
  return zelk_test::dbfFile({{"NAME", 'C', 10}, {"QTY", 'N', 5}}, {"ALPHA        12", "BETA         34"});
}

struct Damage {
  const char* label;
  std::function<void(std::string&)> apply;
  const char* reason;  // a piece of the error's text
};

const Damage kDamages[] = {
    {"empty_file", [](std::string& b) { b.clear(); }, "shorter than a table header"},
    {"cut_inside_the_first_32_bytes", [](std::string& b) { b.resize(20); }, "shorter than a table header"},
    {"not_a_dbase_three_version", [](std::string& b) { b[0] = 0x30; }, "not a dBase III table"},
    {"header_length_below_one_field", [](std::string& b) { putLe(b, 8, 40, 2); }, "bad header length"},
    {"header_length_beyond_the_file", [](std::string& b) { putLe(b, 8, 5000, 2); }, "header claims more"},
    {"cut_inside_the_descriptors", [](std::string& b) { b.resize(80); }, "header claims more"},
    {"record_length_zero", [](std::string& b) { putLe(b, 10, 0, 2); }, "bad record length"},
    {"field_lengths_not_the_record_length", [](std::string& b) { putLe(b, 10, 15, 2); }, "do not add up"},
    {"field_of_length_zero", [](std::string& b) { b[32 + 16] = 0; }, "length 0"},
    {"blank_field_name", [](std::string& b) { b[32] = '\0'; }, "bad field name"},
    {"field_type_not_a_letter", [](std::string& b) { b[32 + 11] = '1'; }, "bad field type"},
    {"no_descriptor_terminator", [](std::string& b) { b[96] = 'X'; }, "crosses the header end"},
    {"terminator_missing_in_longer_header",
     [](std::string& b) {
       b[96] = 'X';
       putLe(b, 8, 97 + 20, 2);  // a header that runs into the records
       putLe(b, 4, 0, 4);
     },
     "crosses the header end"},
    {"no_fields_at_all",
     [](std::string& b) {
       b[32] = 0x0D;
       putLe(b, 4, 0, 4);
     },
     "without fields"},
    {"record_count_beyond_the_data", [](std::string& b) { putLe(b, 4, 3, 4); }, "record count beyond"},
    {"record_count_near_the_32_bit_limit", [](std::string& b) { putLe(b, 4, 0xFFFFFFFFu, 4); }, "record count beyond"},
    {"cut_inside_the_last_record", [](std::string& b) { b.resize(97 + 16 + 7); }, "record count beyond"},
    // Two fields of one name were accepted, and the second could be neither read nor written.
    {"field_named_twice", [](std::string& b) { b.replace(64, 4, "name"); }, "field named twice"},
};

class MalformedTable : public ::testing::TestWithParam<Damage> {
 protected:
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;

  // The error message the general handler showed, after checking it ended
  // the program with the runtime-error status.
  std::string errorOf(const std::function<void()>& f) {
    EXPECT_EQ(endStatus(f), kExitRuntimeError);
    if (dialogs->records().empty()) return "";
    return dialogs->records().back().text;
  }
};

TEST_P(MalformedTable, OpenEndsInTheErrorHandlerNamingTheFile) {
  std::string bytes = validTable();
  GetParam().apply(bytes);
  drive.write("BAD.DBF", bytes);

  for (int flags : {dbf::kShared, dbf::kExclusive, dbf::kReadOnly}) {
    SCOPED_TRACE(flags);
    const std::string message = errorOf([&] { dbf::use("C:\\BAD.DBF", flags); });
    EXPECT_NE(message.find("C:\\BAD.DBF"), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
    EXPECT_FALSE(dbf::used());
  }
  EXPECT_EQ(drive.read("BAD.DBF"), bytes) << "a bad file is never written";
  // The same file as the source of an append or of a structure fails alike.
  dbf::create("C:\\GOOD.DBF", {{"NAME", 'C', 10, 0}});
  ASSERT_TRUE(dbf::use("C:\\GOOD.DBF", dbf::kExclusive));
  EXPECT_NE(errorOf([] { dbf::appendFrom("C:\\BAD.DBF"); }).find("C:\\BAD.DBF"), std::string::npos);
  EXPECT_EQ(dbf::recCount(), 0u);
  EXPECT_NE(errorOf([] { dbf::createFrom("C:\\NEW.DBF", "C:\\BAD.DBF"); }).find("C:\\BAD.DBF"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Damages, MalformedTable, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.label); });

// Files the engine reads although no careful writer makes them. Each once
// broke the engine after it had accepted the file; now every field reads
// by its own name and takes a value of its kind in every open mode.
struct Oddity {
  const char* label;
  std::function<void(std::string&)> apply;
};

const Oddity kOddities[] = {
    // An accented lower-case letter in a name was folded for lookups but not in the header.
    {"accented_lower_case_field_name", [](std::string& b) { b[33] = '\xE1'; }},
};

dbf::Value sampleFor(const dbf::FieldDef& f) {
  switch (f.type) {
    case 'N': return dbf::Value(7.0);
    case 'D': return dbf::Value(dbf::Date{2001, 3, 5});
    case 'L': return dbf::Value(true);
    default: return dbf::Value("X");
  }
}

class OddButReadableTable : public ::testing::TestWithParam<Oddity> {
 protected:
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
};

TEST_P(OddButReadableTable, EveryFieldReadsAndTakesWritesInEveryMode) {
  std::string bytes = validTable();
  GetParam().apply(bytes);
  for (int flags : {dbf::kShared, dbf::kExclusive, dbf::kReadOnly}) {
    SCOPED_TRACE(flags);
    drive.write("ODD.DBF", bytes);
    dialogs->clear();
    const int status = endStatus([&] {
      ASSERT_TRUE(dbf::use("C:\\ODD.DBF", flags));
      for (dbf::goTop(); !dbf::eof(); dbf::skip())
        for (int i = 1; i <= dbf::fieldCount(); ++i) dbf::fieldGet(dbf::fieldName(i));
      if (flags & dbf::kReadOnly) return;
      ASSERT_TRUE(dbf::appendBlank());
      for (const auto& f : dbf::structure()) dbf::fieldPut(f.name, sampleFor(f));
      dbf::closeArea();
      ASSERT_TRUE(dbf::use("C:\\ODD.DBF", dbf::kReadOnly));
      EXPECT_EQ(dbf::recCount(), 3u);
    });
    EXPECT_EQ(status, zelk_test::kDidNotEnd) << (dialogs->records().empty() ? "" : dialogs->records().back().text);
    dbf::closeAll();
  }
}

INSTANTIATE_TEST_SUITE_P(Oddities, OddButReadableTable, ::testing::ValuesIn(kOddities),
                         [](const auto& info) { return std::string(info.param.label); });

// Structure tables whose rows no field can have: making a table from one
// ends in the general error handler naming the table to be made, which is
// not created. A table of another tool holds the lengths as text.
std::string textStructureTable() {
  return zelk_test::dbfFile({{"FIELD_NAME", 'C', 10}, {"FIELD_TYPE", 'C', 1}, {"FIELD_LEN", 'C', 12},
                             {"FIELD_DEC", 'C', 12}},
                            {"QTY       N7           2"});
}
// Header 161 bytes; in the record the flag, FIELD_NAME and FIELD_TYPE come first.
constexpr std::size_t kLenAt = 161 + 1 + 10 + 1, kDecAt = kLenAt + 12;

const Damage kStructureDamages[] = {
    // A length beyond int's range was converted to int, which is undefined.
    {"length_beyond_int_range", [](std::string& b) { b.replace(kLenAt, 12, "99999999999 "); }, "bad field length"},
    {"negative_length_beyond_int_range", [](std::string& b) { b.replace(kLenAt, 12, "-99999999999"); },
     "bad field length"},
    // Decimals beyond int's range met the same conversion.
    {"decimals_beyond_int_range", [](std::string& b) { b.replace(kDecAt, 12, "99999999999 "); }, "bad field length"},
};

class MalformedStructure : public ::testing::TestWithParam<Damage> {
 protected:
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
};

TEST_P(MalformedStructure, MakingATableFromItNamesTheNewTable) {
  std::string bytes = textStructureTable();
  drive.write("S.DBF", bytes);
  dbf::createFrom("C:\\GOOD.DBF", "C:\\S.DBF");
  ASSERT_TRUE(dbf::use("C:\\GOOD.DBF"));
  EXPECT_EQ(dbf::structure(), (std::vector<dbf::FieldDef>{{"QTY", 'N', 7, 2}})) << "the fixture itself is sound";
  dbf::closeArea();

  GetParam().apply(bytes);
  drive.write("S.DBF", bytes);
  EXPECT_EQ(endStatus([] { dbf::createFrom("C:\\NEW.DBF", "C:\\S.DBF"); }), kExitRuntimeError);
  ASSERT_FALSE(dialogs->records().empty());
  const std::string message = dialogs->records().back().text;
  EXPECT_NE(message.find("C:\\NEW.DBF"), std::string::npos) << message;
  EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
  EXPECT_FALSE(std::filesystem::exists(drive.host("NEW.DBF")));
}

INSTANTIATE_TEST_SUITE_P(Damages, MalformedStructure, ::testing::ValuesIn(kStructureDamages),
                         [](const auto& info) { return std::string(info.param.label); });

class NotATable : public ::testing::Test {
 protected:
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
};

TEST_F(NotATable, MissingFileFolderAndUnreadyDriveAreErrors) {
  std::filesystem::create_directory(drive.host("DIR.DBF"));
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"C:\\NONE.DBF", "table not found"},
      {"C:\\DIR.DBF", "not a table file"},
      {"Q:\\X.DBF", "drive not ready"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs->clear();
    EXPECT_EQ(endStatus([&] { dbf::use(c.name); }), kExitRuntimeError);
    ASSERT_FALSE(dialogs->records().empty());
    EXPECT_NE(dialogs->records().back().text.find(c.name), std::string::npos);
    EXPECT_NE(dialogs->records().back().text.find(c.reason), std::string::npos) << dialogs->records().back().text;
  }
}

// A shared table cut short by someone else while it is open: the engine
// notices at the next move instead of reading past the end.
TEST_F(NotATable, SharedTableCutWhileOpen) {
  drive.write("T.DBF", validTable());
  ASSERT_TRUE(dbf::use("C:\\T.DBF"));
  EXPECT_EQ(dbf::recCount(), 2u);
  std::filesystem::resize_file(drive.host("T.DBF"), 97 + 10);
  EXPECT_EQ(endStatus([] { dbf::goTo(2); }), kExitRuntimeError);
  EXPECT_NE(dialogs->records().back().text.find("record count beyond"), std::string::npos);
}

}  // namespace
