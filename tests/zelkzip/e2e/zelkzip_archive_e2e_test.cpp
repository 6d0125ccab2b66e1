// A whole archive run of the built program, as an operator answers it in a
// terminal: a program folder with sample tables, drives C and D of its own.
#include <gtest/gtest.h>

#include "support/program_run.h"
#include "tests/support/temp_drive.h"

namespace fs = std::filesystem;
using e2e::readFile;
using e2e::today;

namespace {

class ArchiveEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::layOutProgramFolder(program);
    fs::create_directories(data);
    for (const auto& e : fs::directory_iterator(fs::path(std::getenv("ZELK_SOURCE")) / "samples" / "FIRMA-01-2001"))
      fs::copy_file(e.path(), data / e.path().filename());
    fs::create_directories(usb);
  }

  // Runs ZELKZIP from its folder with the lines as the operator's answers.
  e2e::RunResult run(const std::string& answers, bool mapD) {
    std::map<std::string, std::string> env{{"ZELK_NOTEPAD", "true"}, {"ZELK_DRIVE_C", drive.root().string()}};
    if (mapD) env["ZELK_DRIVE_D"] = usb.string();
    return e2e::runZelkzip(program, program, env, answers);
  }

  testsupport::TempDrive drive{"archive-e2e"};
  fs::path program = drive / "ZELK";
  fs::path data = program / "FIRME" / "FIRMA-01" / "2001";
  fs::path usb = drive / "usb";
  std::string name = "01-2001 (" + today() + ") .ZIP";
};

}  // namespace

TEST_F(ArchiveEndToEnd, YesToBothQuestionsArchivesReportsAndCopies) {
  // OK for the first start's reset notice, Yes to archive, OK for the
  // report notice, Yes to the copy, OK for its result.
  const auto r = run("\ny\n\ny\n\n", true);
  const std::string& out = r.output;
  ASSERT_EQ(r.status, 0) << out;

  const fs::path zip = drive / "ZELK-ARHIVA" / name;
  ASSERT_TRUE(fs::exists(zip)) << out;
  EXPECT_EQ(std::system(("unzip -tq '" + zip.string() + "' >/dev/null").c_str()), 0);

  const std::string report = readFile(drive / "ZELK-ARHIVA" / ("01-2001 (" + today() + ") .TXT"));
  EXPECT_EQ(report.rfind("\r\n    |ARHIVIRANO|\r\n", 0), 0u);
  EXPECT_NE(report.find("\r\n    ZIP Paket: C:\\ZELK-ARHIVA\\" + name + "\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n    Materijal: C:\\ZELK\\FIRME\\FIRMA-01\\2001\\*.*\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n    1    ARTIKLI.DBF............."), std::string::npos);
  EXPECT_NE(report.find("\r\n    2    KUPCI.DBF..............."), std::string::npos);
  EXPECT_NE(report.find("\r\n    3    RACUNI.DBF.............."), std::string::npos);
  EXPECT_NE(report.find("\r\n    3    SVEGA MegaBajta: "), std::string::npos);
  EXPECT_NE(report.find("\r\n    C:\\ZELK\\DBF\\DRAJV.ZEL\r\n"), std::string::npos);

  EXPECT_EQ(readFile(program / "DBF" / "DRAJV.ZEL"), "\r\nD");
  EXPECT_EQ(readFile(usb / name), readFile(zip));
  EXPECT_NE(out.find("ARHIVA KOPIRANA NA EXTERNI MEDIUM"), std::string::npos) << out;
}

TEST_F(ArchiveEndToEnd, ADriveThatIsNotMappedEndsWithTheDriveMessage) {
  const auto r = run("\ny\n\ny\n\n", false);
  const std::string& out = r.output;
  EXPECT_EQ(r.status, 0) << out;
  EXPECT_TRUE(fs::exists(drive / "ZELK-ARHIVA" / name)) << out;
  EXPECT_NE(out.find("Drajv nije u redu - kopiranje nije moguce"), std::string::npos) << out;
  EXPECT_TRUE(fs::is_empty(usb));
}
