// Runs the built program as an operator would, in a program folder of its
// own, with the terminal dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "tests/support/temp_drive.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
  int status = -1;
  std::string output;
};

// Copies the program and its libraries into DIR, as the install does.
void layOutProgramFolder(const fs::path& dir) {
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(std::getenv("ZELK_BIN")))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename(), fs::copy_options::overwrite_existing);
}

RunResult runProgram(const fs::path& exe, const fs::path& cwd, const std::string& driveC, const std::string& input) {
  const std::string cmd = "cd '" + cwd.string() + "' && printf '" + input + "' | env ZELK_UI=terminal ZELK_DRIVE_C='" +
                          driveC + "' '" + exe.string() + "' 2>&1";
  RunResult r;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

std::string today() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y-%m-%d", &t);
  return buf;
}

}  // namespace

TEST(ZelkzipTerminal, ArchivePromptAndNoEndsTheRun) {
  testsupport::TempDrive drive("e2e");
  const fs::path program = drive / "ZELK";
  layOutProgramFolder(program);
  const fs::path data = program / "FIRME" / "FIRMA-01" / "2001";
  fs::create_directories(data);

  RunResult r = runProgram(program / "ZELKZIP", data, drive.root().string(), "n\\n");
  EXPECT_EQ(r.status, 0) << r.output;
  const std::string expected = "=== ARHIVIRANJE ===\nArhiviranje podataka\nu arhivski ZIP fajl-paket:\n"
                               "C:\\ZELK-ARHIVA\\01-2001 (" + today() + ") .ZIP\n \n \n[Da/NE] ";
  EXPECT_NE(r.output.find(expected), std::string::npos) << r.output;
  EXPECT_FALSE(fs::exists(drive / "ZELK-ARHIVA")) << "a No must not touch the archive folder";
}
