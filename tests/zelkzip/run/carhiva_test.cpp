#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_drive.h"
#include "platform/dos/current_dir.h"
#include "platform/ui/scripted_backend.h"
#include "run/carhiva.h"
#include "run/container_name.h"

namespace fs = std::filesystem;
namespace ui = platform::ui;

class CarhivaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(drive / "ZELK" / "FIRME" / "FIRMA-01" / "2001");
    platform::dos::setProgramHostPathForTesting((drive / "ZELK" / "ZELKZIP").string());
    platform::dos::changeFolder("C:\\ZELK\\FIRME\\FIRMA-01\\2001");
  }
  void TearDown() override { platform::dos::setProgramHostPathForTesting(""); }

  // The driver's own question: the first box with the given title.
  const ui::DialogRecord* prompt(const std::string& title) {
    for (const auto& r : script->records())
      if (r.title == title) return &r;
    return nullptr;
  }

  testsupport::TempDrive drive;
  ui::ScopedScriptedDialogs script;
};

TEST_F(CarhivaTest, ArchivePromptNamesTheContainerAndDefaultsToNo) {
  CARHIVA();
  const auto* p = prompt("ARHIVIRANJE");
  ASSERT_NE(p, nullptr);
  const std::string container = "C:\\ZELK-ARHIVA\\" + ZELK2000_NAZIV();
  EXPECT_EQ(container.substr(0, 23), "C:\\ZELK-ARHIVA\\01-2001 ");
  EXPECT_EQ(p->text, "Arhiviranje podataka\r\nu arhivski ZIP fajl-paket:\r\n" + container + "\r\n \r\n ");
  EXPECT_EQ(p->request.buttons, ui::kButtonsYesNo);
  EXPECT_EQ(p->request.icon, ui::kIconQuestion);
  EXPECT_EQ(p->request.defaultButton, ui::kDefaultButton2);
  EXPECT_EQ(p->answer, ui::kAnswerNo);
  // A No ends the run: nothing is asked or shown after the prompt.
  EXPECT_EQ(&script->records().back(), p);
}

TEST_F(CarhivaTest, RestorePromptForACallerThatAsksForIt) {
  CARHIVA(std::nullopt, std::nullopt, std::nullopt, 2);
  const auto* p = prompt("REARHIVIRANJE");
  ASSERT_NE(p, nullptr);
  const std::string container = "C:\\ZELK-ARHIVA\\" + ZELK2000_NAZIV();
  EXPECT_EQ(p->text, "ReArhiviranje podataka\r\niz arhivskog ZIP fajl-paketa:\r\n" + container +
                         "\r\nna lokaciju: \r\nC:\\ZELK-ARHIVA\\\r\n \r\n ");
  EXPECT_EQ(prompt("ARHIVIRANJE"), nullptr);
}

TEST_F(CarhivaTest, GivenParametersAreUsedAsTheyStand) {
  CARHIVA("C:\\X\\*.*", "C:\\ARH\\MOJA.ZIP", "C:\\R", 2);
  const auto* p = prompt("REARHIVIRANJE");
  ASSERT_NE(p, nullptr);
  EXPECT_NE(p->text.find("\r\nC:\\ARH\\MOJA.ZIP\r\n"), std::string::npos);
  EXPECT_NE(p->text.find("\r\nC:\\R\r\n"), std::string::npos);
}

TEST_F(CarhivaTest, AnyOtherOperationAsksNothing) {
  CARHIVA(std::nullopt, std::nullopt, std::nullopt, 3);
  EXPECT_EQ(prompt("ARHIVIRANJE"), nullptr);
  EXPECT_EQ(prompt("REARHIVIRANJE"), nullptr);
}

TEST_F(CarhivaTest, StartFolderIsRecordedAsDriveAndFolder) {
  EXPECT_EQ(CurrentDriveAndFolder(), "C:\\ZELK\\FIRME\\FIRMA-01\\2001");
  platform::dos::changeFolder("C:\\");
  EXPECT_EQ(CurrentDriveAndFolder(), "C:\\");
}
