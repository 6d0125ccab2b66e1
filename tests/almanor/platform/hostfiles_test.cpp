#include <gtest/gtest.h>

#include "platform/hostfiles/folder_names.h"
#include "platform/hostfiles/program_folder.h"
#include "platform/hostfiles/replace_file.h"
#include "support/temp_folder.h"

namespace platform::hostfiles {
namespace {

using almanor::testing::ReadFile;
using almanor::testing::WriteFile;

TEST(ResolveInFolder, ExactThenAnyCaseThenAsGiven) {
  auto folder = almanor::testing::FreshFolder();
  WriteFile(folder / "ENGLISH.LNG", "x");
  WriteFile(folder / "English.LNG", "x");
  WriteFile(folder / "\xC3\x9C" "BER.txt", "x");  // "Über" in UTF-8
  EXPECT_EQ(resolveInFolder(folder, "English.LNG"), folder / "English.LNG");
  // Of two other spellings the first in byte order is taken.
  EXPECT_EQ(resolveInFolder(folder, "english.lng"), folder / "ENGLISH.LNG");
  EXPECT_EQ(resolveInFolder(folder, "\xFC" "ber.TXT"), folder / "\xC3\x9C" "BER.txt");
  EXPECT_EQ(resolveInFolder(folder, "New.lst"), folder / "New.lst");
  EXPECT_EQ(resolveInFolder(folder / "missing", "a"), folder / "missing" / "a");
}

TEST(RegularFileSize, OnlyForRegularFiles) {
  auto folder = almanor::testing::FreshFolder();
  WriteFile(folder / "three", "abc");
  EXPECT_EQ(regularFileSize(folder / "three"), 3u);
  EXPECT_FALSE(regularFileSize(folder));
  EXPECT_FALSE(regularFileSize(folder / "missing"));
}

TEST(ReplaceFile, ReplacesCreatesAndKeepsTheMode) {
  auto folder = almanor::testing::FreshFolder();
  WriteFile(folder / "a", "old");
  std::filesystem::permissions(folder / "a", std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_write |
                                                 std::filesystem::perms::group_read);
  ASSERT_TRUE(replaceFile(folder / "a", "new"));
  EXPECT_EQ(ReadFile(folder / "a"), "new");
  EXPECT_EQ(std::filesystem::status(folder / "a").permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
  ASSERT_TRUE(replaceFile(folder / "b", ""));
  EXPECT_EQ(ReadFile(folder / "b"), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST(ReplaceFile, ALinkKeepsPointingAtTheReplacedFile) {
  auto folder = almanor::testing::FreshFolder();
  WriteFile(folder / "target", "old");
  std::filesystem::create_symlink("target", folder / "link");
  ASSERT_TRUE(replaceFile(folder / "link", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link"));
  EXPECT_EQ(ReadFile(folder / "target"), "new");
}

TEST(ProgramFolder, HoldsThisTest) {
  auto folder = programFolder();
  EXPECT_TRUE(std::filesystem::exists(folder / "almanor_platform_hostfiles_test"));
}

}  // namespace
}  // namespace platform::hostfiles
