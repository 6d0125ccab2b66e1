// The files the engine writes, checked byte by byte against the dBase III
// layout rather than through the engine's own reader.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <ctime>

#include "platform/dbf/work_areas.h"
#include "platform/ui/scripted_backend.h"
#include "tests/support/dbf_bytes.h"
#include "tests/support/program_stop.h"
#include "tests/support/temp_drive.h"

namespace dbf = platform::dbf;
using zelk_test::readDbf;

namespace {

class DbfFileBytes : public ::testing::Test {
 protected:
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
};

TEST_F(DbfFileBytes, NewTableHasTheDbaseThreeLayout) {
  dbf::create("C:\\T.DBF", {{"name", 'C', 10, 0}, {"QTY", 'N', 8, 2}, {"WHEN", 'D', 8, 0}, {"OK", 'L', 1, 0}});
  ASSERT_TRUE(dbf::use("C:\\T.DBF", dbf::kExclusive));
  ASSERT_TRUE(dbf::appendBlank());
  dbf::fieldPut("NAME", "ABC");
  dbf::fieldPut("QTY", 3.14159);
  dbf::fieldPut("WHEN", dbf::Date{2001, 3, 5});
  dbf::fieldPut("OK", true);
  ASSERT_TRUE(dbf::appendBlank());
  dbf::fieldPut("name", "0123456789XYZ");
  dbf::closeArea();

  const std::string b = drive.read("T.DBF");
  const std::size_t header = 32 + 4 * 32 + 1, record = 1 + 10 + 8 + 8 + 1;
  ASSERT_EQ(b.size(), header + 2 * record + 1);
  EXPECT_EQ(b[0], '\x03');
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  EXPECT_EQ(static_cast<unsigned char>(b[1]), t.tm_year);
  EXPECT_EQ(static_cast<unsigned char>(b[2]), t.tm_mon + 1);
  EXPECT_EQ(static_cast<unsigned char>(b[3]), t.tm_mday);
  EXPECT_EQ(zelk_test::getLe(b, 4, 4), 2u);
  EXPECT_EQ(zelk_test::getLe(b, 8, 2), header);
  EXPECT_EQ(zelk_test::getLe(b, 10, 2), record);
  EXPECT_EQ(b.substr(12, 20), std::string(20, '\0'));

  const char* names[] = {"NAME", "QTY", "WHEN", "OK"};
  const char types[] = {'C', 'N', 'D', 'L'};
  const int lengths[] = {10, 8, 8, 1}, decimals[] = {0, 2, 0, 0};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(names[i]);
    const std::string d = b.substr(32 + 32 * i, 32);
    std::string name(11, '\0');
    name.replace(0, std::strlen(names[i]), names[i]);
    EXPECT_EQ(d.substr(0, 11), name);
    EXPECT_EQ(d[11], types[i]);
    EXPECT_EQ(d.substr(12, 4), std::string(4, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(d[16]), lengths[i]);
    EXPECT_EQ(static_cast<unsigned char>(d[17]), decimals[i]);
    EXPECT_EQ(d.substr(18), std::string(14, '\0'));
  }
  EXPECT_EQ(b[header - 1], '\x0D');
  EXPECT_EQ(b.substr(header, record), std::string(" ABC") + std::string(7, ' ') + "    3.14" + "20010305" + "T");
  // Fields never written stay blank, as the appended record was.
  EXPECT_EQ(b.substr(header + record, record), " 0123456789" + std::string(17, ' '));
  EXPECT_EQ(b.back(), '\x1A');
}

TEST_F(DbfFileBytes, EmptyTableIsHeaderAndEndMark) {
  dbf::create("C:\\E", {{"A", 'C', 3, 0}});
  const std::string b = drive.read("E.DBF");
  ASSERT_EQ(b.size(), 32u + 32 + 1 + 1);
  EXPECT_EQ(zelk_test::getLe(b, 4, 4), 0u);
  EXPECT_EQ(b.substr(64), "\x0D\x1A");
}

// How each kind of field stores a value and reads stored bytes back.
struct FieldCase {
  const char* label;
  dbf::FieldDef field;
  dbf::Value written;
  const char* stored;  // the field's bytes in the file
  dbf::Value readBack;
};

const FieldCase kFieldCases[] = {
    {"text cut to the length", {"F", 'C', 5, 0}, "ABCDEFG", "ABCDE", "ABCDE"},
    {"text padded with blanks", {"F", 'C', 5, 0}, "AB", "AB   ", "AB   "},
    {"8-bit text kept", {"F", 'C', 3, 0}, "\x9A\xE8", "\x9A\xE8 ", "\x9A\xE8 "},
    {"number rounded to the decimals", {"F", 'N', 8, 2}, 12.345678, "   12.35", 12.35},
    {"negative number", {"F", 'N', 5, 1}, -2.5, " -2.5", -2.5},
    {"number too wide is stars", {"F", 'N', 5, 0}, 123456.0, "*****", 0.0},
    {"negative zero stored as zero", {"F", 'N', 6, 2}, -0.001, "  0.00", 0.0},
    {"integer field", {"F", 'N', 3, 0}, 7, "  7", 7.0},
    {"date", {"F", 'D', 8, 0}, dbf::Date{1999, 12, 31}, "19991231", dbf::Date{1999, 12, 31}},
    {"blank date", {"F", 'D', 8, 0}, dbf::Date{}, "        ", dbf::Date{}},
    {"logical true", {"F", 'L', 1, 0}, true, "T", true},
    {"logical false", {"F", 'L', 1, 0}, false, "F", false},
};

class FieldStorage : public DbfFileBytes, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldStorage, WritesTheFormatAndReadsItBack) {
  const FieldCase& c = GetParam();
  dbf::create("C:\\F.DBF", {c.field});
  ASSERT_TRUE(dbf::use("C:\\F.DBF", dbf::kExclusive));
  dbf::appendBlank();
  dbf::fieldPut("F", c.written);
  dbf::closeArea();
  auto raw = readDbf(drive.read("F.DBF"));
  ASSERT_EQ(raw.records.size(), 1u);
  EXPECT_EQ(raw.records[0], std::string(" ") + c.stored);

