#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_drive.h"
#include "platform/dos/current_dir.h"
#include "platform/dos/dos_path.h"
#include "platform/dos/drive_table.h"

namespace fs = std::filesystem;
using namespace platform::dos;

class DosPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(drive.root() / "Zelk" / "FIRME" / "Firma-01" / "2001");
    std::ofstream(drive.root() / "Zelk" / "ReadMe.txt") << "x";
  }
  testsupport::TempDrive drive;
};

struct HostCase {
  const char* name;
  const char* dos;
  const char* hostRelative;  // below drive C's folder; nullptr: not resolvable
};

class ToHostCases : public DosPathTest, public ::testing::WithParamInterface<HostCase> {};

TEST_P(ToHostCases, ResolvesAgainstDriveC) {
  const auto& c = GetParam();
  auto host = toHost(c.dos);
  if (!c.hostRelative) {
    EXPECT_FALSE(host.has_value());
    return;
  }
  ASSERT_TRUE(host.has_value());
  fs::path want = drive.root();
  if (*c.hostRelative) want /= c.hostRelative;
  EXPECT_EQ(host->lexically_normal(), want.lexically_normal());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ToHostCases,
    ::testing::Values(
        HostCase{"root", "C:\\", ""},
        HostCase{"exactCase", "C:\\Zelk\\FIRME", "Zelk/FIRME"},
        HostCase{"otherCaseMatchesExisting", "c:\\ZELK\\firme\\FIRMA-01\\2001", "Zelk/FIRME/Firma-01/2001"},
        HostCase{"fileOtherCase", "C:\\ZELK\\README.TXT", "Zelk/ReadMe.txt"},
        HostCase{"newComponentKeepsCase", "C:\\ZELK\\New\\File.Txt", "Zelk/New/File.Txt"},
        HostCase{"doubledBackslash", "C:\\ZELK-ARHIVA\\\\X.TXT", "ZELK-ARHIVA/X.TXT"},
        HostCase{"dotDot", "C:\\ZELK\\FIRME\\..\\README.TXT", "Zelk/ReadMe.txt"},
        HostCase{"dotDotAboveRootStaysAtRoot", "C:\\..\\..\\ZELK", "Zelk"},
        HostCase{"relativeToCurrentFolder", "ZELK\\FIRME", "Zelk/FIRME"},
        HostCase{"rootedOnCurrentDrive", "\\ZELK", "Zelk"},
        HostCase{"blanksAroundThePath", "  C:\\ZELK\\README.TXT  ", "Zelk/ReadMe.txt"},
        HostCase{"trailingBlanksAndDotsOfNames", "C:\\ZELK. \\README.TXT.", "Zelk/ReadMe.txt"},
        HostCase{"unmappedDrive", "Q:\\X", nullptr},
        HostCase{"notADrive", "1:\\X", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DosPathTest, RelativeNamesFollowTheCurrentFolder) {
  ASSERT_EQ(changeFolder("C:\\zelk\\firme"), 0);
  EXPECT_EQ(currentDrive(), 'C');
  EXPECT_EQ(currentFolder(), "Zelk\\FIRME");
  EXPECT_EQ(toHost("Firma-01")->lexically_normal(), (drive.root() / "Zelk/FIRME/Firma-01").lexically_normal());
  EXPECT_EQ(toHost("..\\ReadMe.txt")->lexically_normal(), (drive.root() / "Zelk/ReadMe.txt").lexically_normal());
  EXPECT_EQ(absolute(".\\")->str(), "C:\\Zelk\\FIRME");
}

TEST_F(DosPathTest, ChangingToAMissingFolderOrDriveFails) {
  EXPECT_NE(changeFolder("C:\\NOWHERE"), 0);
  EXPECT_NE(changeFolder("Q:\\"), 0);
  EXPECT_EQ(currentFolder(), "");
}

TEST_F(DosPathTest, HostPathsGetTheLongestDriveName) {
  drive.map('D', drive.root() / "Zelk" / "FIRME");
  EXPECT_EQ(hostToDos(drive.root() / "Zelk"), "C:\\Zelk");
  EXPECT_EQ(hostToDos(drive.root() / "Zelk" / "FIRME" / "Firma-01"), "D:\\Firma-01");
  EXPECT_EQ(hostToDos(drive.root()), "C:\\");
  EXPECT_EQ(hostToDos("/usr/lib"), "Z:\\usr\\lib");
}

TEST_F(DosPathTest, DriveReadinessFollowsTheTable) {
  drive.map('D', drive.root() / "missing");
  EXPECT_TRUE(driveReady('C'));
  EXPECT_TRUE(driveReady('c'));
  EXPECT_FALSE(driveReady('D'));  // mapped, but its folder does not exist
  EXPECT_FALSE(driveReady('Q'));  // not mapped
  setenv("ZELK_DRIVE_Z", "", 1);  // an empty value removes a drive
  reloadDriveTable();
  EXPECT_FALSE(driveRoot('Z').has_value());
  unsetenv("ZELK_DRIVE_Z");
  reloadDriveTable();
  EXPECT_EQ(driveRoot('Z'), fs::path("/"));
}

TEST(SplitLast, CutsAtTheLastSeparator) {
  EXPECT_EQ(splitLast("C:\\A\\B.TXT"), (std::pair<std::string, std::string>{"C:\\A", "B.TXT"}));
  EXPECT_EQ(splitLast("C:\\B.TXT"), (std::pair<std::string, std::string>{"C:\\", "B.TXT"}));
  EXPECT_EQ(splitLast("B.TXT"), (std::pair<std::string, std::string>{"", "B.TXT"}));
  EXPECT_EQ(splitLast("C:B.TXT"), (std::pair<std::string, std::string>{"C:", "B.TXT"}));
}
