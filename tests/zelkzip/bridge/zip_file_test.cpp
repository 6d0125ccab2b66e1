#include <gtest/gtest.h>

#include "bridge/unzip_file.h"
#include "bridge/zip_file.h"
#include "platform/ui/scripted_backend.h"
#include "support/zip_fixture.h"

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

TEST(ZipIncludeTextTest, TrimsAndEndsEachSpecificationWithABar) {
  EXPECT_EQ(ZipIncludeText({"A", "B"}), "A|B|");
  EXPECT_EQ(ZipIncludeText({"  C:\\X\\*.*  "}), "C:\\X\\*.*|");
  EXPECT_EQ(ZipIncludeText({}), "");
}

TEST(ZipDerivedArcFileTest, TakesTheTextUpToTheFirstDot) {
  EXPECT_EQ(ZipDerivedArcFile("C:\\PODACI\\PLATE.DBF"), "C:\\PODACI\\PLATE.ZIP");
  EXPECT_EQ(ZipDerivedArcFile("C:\\MOJ.DIR\\A.DBF"), "C:\\MOJ.ZIP");
  EXPECT_EQ(ZipDerivedArcFile("PLATE"), "ZIP");
}

class ZipFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ziptest::writeFile(drive / "DATA" / "A.DBF", ziptest::tableBytes(1, 200));
    ziptest::writeFile(drive / "DATA" / "B.DBF", ziptest::tableBytes(2, 300));
    ziptest::writeFile(drive / "DATA" / "C.CDX", "index");
    fs::create_directories(drive / "DATA" / "SUB");
    fs::create_directories(drive / "nolibs");
  }
  Texts names(const std::string& container) { return std::get<Texts>(ViewZip(container)); }
  Texts fieldThree(const std::string& container) {
    Texts out;
    const ZipListing listing = ViewZip(container, true);
    for (const auto& f : std::get<std::vector<Texts>>(listing)) out.push_back(f.at(2));
    return out;
  }
  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
};

TEST_F(ZipFileTest, PacksEverySpecificationOfAListIntoOneContainer) {
  ASSERT_TRUE(ZipFile(Texts{"C:\\DATA\\*.DBF", "C:\\DATA\\C.CDX"}, std::string("C:\\OUT.ZIP")));
  EXPECT_EQ(fieldThree("C:\\OUT.ZIP"), (Texts{"A.DBF", "B.DBF", "C.CDX"}));
  EXPECT_TRUE(dialogs->records().empty());
}

TEST_F(ZipFileTest, ASingleSpecificationWithoutContainerNamesItAfterItself) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\A.DBF")));
  EXPECT_TRUE(fs::exists(drive / "DATA" / "A.ZIP"));
  EXPECT_EQ(fieldThree("C:\\DATA\\A.ZIP"), Texts{"A.DBF"});
}

TEST_F(ZipFileTest, CreatesTheMissingArchiveFolders) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\*.*"), std::string("C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP")));
  // Folders are not entered with recursion off.
  EXPECT_EQ(fieldThree("C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP"), (Texts{"A.DBF", "B.DBF", "C.CDX"}));
}

TEST_F(ZipFileTest, ASpecificationMatchingNothingStopsBeforeTheLibrary) {
  // With no library to be found, loading one would show "DLL missing".
  ziptest::ScopedEnv libs("ZELK_LIBRARY_PATH", (drive / "nolibs").string());
  EXPECT_FALSE(ZipFile(Texts{"C:\\DATA\\*.DBF", "C:\\DATA\\*.XYZ"}, std::string("C:\\OUT.ZIP")));
  EXPECT_TRUE(dialogs->records().empty());
  EXPECT_FALSE(fs::exists(drive / "OUT.ZIP"));
}

TEST_F(ZipFileTest, AnEmptyListStillCallsTheLibrary) {
  EXPECT_TRUE(ZipFile(Texts{}, std::string("C:\\EMPTY.ZIP")));
  EXPECT_TRUE(TestUnZip("C:\\EMPTY.ZIP"));
  EXPECT_TRUE(names("C:\\EMPTY.ZIP").empty());
}

TEST_F(ZipFileTest, AContainerThatWasThereBeforeIsNoProofOfPacking) {
  ziptest::writeFile(drive / "OLD.ZIP", "an earlier container");
  {
    ziptest::ScopedEnv libs("ZELK_LIBRARY_PATH", INERT_LIBRARY_DIR);
    EXPECT_FALSE(ZipFile(std::string("C:\\DATA\\*.DBF"), std::string("C:\\OLD.ZIP")));
  }
  EXPECT_EQ(ziptest::readFile(drive / "OLD.ZIP"), "an earlier container");
  EXPECT_TRUE(ZipFile(std::string("C:\\DATA\\*.DBF"), std::string("C:\\OLD.ZIP")));
  EXPECT_EQ(names("C:\\OLD.ZIP").size(), 2u);
}

TEST_F(ZipFileTest, AMissingLibraryIsReportedAndFails) {
  ziptest::writeFile(drive / "OLD.ZIP", "an earlier container");
  ziptest::ScopedEnv libs("ZELK_LIBRARY_PATH", (drive / "nolibs").string());
  EXPECT_FALSE(ZipFile(std::string("C:\\DATA\\*.DBF"), std::string("C:\\OLD.ZIP")));
  ASSERT_EQ(dialogs->records().size(), 1u);
  EXPECT_EQ(dialogs->records()[0].text, "Could not find the addZip azip32.dll file!");
  EXPECT_EQ(dialogs->records()[0].title, "DLL missing");
  EXPECT_EQ(ziptest::readFile(drive / "OLD.ZIP"), "an earlier container");
}