  ASSERT_TRUE(dbf::use("C:\\F.DBF"));
  dbf::Value v = dbf::fieldGet("F");
  EXPECT_EQ(v.type(), c.readBack.type());
  if (c.readBack.type() == 'N')
    EXPECT_DOUBLE_EQ(v.number(), c.readBack.number());
  else
    EXPECT_EQ(v, c.readBack);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FieldStorage, ::testing::ValuesIn(kFieldCases),
                         [](const auto& info) {
                           std::string n = info.param.label;
                           for (char& ch : n)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

// Bytes other tools write that are not our own forms still read sensibly.
TEST_F(DbfFileBytes, ForeignFieldBytesRead) {
  drive.write("X.DBF", zelk_test::dbfFile({{"N", 'N', 6, 2}, {"D", 'D', 8}, {"L", 'L', 1}},
                                          {"      2001AB05?", " 12.5 20000229y", "      20010229 "}));
  ASSERT_TRUE(dbf::use("C:\\X.DBF"));
  EXPECT_EQ(dbf::fieldGet("N").number(), 0.0);
  EXPECT_TRUE(dbf::fieldGet("D").date().empty());
  EXPECT_FALSE(dbf::fieldGet("L").logical());
  dbf::skip();
  EXPECT_DOUBLE_EQ(dbf::fieldGet("N").number(), 12.5);
  EXPECT_EQ(dbf::fieldGet("D").date(), (dbf::Date{2000, 2, 29}));
  EXPECT_TRUE(dbf::fieldGet("L").logical());
  dbf::skip();
  EXPECT_TRUE(dbf::fieldGet("D").date().empty()) << "2001 has no 29 February";
}

}  // namespace
