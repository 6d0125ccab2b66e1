#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "tests/support/temp_drive.h"
#include "platform/files/file_services.h"
#include "platform/process/run_program.h"

namespace fs = std::filesystem;
using namespace platform::process;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(splitCommandLine("NOTEPAD.EXE C:\\A.TXT"), (std::vector<std::string>{"NOTEPAD.EXE", "C:\\A.TXT"}));
  EXPECT_EQ(splitCommandLine("  a   \"b c\" \"\" d"), (std::vector<std::string>{"a", "b c", "", "d"}));
  EXPECT_TRUE(splitCommandLine("   ").empty());
}

class NotepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    script = drive / "fake-editor.sh";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args.txt\"\nexit 3\n";
    ::chmod(script.c_str(), 0755);
    setenv("ZELK_NOTEPAD", script.c_str(), 1);
    unsetenv("VISUAL");
    unsetenv("EDITOR");
    fs::create_directories(drive / "ARH");
    std::ofstream(drive / "ARH" / "01-2001 (2004-03-15) .TXT") << "r";
  }
  void TearDown() override { unsetenv("ZELK_NOTEPAD"); }
  testsupport::TempDrive drive;
  fs::path script;
};

TEST_F(NotepadTest, HandsDosPathsOverAsHostPathsWithoutAShell) {
  const std::string report = "C:\\arh\\01-2001 (2004-03-15) .TXT";
  EXPECT_EQ(runAndWait("NOTEPAD.EXE", {report}), 3);  // waits and returns the exit status
  auto args = platform::files::readWhole("C:\\args.txt");
  ASSERT_TRUE(args.has_value());
  EXPECT_EQ(*args, (drive / "ARH" / "01-2001 (2004-03-15) .TXT").string() + "\n");
}

TEST_F(NotepadTest, TakesTheWholeCommandLineAsOneFileName) {
  EXPECT_EQ(runAndWait("NOTEPAD.EXE C:\\arh\\01-2001 (2004-03-15) .TXT"), 3);
  EXPECT_EQ(platform::files::readWhole("C:\\args.txt"),
            (drive / "ARH" / "01-2001 (2004-03-15) .TXT").string() + "\n");
}

TEST_F(NotepadTest, TheTerminalEditorServesWithoutADisplay) {
  unsetenv("ZELK_NOTEPAD");
  setenv("EDITOR", script.c_str(), 1);
  EXPECT_EQ(runAndWait("notepad.exe C:\\X.TXT"), 3);
  unsetenv("EDITOR");
  EXPECT_EQ(runAndWait("NOTEPAD.EXE C:\\X.TXT"), -1);  // nothing to run it with
  EXPECT_EQ(runAndWait("UNKNOWN.EXE"), -1);
}
