#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_drive.h"
#include "platform/files/file_services.h"
#include "platform/files/wildcard.h"

namespace fs = std::filesystem;
using namespace platform::files;

struct WildCase {
  const char* pattern;
  const char* name;
  bool match;
};

class WildcardCases : public ::testing::TestWithParam<WildCase> {};

TEST_P(WildcardCases, MatchesAsDosDoes) {
  const auto& c = GetParam();
  EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
}

INSTANTIATE_TEST_SUITE_P(Dos, WildcardCases,
                         ::testing::Values(WildCase{"*.*", "SERVER.DBF", true},
                                           WildCase{"*.*", "README", true},   // no dot still matches
                                           WildCase{"*.DBF", "server.dbf", true},
                                           WildCase{"*.DBF", "SERVER.DBT", false},
                                           WildCase{"S?RVER.*", "SERVER.DBF", true},
                                           WildCase{"S?RVER.*", "SRVER.DBF", false},
                                           WildCase{"README.*", "README", true},
                                           WildCase{"*", "A.B.C", true},
                                           WildCase{"A*B*C", "AXXBYYC", true},
                                           WildCase{"A*B*C", "AXXBYY", false},
                                           WildCase{"Z*.TMP", "Z12.TMP", true},
                                           WildCase{"2001", "2001", true}));

class FileServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(drive / "DATA" / "Sub");
    std::ofstream(drive / "DATA" / "a.dbf") << "alpha";
    std::ofstream(drive / "DATA" / "B.DBF") << "bravo!";
  }
  testsupport::TempDrive drive;
};

TEST_F(FileServicesTest, ExistsMatchesFilesAndFoldersWithWildcards) {
  EXPECT_TRUE(exists("C:\\DATA"));
  EXPECT_TRUE(exists("c:\\data\\SUB"));
  EXPECT_TRUE(exists("C:\\DATA\\*.DBF"));
  EXPECT_TRUE(exists("C:\\DATA\\S*"));          // a folder matches a pattern too
  EXPECT_FALSE(exists("C:\\DATA\\*.TXT"));
  EXPECT_FALSE(exists("C:\\NOWHERE\\*.*"));
  EXPECT_FALSE(exists("Q:\\DATA"));
}

TEST_F(FileServicesTest, FindListsMatchesSortedByName) {
  auto entries = find("C:\\DATA\\*.*");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "a.dbf");
  EXPECT_EQ(entries[0].size, 5u);
  EXPECT_EQ(entries[0].dosPath, "C:\\DATA\\a.dbf");
  EXPECT_EQ(entries[1].name, "B.DBF");
  EXPECT_TRUE(entries[2].folder);
}

TEST_F(FileServicesTest, HandlesReadWriteSeekAndReportErrors) {
  File f = File::create("C:\\DATA\\NEW.TXT");
  ASSERT_TRUE(f.isOpen());
  EXPECT_EQ(f.write("0123456789"), 10);
  EXPECT_EQ(f.seek(3), 3);
  char buf[4] = {};
  EXPECT_EQ(f.read(buf, 4), 4);
  EXPECT_EQ(std::string(buf, 4), "3456");
  EXPECT_EQ(f.seek(0, 2), 10);
  EXPECT_TRUE(f.flush());
  EXPECT_TRUE(f.close());

  EXPECT_EQ(readWhole("c:\\data\\new.txt"), "0123456789");
  EXPECT_FALSE(File::createNew("C:\\DATA\\NEW.TXT").isOpen());
  File missing = File::open("C:\\DATA\\NONE.TXT");
  EXPECT_FALSE(missing.isOpen());
  EXPECT_EQ(missing.lastError(), ENOENT);
  EXPECT_FALSE(readWhole("C:\\DATA\\NONE.TXT").has_value());
}

TEST_F(FileServicesTest, FolderCopyRenameAndErase) {
  EXPECT_EQ(makeFolder("C:\\DATA\\NEW"), 0);
  EXPECT_EQ(makeFolder("C:\\DATA\\NEW"), EEXIST);
  EXPECT_EQ(makeFolder("C:\\DATA\\X\\Y"), ENOENT);  // one level only
  EXPECT_EQ(makeFolder("Q:\\X"), ENOENT);
  EXPECT_EQ(copyFile("C:\\DATA\\A.DBF", "C:\\DATA\\NEW\\COPY.DBF"), 0);
  EXPECT_EQ(readWhole("C:\\DATA\\NEW\\COPY.DBF"), "alpha");
  EXPECT_EQ(renameFile("C:\\DATA\\NEW\\COPY.DBF", "C:\\DATA\\NEW\\MOVED.DBF"), 0);
  EXPECT_TRUE(modificationTime("C:\\DATA\\NEW\\MOVED.DBF").has_value());
  EXPECT_EQ(erase("C:\\DATA\\NEW\\MOVED.DBF"), 0);
  EXPECT_EQ(erase("C:\\DATA\\NEW\\MOVED.DBF"), ENOENT);
  EXPECT_NE(copyFile("C:\\DATA\\NONE", "C:\\DATA\\X"), 0);
}
