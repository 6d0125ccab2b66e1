// A whole archive run of the built program, as an operator answers it in a
// terminal: a program folder with sample tables, drives C and D of its own.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_drive.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string today() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y-%m-%d", &t);
  return buf;
}

class ArchiveEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program);
    for (const auto& e : fs::directory_iterator(std::getenv("ZELK_BIN")))
      if (e.is_regular_file()) fs::copy_file(e.path(), program / e.path().filename());
    fs::create_directories(data);
    for (const auto& e : fs::directory_iterator(fs::path(std::getenv("ZELK_SOURCE")) / "samples" / "FIRMA-01-2001"))
      fs::copy_file(e.path(), data / e.path().filename());
    fs::create_directories(usb);
  }

  // Runs ZELKZIP from its folder with the lines as the operator's answers;
  // the exit status, and everything it printed in out.
  int run(const std::string& answers, bool mapD, std::string& out) {
    std::string cmd = "cd '" + program.string() + "' && printf '" + answers +
                      "' | env ZELK_UI=terminal ZELK_NOTEPAD=true ZELK_DRIVE_C='" + drive.root().string() + "'";
    if (mapD) cmd += " ZELK_DRIVE_D='" + usb.string() + "'";
    cmd += " ./ZELKZIP 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int st = ::pclose(p);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
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
  std::string out;
  ASSERT_EQ(run("\\ny\\n\\ny\\n\\n", true, out), 0) << out;

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
  std::string out;
  EXPECT_EQ(run("\\ny\\n\\ny\\n\\n", false, out), 0) << out;
  EXPECT_TRUE(fs::exists(drive / "ZELK-ARHIVA" / name)) << out;
  EXPECT_NE(out.find("Drajv nije u redu - kopiranje nije moguce"), std::string::npos) << out;
  EXPECT_TRUE(fs::is_empty(usb));
}
