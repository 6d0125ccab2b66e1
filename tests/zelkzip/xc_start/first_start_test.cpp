// ZELKZIP started twice in a fresh program folder, in terminal mode, the
// operator answering No: the first start resets the server table, the
// second only asks.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/dbf_bytes.h"

namespace fs = std::filesystem;

namespace {

struct StartResult {
  int status = -1;
  std::string out;
};

class FirstStart : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("ZELK_TEST_TMP");
    const char* bin = std::getenv("ZELK_BIN");
    ASSERT_TRUE(tmp && bin);
    drive = fs::path(tmp) / "FirstStart";
    fs::remove_all(drive);
    fs::create_directories(drive / "ZELK");
    for (const auto& e : fs::directory_iterator(bin))
      if (e.is_regular_file()) fs::copy_file(e.path(), drive / "ZELK" / e.path().filename());
  }

  StartResult start() {
    const fs::path out = drive / "out.txt";
    const std::string cmd = "cd '" + drive.string() + "' && printf 'n\\n' | env ZELK_DRIVE_C='" + drive.string() +
                            "' ZELK_UI=terminal ./ZELK/ZELKZIP > '" + out.string() + "' 2>&1";
    StartResult r;
    int s = std::system(cmd.c_str());
    r.status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    std::ifstream in(out, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    r.out = text.str();
    return r;
  }

  // The prompt's container, for either date a run near midnight can see.
  static std::string container(std::time_t when) {
    std::tm t{};
    localtime_r(&when, &t);
    char buf[64];
    std::strftime(buf, sizeof buf, "C:\\ZELK-ARHIVA\\01-2001 (%Y-%m-%d) .ZIP", &t);
    return buf;
  }
  static bool namesContainer(const std::string& out, std::time_t before) {
    return out.find(container(before)) != std::string::npos ||
           out.find(container(std::time(nullptr))) != std::string::npos;
  }

  fs::path drive;
};

TEST_F(FirstStart, ResetsOnceThenOnlyAsks) {
  const std::time_t before = std::time(nullptr);
  StartResult first = start();
  EXPECT_EQ(first.status, 0) << first.out;
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
  EXPECT_EQ(first.out.rfind(reset, 0), 0u) << first.out;
  const auto prompt = first.out.find("=== ARHIVIRANJE ===");
  ASSERT_NE(prompt, std::string::npos) << first.out;
  EXPECT_GT(prompt, reset.size());
  EXPECT_TRUE(namesContainer(first.out, before)) << first.out;

  auto table = zelk_test::readDbf([&] {
    std::ifstream in(drive / "ZELK" / "DBF" / "SERVER.DBF", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }());
  ASSERT_EQ(table.count, 1u);
  EXPECT_EQ(table.recordLength, 176u);
  EXPECT_EQ(table.records[0].substr(1, 140).find("C:\\ZELK\\FIRME\\FIRMA-01\\2001 "), 0u);

  StartResult second = start();
  EXPECT_EQ(second.status, 0) << second.out;
  EXPECT_EQ(second.out.find("RESET PROGRAMA"), std::string::npos) << second.out;
  EXPECT_EQ(second.out.rfind("=== ARHIVIRANJE ===", 0), 0u) << second.out;
  EXPECT_TRUE(namesContainer(second.out, before)) << second.out;
}

}  // namespace
