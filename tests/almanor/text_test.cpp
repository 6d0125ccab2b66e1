#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "almanor/core/text.h"
#include "almanor/core/text_file_reader.h"
#include "support/temp_folder.h"

namespace almanor {
namespace {

struct FieldCase {
  const char* name;
  std::string text;
  int n;
  std::string field;
};

class FieldOfTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldOfTest, PicksTheField) {
  EXPECT_EQ(FieldOf(GetParam().text, GetParam().n), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldOfTest,
    ::testing::Values(FieldCase{"first", "a;b;c", 1, "a"},
                      FieldCase{"middle", "a;b;c", 2, "b"},
                      FieldCase{"last_after_separator", "a;b;c", 3, "c"},
                      FieldCase{"beyond_last", "a;b", 3, ""},
                      FieldCase{"after_trailing_separator", "a;b;", 3, ""},
                      FieldCase{"zero_counts_as_one", "a;b", 0, "a"},
                      FieldCase{"negative_counts_as_one", "a;b", -4, "a"},
                      FieldCase{"empty_text", "", 1, ""},
                      FieldCase{"empty_middle_field", "60;;40", 2, ""},
                      FieldCase{"spaces_kept", " x ;y", 1, " x "},
                      FieldCase{"no_separator", "abc", 1, "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
  const char* name;
  std::string text;
  std::int32_t value;
};

class ParseNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(ParseNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseNumberTest,
    ::testing::Values(NumberCase{"plain", "147028", 147028},
                      NumberCase{"trailing_text", "12abc", 12},
                      NumberCase{"no_digits", "abc", 0},
                      NumberCase{"empty", "", 0},
                      NumberCase{"leading_spaces_and_minus", "  -5", -5},
                      NumberCase{"plus", "+7", 7},
                      NumberCase{"sign_alone", "-", 0},
                      NumberCase{"two_signs", "--5", 0},
                      NumberCase{"space_after_sign", "- 5", 0},
                      NumberCase{"tab_is_no_space", "\t5", 0},
                      NumberCase{"leading_zeros", "0007", 7},
                      NumberCase{"int_max", "2147483647", 2147483647},
                      NumberCase{"int_min", "-2147483648", -2147483647 - 1},
                      NumberCase{"overflow_saturates", "2147483648", 2147483647},
                      NumberCase{"long_run_saturates", "99999999999999999999999", 2147483647},
                      NumberCase{"negative_overflow_saturates", "-99999999999", -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReaderCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

class TextFileReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(TextFileReaderTest, SplitsLines) {
  auto folder = testing::FreshFolder();
  testing::WriteFile(folder / "f.txt", GetParam().bytes);
  TextFileReader reader;
  ASSERT_TRUE(reader.LoadTextFile(folder / "f.txt"));
  std::vector<std::string> lines;
  while (reader.HasMoreLines()) lines.push_back(reader.NextLine());
  EXPECT_EQ(lines, GetParam().lines);
  EXPECT_EQ(reader.NextLine(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileReaderTest,
    ::testing::Values(
        ReaderCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
        ReaderCase{"lf", "a\nb\n", {"a", "b"}},
        ReaderCase{"cr", "a\rb\r", {"a", "b"}},
        ReaderCase{"lfcr_is_one_break", "a\n\rb", {"a", "b"}},
        ReaderCase{"crcr_is_two_breaks", "a\r\rb", {"a", "", "b"}},
        ReaderCase{"lflf_is_two_breaks", "a\n\nb", {"a", "", "b"}},
        ReaderCase{"crlfcrlf_is_two_breaks", "a\r\n\r\nb", {"a", "", "b"}},
        ReaderCase{"last_line_without_break", "a\r\nlast", {"a", "last"}},
        ReaderCase{"mixed", "one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
        ReaderCase{"nul_cuts_the_line", std::string("ab\0cd\r\nef", 9), {"ab", "ef"}},
        ReaderCase{"only_a_break", "\r\n", {""}},
        ReaderCase{"high_bytes_untouched", "M\xE4rz\x96\n", {"M\xE4rz\x96"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFileReaderFailure, MissingEmptyAndFolderFail) {
  auto folder = testing::FreshFolder();
  testing::WriteFile(folder / "empty.txt", "");
  std::filesystem::create_directory(folder / "sub");
  TextFileReader reader;
  EXPECT_FALSE(reader.LoadTextFile(folder / "missing.txt"));
  EXPECT_FALSE(reader.LoadTextFile(folder / "empty.txt"));
  EXPECT_FALSE(reader.LoadTextFile(folder / "sub"));
  EXPECT_FALSE(reader.HasMoreLines());
}

TEST(TextFileReaderFailure, AFailedLoadDropsTheEarlierFile) {
  auto folder = testing::FreshFolder();
  testing::WriteFile(folder / "a.txt", "a\n");
  TextFileReader reader;
  ASSERT_TRUE(reader.LoadTextFile(folder / "a.txt"));
  EXPECT_FALSE(reader.LoadTextFile(folder / "missing.txt"));
  EXPECT_FALSE(reader.HasMoreLines());
}

}  // namespace
}  // namespace almanor
