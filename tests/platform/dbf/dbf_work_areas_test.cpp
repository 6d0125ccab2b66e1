// The work-area interface: areas and aliases, moving, fields, appends,
// zap, tables made from structure tables, and where bare names go.
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
using zelk_test::readDbf;

namespace {

class WorkAreas : public ::testing::Test {
 protected:
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;

  std::string lastMessage() { return dialogs->records().empty() ? "" : dialogs->records().back().text; }
  // Runs f, expecting the general error handler with a text holding both
  // pieces.
  void expectError(const std::function<void()>& f, const std::string& piece1, const std::string& piece2 = "") {
    EXPECT_EQ(endStatus(f), kExitRuntimeError);
    EXPECT_NE(lastMessage().find(piece1), std::string::npos) << lastMessage();
    EXPECT_NE(lastMessage().find(piece2), std::string::npos) << lastMessage();
  }
};

TEST_F(WorkAreas, SelectFreeRememberAndAlias) {
  dbf::create("C:\\A", {{"X", 'C', 1, 0}});
  dbf::create("C:\\B", {{"X", 'C', 1, 0}});
  EXPECT_EQ(dbf::currentArea(), 1);
  ASSERT_TRUE(dbf::use("C:\\A"));
  EXPECT_EQ(dbf::alias(), "A");
  const int remembered = dbf::currentArea();
  EXPECT_EQ(dbf::selectFree(), 2);
  ASSERT_TRUE(dbf::use("c:\\b.dbf", dbf::kShared, "second"));
  EXPECT_EQ(dbf::alias(), "SECOND");
  ASSERT_TRUE(dbf::use("C:\\B", dbf::kNewArea));
  EXPECT_EQ(dbf::currentArea(), 3);
  dbf::select(remembered);
  EXPECT_EQ(dbf::alias(), "A");
  EXPECT_TRUE(dbf::selectAlias("second"));
  EXPECT_EQ(dbf::currentArea(), 2);
  EXPECT_FALSE(dbf::selectAlias("NONE"));
  dbf::closeArea();
  dbf::select(0);
  EXPECT_EQ(dbf::currentArea(), 2) << "SELECT 0 takes the lowest free area";
  EXPECT_FALSE(dbf::used());

  expectError([] { dbf::use("C:\\A", dbf::kNewArea); }, "alias A", "C:\\A.DBF");
  expectError([] { dbf::select(dbf::kMaxAreas + 1); }, "work area");
  dbf::closeAll();
  EXPECT_FALSE(dbf::selectAlias("A"));
}

TEST_F(WorkAreas, FreeAreaAnswersNeutrallyButCannotBeUsed) {
  EXPECT_TRUE(dbf::eof());
  EXPECT_EQ(dbf::recCount(), 0u);
  EXPECT_EQ(dbf::fieldCount(), 0);
  EXPECT_EQ(dbf::fieldName(1), "");
  expectError([] { dbf::goTop(); }, "work area not in use");
  expectError([] { dbf::fieldGet("X"); }, "work area not in use");
  expectError([] { dbf::appendBlank(); }, "work area not in use");
}

TEST_F(WorkAreas, MovingAndReadingRecords) {
  drive.write("T.DBF", zelk_test::dbfFile({{"NAME", 'C', 5}, {"N", 'N', 3}}, {"ONE    1", "TWO    2", "THREE  3"}));
  ASSERT_TRUE(dbf::use("C:\\T.DBF", dbf::kReadOnly));
  EXPECT_EQ(dbf::recCount(), 3u);
  EXPECT_EQ(dbf::fieldCount(), 2);
  EXPECT_EQ(dbf::fieldName(1), "NAME");
  EXPECT_EQ(dbf::fieldName(2), "N");
  EXPECT_EQ(dbf::fieldName(3), "");
  EXPECT_EQ(dbf::fieldPos("name"), 1);
  EXPECT_EQ(dbf::fieldPos("NONE"), 0);
  std::vector<std::string> seen;
  for (dbf::goTop(); !dbf::eof(); dbf::skip()) seen.push_back(dbf::fieldGet(" name ").text());
  EXPECT_EQ(seen, (std::vector<std::string>{"ONE  ", "TWO  ", "THREE"}));
  EXPECT_EQ(dbf::recNo(), 4u);
  EXPECT_EQ(dbf::fieldGet("NAME").text(), "     ") << "end of file reads blank";
  EXPECT_EQ(dbf::fieldGet("N").number(), 0.0);
  dbf::goTo(2);
  EXPECT_EQ(dbf::fieldGet("N").number(), 2.0);
  expectError([] { dbf::fieldGet("NONE"); }, "no such field", "C:\\T.DBF");
}

TEST_F(WorkAreas, WritesThatWouldHarmAreRefused) {
  dbf::create("C:\\T", {{"NAME", 'C', 5, 0}, {"N", 'N', 3, 0}});
  ASSERT_TRUE(dbf::use("C:\\T", dbf::kExclusive));
  dbf::appendBlank();
  dbf::fieldPut("NAME", "X");
  dbf::closeArea();
  const std::string before = drive.read("T.DBF");

  ASSERT_TRUE(dbf::use("C:\\T", dbf::kReadOnly));
  expectError([] { dbf::fieldPut("NAME", "Y"); }, "read-only", "C:\\T.DBF");
  expectError([] { dbf::appendBlank(); }, "read-only");
  ASSERT_TRUE(dbf::use("C:\\T"));  // shared
  expectError([] { dbf::fieldPut("NAME", "Y"); }, "record not locked");
  expectError([] { dbf::zap(); }, "exclusive");
  ASSERT_TRUE(dbf::use("C:\\T", dbf::kExclusive));
  expectError([] { dbf::fieldPut("N", "text"); }, "wrong data type", "N");
  expectError([] { dbf::fieldPut("NAME", 5); }, "wrong data type");
  dbf::closeArea();
  EXPECT_EQ(drive.read("T.DBF"), before);

  // A write at end of file is dropped, as the runtime does.
  ASSERT_TRUE(dbf::use("C:\\T", dbf::kExclusive));
  dbf::goTo(99);
  ASSERT_TRUE(dbf::eof());
  dbf::fieldPut("NAME", "Z");
  dbf::closeArea();
  EXPECT_EQ(drive.read("T.DBF"), before);
}

TEST_F(WorkAreas, AppendFromMatchesFieldsByName) {
  drive.write("SRC.DBF", zelk_test::dbfFile({{"a", 'C', 6}, {"B", 'N', 4, 1}, {"GONE", 'C', 2}, {"D", 'D', 8}},
                                            {"ABCDEF12.5XX20010305", "G      7.0YY        "}));
  dbf::create("C:\\DST", {{"D", 'C', 8, 0}, {"B", 'N', 6, 2}, {"A", 'C', 3, 0}, {"NEW", 'C', 2, 0}});
  ASSERT_TRUE(dbf::use("C:\\DST", dbf::kExclusive));
  ASSERT_TRUE(dbf::appendFrom("C:\\SRC"));
  EXPECT_EQ(dbf::recCount(), 2u);
  dbf::closeArea();
  auto raw = readDbf(drive.read("DST.DBF"));
  ASSERT_EQ(raw.records.size(), 2u);
  // A cut to 3, B reformatted with 2 decimals, NEW blank, GONE dropped, and
  // D left blank: a date cannot go into a text field.
  EXPECT_EQ(raw.records[0], std::string(" ") + "        " + " 12.50" + "ABC" + "  ");
  EXPECT_EQ(raw.records[1], std::string(" ") + "        " + "  7.00" + "G  " + "  ");
  EXPECT_EQ(drive.read("DST.DBF").back(), '\x1A');
}

TEST_F(WorkAreas, ZapLeavesTheEmptyTable) {
  dbf::create("C:\\T", {{"NAME", 'C', 5, 0}});
  ASSERT_TRUE(dbf::use("C:\\T", dbf::kExclusive));
  for (int i = 0; i < 3; ++i) dbf::appendBlank();
  dbf::zap();
  EXPECT_EQ(dbf::recCount(), 0u);
  EXPECT_TRUE(dbf::eof());
  dbf::appendBlank();
  dbf::fieldPut("NAME", "AFTER");
  dbf::closeArea();
  const std::string b = drive.read("T.DBF");
  EXPECT_EQ(b.size(), 32u + 32 + 1 + 6 + 1);
  EXPECT_EQ(readDbf(b).records, (std::vector<std::string>{" AFTER"}));
}

TEST_F(WorkAreas, TableFromAStructureTable) {
  dbf::createStructureExtended("C:\\S");
  ASSERT_TRUE(dbf::use("C:\\S", dbf::kExclusive));
  EXPECT_EQ(dbf::structure(), (std::vector<dbf::FieldDef>{{"FIELD_NAME", 'C', 10, 0},
                                                           {"FIELD_TYPE", 'C', 1, 0},
                                                           {"FIELD_LEN", 'N', 3, 0},
                                                           {"FIELD_DEC", 'N', 3, 0}}));
  const dbf::FieldDef wanted[] = {{"CODE", 'C', 140, 0}, {"PRICE", 'N', 10, 2}, {"DAY", 'D', 8, 0}, {"OK", 'L', 1, 0}};
  for (const auto& f : wanted) {
    dbf::appendBlank();
    dbf::fieldPut("FIELD_NAME", f.name);
    dbf::fieldPut("FIELD_TYPE", std::string(1, f.type));
    dbf::fieldPut("FIELD_LEN", f.length);
    dbf::fieldPut("FIELD_DEC", f.decimals);
  }
  dbf::closeArea();
  dbf::createFrom("C:\\NEW", "C:\\S");
  ASSERT_TRUE(dbf::use("C:\\NEW"));
  EXPECT_EQ(dbf::structure(), std::vector<dbf::FieldDef>(std::begin(wanted), std::end(wanted)));
  EXPECT_EQ(dbf::recCount(), 0u);
  dbf::closeArea();

  // A structure row the format cannot hold names the table to be made.
  ASSERT_TRUE(dbf::use("C:\\S", dbf::kExclusive));
  dbf::appendBlank();
  dbf::fieldPut("FIELD_NAME", "BAD");
  dbf::fieldPut("FIELD_TYPE", "C");
  dbf::fieldPut("FIELD_LEN", 0);
  dbf::closeArea();
  expectError([] { dbf::createFrom("C:\\NEW2", "C:\\S"); }, "BAD", "C:\\NEW2.DBF");
  EXPECT_FALSE(std::filesystem::exists(drive.host("NEW2.DBF")));
}

TEST_F(WorkAreas, FieldDefinitionsTheFormatCannotHold) {
  const struct {
    const char* label;
    std::vector<dbf::FieldDef> fields;
  } cases[] = {
      {"no fields", {}},
      {"name too long", {{"ELEVENCHARS", 'C', 1, 0}}},
      {"name starting with a digit", {{"1A", 'C', 1, 0}}},
      {"name twice", {{"A", 'C', 1, 0}, {"a", 'C', 2, 0}}},
      {"text of 255", {{"A", 'C', 255, 0}}},
      {"number of 20", {{"A", 'N', 20, 0}}},
      {"decimals filling the number", {{"A", 'N', 3, 2}}},
      {"memo without a memo file", {{"A", 'M', 10, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    expectError([&] { dbf::create("C:\\X", c.fields); }, "C:\\X.DBF");
  }
  EXPECT_FALSE(std::filesystem::exists(drive.host("X.DBF")));
}

TEST_F(WorkAreas, BareNamesUseTheDefaultFolderAndTheSearchPath) {
  for (const char* f : {"DATA", "ONE", "TWO"}) std::filesystem::create_directory(drive.host(f));
  EXPECT_EQ(dbf::tablePath("T"), "C:\\T.DBF") << "no default folder: the current one";

  dbf::setDefault("C:\\DATA");
  dbf::create("NEWT", {{"A", 'C', 1, 0}});
  EXPECT_TRUE(std::filesystem::exists(drive.host("DATA/NEWT.DBF")));
  drive.write("TWO/FAR.DBF", zelk_test::dbfFile({{"A", 'C', 1}}, {"2"}));
  drive.write("ONE/NEAR.DBF", zelk_test::dbfFile({{"A", 'C', 1}}, {"1"}));
  drive.write("TWO/NEAR.DBF", zelk_test::dbfFile({{"A", 'C', 1}}, {"2"}));
  dbf::setPath("C:\\ONE; C:\\TWO");
  EXPECT_EQ(dbf::tablePath("far"), "C:\\TWO\\far.DBF");
  ASSERT_TRUE(dbf::use("NEAR"));
  EXPECT_EQ(dbf::fieldGet("A").text(), "1") << "the first folder of the path wins";
  ASSERT_TRUE(dbf::use("NEWT.DBF"));
  EXPECT_EQ(dbf::tablePath("MISSING.DBF"), "C:\\DATA\\MISSING.DBF");
  EXPECT_EQ(dbf::tablePath("C:\\ONE\\X"), "C:\\ONE\\X.DBF") << "a name with a folder is taken as it is";
}

}  // namespace
