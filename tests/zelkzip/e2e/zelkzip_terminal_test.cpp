// ZELKZIP started in a program folder of its own, in terminal mode, the
// operator answering No: the first start resets the server table and asks,
// the second only asks, and No ends the run with exit status 0.
#include <gtest/gtest.h>

#include "support/program_run.h"
#include "tests/support/dbf_bytes.h"
#include "tests/support/temp_drive.h"

namespace fs = std::filesystem;

namespace {

class FirstStart : public ::testing::Test {
 protected:
  void SetUp() override { e2e::layOutProgramFolder(program); }
  e2e::RunResult start() {
    return e2e::runZelkzip(program, program, {{"ZELK_DRIVE_C", drive.root().string()}}, "n\n");
  }
  // The prompt as the terminal prints it, for today or, near midnight, the
  // day before.
  static std::string prompt(const std::string& day) {
    return "=== ARHIVIRANJE ===\nArhiviranje podataka\nu arhivski ZIP fajl-paket:\n"
           "C:\\ZELK-ARHIVA\\01-2001 (" + day + ") .ZIP\n \n \n[Da/NE] ";
  }
  static bool asks(const std::string& out, const std::string& before) {
    return out.find(prompt(before)) != std::string::npos || out.find(prompt(e2e::today())) != std::string::npos;
  }

  testsupport::TempDrive drive{"e2e"};
  fs::path program = drive / "ZELK";
};

}  // namespace

TEST_F(FirstStart, ResetsOnceThenOnlyAsks) {
  const std::string before = e2e::today();
  e2e::RunResult first = start();
  EXPECT_EQ(first.status, 0) << first.output;
  const std::string reset =
      "=== RESET PROGRAMA ===\n"
      "Nemoguc pristup u DB\n"
      "NE postoji lokacija:\n"
      " \n"
      "C:\\ZELK\\FIRME\\FIRMA-01\\2000\n"
      " \n"
      "DB se locira na:\n"
      " \n"
      "C:\\ZELK\\FIRME\\FIRMA-01\\2001\n";
  EXPECT_EQ(first.output.rfind(reset, 0), 0u) << first.output;
  EXPECT_TRUE(asks(first.output, before)) << first.output;
  EXPECT_FALSE(fs::exists(drive / "ZELK-ARHIVA")) << "a No must not touch the archive folder";

  auto table = zelk_test::readDbf(e2e::readFile(program / "DBF" / "SERVER.DBF"));
  ASSERT_EQ(table.count, 1u);
  EXPECT_EQ(table.recordLength, 176u);
  EXPECT_EQ(table.records[0].substr(1, 140).find("C:\\ZELK\\FIRME\\FIRMA-01\\2001 "), 0u);

  e2e::RunResult second = start();
  EXPECT_EQ(second.status, 0) << second.output;
  EXPECT_EQ(second.output.rfind("=== ARHIVIRANJE ===", 0), 0u) << second.output;
  EXPECT_TRUE(asks(second.output, before)) << second.output;
}
