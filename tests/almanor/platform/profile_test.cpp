#include <gtest/gtest.h>

#include "platform/profile/profile_file.h"
#include "support/temp_folder.h"

namespace platform::profile {
namespace {

using almanor::testing::ReadFile;
using almanor::testing::WriteFile;

const char kFixture[] =
    "; settings\r\n"
    "[Date]\r\n"
    "Language = Deutsch \r\n"
    "Empty=\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Unbalanced=\"x\r\n"
    "Eq=a=b\r\n"
    "\r\n"
    "[Main]\r\n"
    "\tBGcolor\t=\t123\r\n"
    "SoundFile=C:\\WINDOWS\\MEDIA\\ding.wav\r\n"
    "[date]\r\n"
    "Language=Second\r\n";

struct ReadCase {
  const char* name;
  const char* section;
  const char* key;
  const char* expected;
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {
 protected:
  std::filesystem::path file = almanor::testing::FreshFolder() / "Almanor.ini";
};

TEST_P(ProfileReadTest, ReadsByTheProfileRules) {
  WriteFile(file, kFixture);
  EXPECT_EQ(readString(file, GetParam().section, GetParam().key, "default", 255),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReadTest,
    ::testing::Values(ReadCase{"blanks_trimmed", "Date", "Language", "Deutsch"},
                      ReadCase{"case_of_section_and_key", "DATE", "language", "Deutsch"},
                      ReadCase{"empty_value_is_no_default", "Date", "Empty", ""},
                      ReadCase{"quotes_removed_inside_kept", "Date", "Quoted", "  spaced  "},
                      ReadCase{"single_quotes_removed", "Date", "Single", "x"},
                      ReadCase{"unbalanced_quote_kept", "Date", "Unbalanced", "\"x"},
                      ReadCase{"value_after_first_equals", "Date", "Eq", "a=b"},
                      ReadCase{"tabs_are_blanks", "Main", "BGcolor", "123"},
                      ReadCase{"backslashes_kept", "Main", "SoundFile", "C:\\WINDOWS\\MEDIA\\ding.wav"},
                      ReadCase{"missing_key", "Date", "Done", "default"},
                      ReadCase{"key_of_other_section", "Main", "Language", "default"},
                      ReadCase{"missing_section", "Other", "Language", "default"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileRead, MissingFileGivesTheDefault) {
  auto file = almanor::testing::FreshFolder() / "none.ini";
  EXPECT_EQ(readString(file, "Main", "Width", "550", 255), "550");
}

TEST(ProfileRead, LongValuesAndDefaultsAreCutToTheBuffer) {
  auto file = almanor::testing::FreshFolder() / "a.ini";
  WriteFile(file, "[Main]\nSoundFile=" + std::string(300, 'x') + "\n");
  EXPECT_EQ(readString(file, "Main", "SoundFile", "", 255), std::string(254, 'x'));
  EXPECT_EQ(readString(file, "Main", "Other", std::string(300, 'd'), 255), std::string(254, 'd'));
  EXPECT_EQ(readString(file, "Main", "SoundFile", "", 0), "");
}

TEST(ProfileRead, AnyLineBreakEndsALine) {
  auto file = almanor::testing::FreshFolder() / "a.ini";
  WriteFile(file, "[Main]\rWinX=1\nWinY=2\r\nWidth=3");
  EXPECT_EQ(readString(file, "Main", "WinX", "", 255), "1");
  EXPECT_EQ(readString(file, "Main", "WinY", "", 255), "2");
  EXPECT_EQ(readString(file, "Main", "Width", "", 255), "3");
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyTheKeyLine) {
  auto file = almanor::testing::FreshFolder() / "Almanor.ini";
  if (!GetParam().before.empty()) WriteFile(file, GetParam().before);
  ASSERT_TRUE(writeString(file, GetParam().section, GetParam().key, GetParam().value));
  EXPECT_EQ(ReadFile(file), GetParam().after);
  EXPECT_EQ(readString(file, GetParam().section, GetParam().key, "?", 255), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"creates_file_and_section", "", "Date", "Done", "147028",
                  "[Date]\r\nDone=147028\r\n"},
        WriteCase{"replaces_in_place_keeping_comments_and_breaks",
                  "; mine\n[Main]\nWinX = 5 ; old\nWinY=7\n", "main", "winx", "200",
                  "; mine\n[Main]\nwinx=200\nWinY=7\n"},
        WriteCase{"adds_key_at_end_of_its_section_before_blank_lines",
                  "[Date]\r\nDone=1\r\n\r\n[Main]\r\nWinX=5\r\n", "Date", "Last", "2",
                  "[Date]\r\nDone=1\r\nLast=2\r\n\r\n[Main]\r\nWinX=5\r\n"},
        WriteCase{"adds_section_at_end", "[Date]\r\nDone=1\r\n", "Main", "BGcolor", "14742783",
                  "[Date]\r\nDone=1\r\n[Main]\r\nBGcolor=14742783\r\n"},
        WriteCase{"adds_section_after_last_line_without_break", "[Date]\r\nDone=1", "Main",
                  "WinX", "3", "[Date]\r\nDone=1\r\n[Main]\r\nWinX=3\r\n"},
        WriteCase{"adds_key_to_empty_last_section", "x=1\r\n[Main]", "Main", "WinX", "3",
                  "x=1\r\n[Main]\r\nWinX=3\r\n"},
        WriteCase{"replaces_only_the_first_section_of_a_name",
                  "[Main]\r\nWinX=1\r\n[MAIN]\r\nWinX=2\r\n", "Main", "WinX", "9",
                  "[Main]\r\nWinX=9\r\n[MAIN]\r\nWinX=2\r\n"},
        WriteCase{"empty_value", "[Main]\r\nSoundFile=a.wav\r\n", "Main", "SoundFile", "",
                  "[Main]\r\nSoundFile=\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWrite, FailsWithoutTouchingAFolderInTheWay) {
  auto folder = almanor::testing::FreshFolder();
  std::filesystem::create_directory(folder / "Almanor.ini");
  EXPECT_FALSE(writeString(folder / "Almanor.ini", "Main", "WinX", "1"));
  EXPECT_FALSE(writeString(folder / "missing" / "Almanor.ini", "Main", "WinX", "1"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Almanor.ini"));
}

}  // namespace
}  // namespace platform::profile
