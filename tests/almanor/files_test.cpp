#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "almanor/core/files.h"
#include "support/temp_folder.h"

namespace almanor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class ListFileTest : public ::testing::Test {
 protected:
  std::filesystem::path folder = testing::FreshFolder();
  std::filesystem::path list = folder / "Almanor.lst";
};

TEST_F(ListFileTest, MixedBreaksLoadTheSameRecordsAndBlankLinesGoOnSave) {
  WriteFile(list, "2003.07.22;0;;A;1\r\n\r\n2003.01.31;1;M;B;2\n   \r2004.02.29;1;Y;C;0");
  Entries entries;
  EXPECT_EQ(LoadEntries(entries, folder), 4u);
  EXPECT_EQ(entries.records, (std::vector<std::string>{"2003.07.22;0;;A;1", "2003.01.31;1;M;B;2",
                                                       "   ", "2004.02.29;1;Y;C;0"}));
  ASSERT_TRUE(SaveEntries(entries, folder));
  EXPECT_EQ(ReadFile(list),
            "2003.07.22;0;;A;1\r\n2003.01.31;1;M;B;2\r\n   \r\n2004.02.29;1;Y;C;0\r\n");
}

TEST_F(ListFileTest, LoadAppendsAndANulCutsARecord) {
  WriteFile(list, std::string("2003.07.22;0;;Den\0tist;1\n", 25));
  Entries entries{{"kept"}};
  EXPECT_EQ(LoadEntries(entries, folder), 1u);
  EXPECT_EQ(entries.records, (std::vector<std::string>{"kept", "2003.07.22;0;;Den"}));
}

TEST_F(ListFileTest, MissingOrEmptyFileGivesNoRecords) {
  Entries entries;
  EXPECT_EQ(LoadEntries(entries, folder), 0u);
  WriteFile(list, "");
  EXPECT_EQ(LoadEntries(entries, folder), 0u);
  EXPECT_TRUE(entries.records.empty());
}

TEST_F(ListFileTest, FindsAndReplacesTheFileWhateverItsCase) {
  WriteFile(folder / "ALMANOR.LST", "2003.07.22;0;;A;1\r\n");
  Entries entries;
  EXPECT_EQ(LoadEntries(entries, folder), 1u);
  entries.records.push_back("2003.07.23;0;;B;1");
  ASSERT_TRUE(SaveEntries(entries, folder));
  EXPECT_FALSE(std::filesystem::exists(list));
  EXPECT_EQ(ReadFile(folder / "ALMANOR.LST"), "2003.07.22;0;;A;1\r\n2003.07.23;0;;B;1\r\n");
}

TEST_F(ListFileTest, AnEmptyListSavesAnEmptyFile) {
  WriteFile(list, "old\r\n");
  ASSERT_TRUE(SaveEntries(Entries{}, folder));
  EXPECT_EQ(ReadFile(list), "");
}

TEST_F(ListFileTest, AFullDiskKeepsTheStoredListAndSaysSo) {
  WriteFile(list, "stored\r\n");
  // A file-size limit makes writes fail the way a full disk does, for root too.
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 16;
  ::setrlimit(RLIMIT_FSIZE, &small);
  bool saved = SaveEntries(Entries{{std::string(100, 'x')}}, folder);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(list), "stored\r\n");
  // No half-written file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(ListFileTest, AFolderInTheWayFailsTheSave) {
  std::filesystem::create_directory(list);
  EXPECT_FALSE(SaveEntries(Entries{{"new"}}, folder));
  EXPECT_TRUE(std::filesystem::is_directory(list));
}

TEST(ProgramFileExists, NeedsARegularFileOfOneByteOrMore) {
  auto folder = testing::FreshFolder();
  WriteFile(folder / "empty.lng", "");
  WriteFile(folder / "Deutsch.lng", "x");
  std::filesystem::create_directory(folder / "Folder.lng");
  EXPECT_TRUE(ProgramFileExists(folder, "Deutsch.lng"));
  EXPECT_TRUE(ProgramFileExists(folder, "DEUTSCH.LNG"));
  EXPECT_FALSE(ProgramFileExists(folder, "empty.lng"));
  EXPECT_FALSE(ProgramFileExists(folder, "Folder.lng"));
  EXPECT_FALSE(ProgramFileExists(folder, "missing.lng"));
}

}  // namespace
}  // namespace almanor
