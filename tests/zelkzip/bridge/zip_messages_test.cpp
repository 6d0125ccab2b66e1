#include <gtest/gtest.h>

#include "bridge/zip_messages.h"
#include "platform/files/file_services.h"
#include "support/zip_fixture.h"

using platform::files::File;
using Fields = std::vector<std::string>;

struct SplitCase {
  std::string text;
  Fields fields;
};

class SplitZipMessageCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitZipMessageCases, CutsAtEachBar) { EXPECT_EQ(SplitZipMessage(GetParam().text), GetParam().fields); }

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitZipMessageCases,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"no bar", {}}, SplitCase{"A|", {"A"}}, SplitCase{"|x|", {"", "x"}},
                      SplitCase{"a|b|c", {"a", "b"}}, SplitCase{"||", {"", ""}},
                      SplitCase{"A.DBF|Deflated|A.DBF|10|5|50|01.02.2003|04:05:06|",
                                {"A.DBF", "Deflated", "A.DBF", "10", "5", "50", "01.02.2003", "04:05:06"}}));

class ReadFlatRecordTest : public ::testing::Test {
 protected:
  File fileWith(const std::string& bytes) {
    ziptest::writeFile(drive / "M.TMP", bytes);
    return File::open("C:\\M.TMP");
  }
  // Every record read in file order until the first empty one.
  std::vector<std::string> readAll(const std::string& bytes) {
    File f = fileWith(bytes);
    std::vector<std::string> out;
    for (std::string r = ReadFlatRecord(f); !r.empty(); r = ReadFlatRecord(f)) out.push_back(r);
    return out;
  }
  testsupport::TempDrive drive;
};

TEST_F(ReadFlatRecordTest, ReadsCrLfLinesUntilTheFirstEmptyRecord) {
  EXPECT_EQ(readAll("A|B|\r\nC\r\n"), (Fields{"A|B|", "C"}));
  EXPECT_EQ(readAll(""), Fields{});
  EXPECT_EQ(readAll("A\r\nlast without end"), Fields{"A"});  // an unended last line is not a record
  EXPECT_EQ(readAll("A\r\n\r\nB\r\n"), Fields{"A"});         // an empty line ends the reading
  EXPECT_EQ(readAll(std::string(999, 'x') + "\r\nB\r\n"), (Fields{std::string(999, 'x'), "B"}));
}

TEST_F(ReadFlatRecordTest, ALineOfAThousandCharactersGivesAnEmptyRecordAndMovesOneByte) {
  File f = fileWith(std::string(1000, 'x') + "\r\n");
  EXPECT_EQ(ReadFlatRecord(f), "");
  EXPECT_EQ(f.seek(0, 1), 1);
}

TEST_F(ReadFlatRecordTest, ShortChunkWithoutCrGoesToTheErrorRecord) {
  File f = fileWith("A\r\ntail");
  std::string error;
  EXPECT_EQ(ReadFlatRecord(f, std::nullopt, &error), "A");
  EXPECT_EQ(ReadFlatRecord(f, std::nullopt, &error), "");
  EXPECT_EQ(error, "tail");
}

TEST_F(ReadFlatRecordTest, RecordNumberCountsFromTheStart) {
  File f = fileWith("one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(ReadFlatRecord(f, 3), "three");
  EXPECT_EQ(ReadFlatRecord(f, 1), "one");
  EXPECT_EQ(ReadFlatRecord(f, 0), "one");
  EXPECT_EQ(ReadFlatRecord(f), "two");
  EXPECT_EQ(ReadFlatRecord(f, 9), "");
}

TEST_F(ReadFlatRecordTest, AnInvalidHandleReadsAsNoRecord) {
  File none;
  EXPECT_EQ(ReadFlatRecord(none), "");
  EXPECT_EQ(ReadFlatRecord(none, 2), "");
}

TEST(UnZipCallBackTest, WritesTheKeptMessagesAsLines) {
  testsupport::TempDrive drive;
  ASSERT_TRUE(UnZipCallBack(nullptr, 0, "", std::string("Z1.TMP")));
  UnZipCallBack(nullptr, 22, "A|B|");
  UnZipCallBack(nullptr, 21, "D\\|x|");
  UnZipCallBack(nullptr, 15, "A|B|C|");
  UnZipCallBack(nullptr, 7, "ignored|text|");
  UnZipCallBack(nullptr, 15, "");
  UnZipCallBack(nullptr, 0, "", std::nullopt, true);
  UnZipCallBack(nullptr, 22, "after close|");  // the slot is closed: nothing written
  EXPECT_EQ(ziptest::readFile(drive / "Z1.TMP"), "A|B|\r\nD\\|x|\r\nB\r\n\r\n");
}

TEST(UnZipCallBackTest, NeverEmptiesAFileThatWasThere) {
  testsupport::TempDrive drive;
  ziptest::writeFile(drive / "Z2.TMP", "precious");
  EXPECT_FALSE(UnZipCallBack(nullptr, 0, "", std::string("Z2.TMP")));
  UnZipCallBack(nullptr, 22, "A|");
  UnZipCallBack(nullptr, 0, "", std::nullopt, true);
  EXPECT_EQ(ziptest::readFile(drive / "Z2.TMP"), "precious");
}
