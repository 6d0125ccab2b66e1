#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

#include "tests/support/temp_drive.h"
#include "XBTBase1.h"
#include "platform/dos/current_dir.h"
#include "platform/files/file_services.h"
#include "platform/ui/scripted_backend.h"
#include "run/copy_medium.h"

namespace fs = std::filesystem;
namespace ui = platform::ui;

namespace {

class CopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(drive / "ZELK" / "DBF");
    fs::create_directories(drive / "ZELK-ARHIVA");
    fs::create_directories(drive / "usb");
    platform::dos::setProgramHostPathForTesting((drive / "ZELK" / "ZELKZIP").string());
    std::string bytes;
    for (int i = 0; i < 300000; ++i) bytes += static_cast<char>(i * 7);
    std::ofstream(drive / "ZELK-ARHIVA" / "01-2001 (2004-03-15) .ZIP", std::ios::binary) << bytes;
    container = bytes;
  }
  void TearDown() override { platform::dos::setProgramHostPathForTesting(""); }

  void drajvZel(const std::string& content) {
    std::ofstream(drive / "ZELK" / "DBF" / "DRAJV.ZEL", std::ios::binary) << content;
  }
  std::vector<std::string> leftovers(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    return names;
  }

  testsupport::TempDrive drive;
  std::string container;
  const std::string kContainer = "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP";
};

}  // namespace

struct LetterCase {
  const char* name;
  std::string content;
  std::string letter;
};

class DriveLetterFile : public CopyTest, public ::testing::WithParamInterface<LetterCase> {};

TEST_P(DriveLetterFile, NamesTheFirstUpperCaseLetter) {
  drajvZel(GetParam().content);
  EXPECT_EQ(slovo_drajva(), GetParam().letter);
}

INSTANTIATE_TEST_SUITE_P(Contents, DriveLetterFile,
                         ::testing::Values(LetterCase{"asCreated", "\r\nD", "D"}, LetterCase{"lowerCaseOnly", "e", "D"},
                                           LetterCase{"digitOnly", "1", "D"}, LetterCase{"empty", "", "D"},
                                           LetterCase{"blanksBeforeLetter", "  F:\\", "F"},
                                           LetterCase{"lowerThenUpper", "xG", "G"}, LetterCase{"single", "A", "A"},
                                           LetterCase{"highBytesIgnored", "\xC8\x8A" "E", "E"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyTest, AMissingDriveLetterFileIsCreatedWithD) {
  EXPECT_EQ(slovo_drajva(), "D");
  EXPECT_EQ(platform::files::readWhole("C:\\ZELK\\DBF\\DRAJV.ZEL"), "\r\nD");
}

TEST_F(CopyTest, YesCopiesTheContainerToTheDriveRoot) {
  drive.map('D', drive / "usb");
  ui::ScopedScriptedDialogs script;
  script->queueAnswer(ui::kAnswerYes);
  EXPECT_EQ(C_kopiraj(kContainer), 0);
  EXPECT_EQ(script->kinds(), (std::vector<std::string>{"messagebox", "window", "close", "focus", "messagebox"}));
  const auto& ask = script->records()[0];
  EXPECT_EQ(ask.title, "Kopiranje na drajv: D");
  EXPECT_EQ(ask.text, "Kopiranje arhive\r\narhivskog ZIP fajl-paketa:\r\n" + kContainer + "\r\nna drajv D\r\n");
  EXPECT_EQ(ask.request.defaultButton, ui::kDefaultButton2);
  EXPECT_EQ(script->records()[1].title, "KOPIRA SE na drajv D");
  EXPECT_EQ(script->records()[1].text, kContainer);
  EXPECT_EQ(script->records()[4].text, "ARHIVA KOPIRANA NA EXTERNI MEDIUM");
  EXPECT_EQ(script->records()[4].title, "Kopiranje na drajv: D");
  EXPECT_EQ(platform::files::readWhole("D:\\01-2001 (2004-03-15) .ZIP"), container);
  EXPECT_EQ(leftovers(drive / "usb").size(), 1u);
}

TEST_F(CopyTest, NoCopiesNothing) {
  drive.map('D', drive / "usb");
  ui::ScopedScriptedDialogs script;
  EXPECT_EQ(C_kopiraj(kContainer), 0);
  EXPECT_EQ(script->records().size(), 1u);
  EXPECT_TRUE(leftovers(drive / "usb").empty());
}

TEST_F(CopyTest, ADriveThatIsNotReadyIsReported) {
  drajvZel("Q");  // never mapped
  ui::ScopedScriptedDialogs script;
  script->queueAnswer(ui::kAnswerYes);
  C_kopiraj(kContainer);
  EXPECT_EQ(script->records().back().text, "Drajv nije u redu - kopiranje nije moguce");
  EXPECT_EQ(script->records().back().title, "Kopiranje na drajv: Q");
}

TEST_F(CopyTest, AMissingContainerIsReported) {
  drive.map('D', drive / "usb");
  ui::ScopedScriptedDialogs script;
  script->queueAnswer(ui::kAnswerYes);
  C_kopiraj("C:\\ZELK-ARHIVA\\NEMA.ZIP");
  EXPECT_EQ(script->records().back().text, "Drajv nije u redu - kopiranje nije moguce");
  EXPECT_TRUE(leftovers(drive / "usb").empty());
}

TEST_F(CopyTest, ALongContainerNameIsCutTo100Characters) {
  drive.map('D', drive / "usb");
  const std::string longName(120, 'N');
  std::ofstream(drive / "ZELK-ARHIVA" / longName) << "x";
  ui::ScopedScriptedDialogs script;
  script->queueAnswer(ui::kAnswerYes);
  C_kopiraj("C:\\ZELK-ARHIVA\\" + longName);
  EXPECT_TRUE(fs::exists(drive / "usb" / longName.substr(0, 100)));
}

TEST_F(CopyTest, FilecopyNeverLeavesAPartialFileUnderTheTargetName) {
  drive.map('D', drive / "usb");
  // A full medium: writes beyond 64 KiB fail.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  const int full = FILECOPY(kContainer.c_str(), "D:\\ARH.ZIP");
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(full, 0);
  EXPECT_TRUE(leftovers(drive / "usb").empty());

  // A target name that cannot be replaced keeps what it held.
  fs::create_directories(drive / "usb" / "ARH.ZIP");
  EXPECT_EQ(FILECOPY(kContainer.c_str(), "D:\\ARH.ZIP"), 0);
  EXPECT_TRUE(fs::is_directory(drive / "usb" / "ARH.ZIP"));
  EXPECT_EQ(leftovers(drive / "usb").size(), 1u);

  EXPECT_EQ(FILECOPY(kContainer.c_str(), "D:\\NEMA\\ARH.ZIP"), 0);  // no such folder
  EXPECT_EQ(FILECOPY(nullptr, "D:\\X"), 0);
}

TEST_F(CopyTest, FilecopyReplacesAnOlderCopyWithAnIdenticalOne) {
  drive.map('D', drive / "usb");
  std::ofstream(drive / "usb" / "ARH.ZIP") << "old";
  EXPECT_GT(FILECOPY(kContainer.c_str(), "d:\\arh.zip"), 0);
  EXPECT_EQ(platform::files::readWhole("D:\\ARH.ZIP"), container);
  EXPECT_EQ(leftovers(drive / "usb"), (std::vector<std::string>{"ARH.ZIP"}));
}
