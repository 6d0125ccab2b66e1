#include <gtest/gtest.h>

#include "almanor/core/language.h"
#include "support/locales.h"
#include "support/temp_folder.h"

namespace almanor {
namespace {

using testing::WriteFile;

struct ChoiceCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // name, content
  std::string language;
  bool germanLocale;
  std::string chosen;
};

class ChooseLanguageFileTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseLanguageFileTest, Chooses) {
  auto folder = testing::FreshFolder();
  for (const auto& [name, content] : GetParam().files) WriteFile(folder / name, content);
  auto locale = GetParam().germanLocale ? testing::German() : testing::English();
  EXPECT_EQ(ChooseLanguageFile(GetParam().language, folder, locale), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseLanguageFileTest,
    ::testing::Values(
        ChoiceCase{"setting_wins_over_system", {{"Deutsch.lng", "x"}, {"English.lng", "x"}},
                   "Deutsch", false, "Deutsch.lng"},
        ChoiceCase{"missing_setting_falls_to_system", {{"English.lng", "x"}}, "Esperanto", false,
                   "English.lng"},
        ChoiceCase{"empty_setting_uses_system", {{"Deutsch.lng", "x"}, {"English.lng", "x"}}, "",
                   true, "Deutsch.lng"},
        ChoiceCase{"empty_file_counts_as_missing", {{"Deutsch.lng", ""}, {"English.lng", "x"}},
                   "Deutsch", true, "English.lng"},
        ChoiceCase{"nothing_found_gives_english_unchecked", {}, "Deutsch", true, "English.lng"},
        ChoiceCase{"other_case_counts_as_present", {{"deutsch.LNG", "x"}}, "Deutsch", false,
                   "Deutsch.lng"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChooseLanguageFile, FolderOfTheLanguagesNameDoesNotCount) {
  auto folder = testing::FreshFolder();
  std::filesystem::create_directory(folder / "Deutsch.lng");
  WriteFile(folder / "English.lng", "x");
  EXPECT_EQ(ChooseLanguageFile("Deutsch", folder, testing::German()), "English.lng");
}

TEST(ChooseLanguageFile, ANativeNameTooLongForItsBufferIsNoName) {
  auto folder = testing::FreshFolder();
  auto locale = testing::German();
  locale.nativeLanguageName = std::string(30, 'n');
  WriteFile(folder / (locale.nativeLanguageName + ".lng"), "x");
  EXPECT_EQ(ChooseLanguageFile("", folder, locale), "English.lng");
}

TEST(ChooseLanguageFile, NonAsciiNamesMeetTheHostsSpelling) {
  auto folder = testing::FreshFolder();
  auto locale = testing::German();
  locale.nativeLanguageName = "fran\xE7" "ais";  // Windows-1252
  WriteFile(folder / "FRAN\xC3\x87" "AIS.lng", "x");  // UTF-8, other case
  EXPECT_EQ(ChooseLanguageFile("", folder, locale), "fran\xE7" "ais.lng");
  RunState run;
  EXPECT_TRUE(LoadLanguage("fran\xE7" "ais.lng", folder, run));
  EXPECT_EQ(run.LangLine1, "x");
}

struct LoadCase {
  const char* name;
  std::string content;
  std::string line1, line2, line3;
};

class LoadLanguageTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadLanguageTest, TakesTheFirstThreeLines) {
  auto folder = testing::FreshFolder();
  WriteFile(folder / "English.lng", GetParam().content);
  RunState run;
  EXPECT_TRUE(LoadLanguage("english.lng", folder, run));
  EXPECT_EQ(run.LangLine1, GetParam().line1);
  EXPECT_EQ(run.LangLine2, GetParam().line2);
  EXPECT_EQ(run.LangLine3, GetParam().line3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadLanguageTest,
    ::testing::Values(LoadCase{"mixed_breaks", "Help;Info;New\r\nEdit;;Repeat\nErr;;Past\nignored\n",
                               "Help;Info;New", "Edit;;Repeat", "Err;;Past"},
                      LoadCase{"fewer_lines", "Help;Info", "Help;Info", "", ""},
                      LoadCase{"blank_second_line", "a\r\n\r\nc\r\n", "a", "", "c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadLanguage, MissingOrEmptyFileFailsWithEmptyLines) {
  auto folder = testing::FreshFolder();
  WriteFile(folder / "English.lng", "");
  RunState run;
  run.LangLine1 = "stale";
  EXPECT_FALSE(LoadLanguage("English.lng", folder, run));
  EXPECT_EQ(run.LangLine1, "");
  EXPECT_FALSE(LoadLanguage("Missing.lng", folder, run));
  EXPECT_EQ(kLanguageErrorText, "Language file not found");
}

}  // namespace
}  // namespace almanor
