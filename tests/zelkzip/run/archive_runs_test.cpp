// The archive and restore runs with the real compression libraries and the
// scripted dialogs: what the operator sees, in order, and what is left on
// disk.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/dos/current_dir.h"
#include "platform/files/file_services.h"
#include "platform/ui/scripted_backend.h"
#include "run/archive_runs.h"
#include "support/zip_fixture.h"

namespace fs = std::filesystem;
namespace ui = platform::ui;
using Kinds = std::vector<std::string>;

namespace {

class ArchiveRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ziptest::writeFile(drive / "DATA" / "KUPCI.DBF", ziptest::tableBytes(1, 300));
    ziptest::writeFile(drive / "DATA" / "RACUNI.DBF", ziptest::tableBytes(2, 30));
    fs::create_directories(drive / "ARH");
    platform::dos::setProgramHostPathForTesting((drive / "ZELK" / "ZELKZIP").string());
    const fs::path editor = drive / "editor.sh";
    ziptest::writeFile(editor, "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened.txt\"\n");
    ::chmod(editor.c_str(), 0755);
    setenv("ZELK_NOTEPAD", editor.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ZELK_NOTEPAD");
    platform::dos::setProgramHostPathForTesting("");
  }
  const ui::DialogRecord& last() { return script->records().back(); }

  testsupport::TempDrive drive;
  ui::ScopedScriptedDialogs script;
  ArchiveRunContext run;
  const std::string container = "C:\\ARH\\01-2001 (2004-03-15) .ZIP";
  const std::string report = "C:\\ARH\\01-2001 (2004-03-15) .TXT";
};

}  // namespace

TEST_F(ArchiveRunTest, PacksTestsListsAndReports) {
  EXPECT_TRUE(C_arhiviraj(run, "C:\\DATA\\*.*", container, report));
  EXPECT_EQ(script->kinds(), (Kinds{"window", "close", "focus", "messagebox"}));
  EXPECT_EQ(script->records()[0].title, "ARHIVIRA SE");
  EXPECT_EQ(script->records()[0].text, container);
  EXPECT_EQ(last().title, "ARHIVIRANO | IZVESTAJ");
  ASSERT_EQ(run.aSpisak.size(), 2u);
  EXPECT_NE(run.aSpisak[0].find("|KUPCI.DBF|"), std::string::npos);

  auto text = platform::files::readWhole(report);
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("\r\n    1    KUPCI.DBF..............."), std::string::npos);
  EXPECT_NE(text->find("\r\n    2    RACUNI.DBF.............."), std::string::npos);
  EXPECT_NE(text->find("\r\n    2    SVEGA MegaBajta: "), std::string::npos);
  EXPECT_EQ(platform::files::readWhole("C:\\opened.txt"), (drive / "ARH" / "01-2001 (2004-03-15) .TXT").string());
  ASSERT_TRUE(ziptest::haveTool("unzip"));
  EXPECT_EQ(ziptest::run("unzip -tq " + ziptest::quoted(drive / "ARH" / "01-2001 (2004-03-15) .ZIP") + " >/dev/null"), 0);
}

TEST_F(ArchiveRunTest, APackingFailureClosesTheWaitWindowFirstAndWritesNoReport) {
  EXPECT_FALSE(C_arhiviraj(run, "C:\\NEMA\\*.*", container, report));
  EXPECT_EQ(script->kinds(), (Kinds{"window", "close", "focus", "messagebox"}));
  EXPECT_EQ(last().title, "GRESKA u arhiviranju");
  EXPECT_EQ(last().text, container);
  EXPECT_FALSE(platform::files::exists(report));
  EXPECT_FALSE(platform::files::exists(container));
}

TEST_F(ArchiveRunTest, AContainerThatFailsTheTestStaysAndIsReported) {
  // Packing works, but the unpacking library cannot be found: the container
  // cannot be called sound.
  const fs::path only = drive / "onlyzip";
  fs::create_directories(only);
  fs::copy_file(fs::path(std::getenv("ZELK_BIN")) / "azip32.so", only / "azip32.so");
  ziptest::ScopedEnv libs("ZELK_LIBRARY_PATH", only.string());
  EXPECT_FALSE(C_arhiviraj(run, "C:\\DATA\\*.*", container, report));
  EXPECT_EQ(script->kinds(), (Kinds{"window", "messagebox", "close", "focus", "messagebox"}));
  EXPECT_EQ(script->records()[1].title, "DLL missing");
  EXPECT_EQ(last().title, "Arhiva NEISPRAVNA");
  EXPECT_EQ(last().text, container);
  EXPECT_TRUE(platform::files::exists(container));
  EXPECT_FALSE(platform::files::exists(report));
}

TEST_F(ArchiveRunTest, RestoreUnpacksConfirmsAndReports) {
  ASSERT_TRUE(C_arhiviraj(run, "C:\\DATA\\*.*", container, report));
  script->clear();
  C_rearhiviraj(run, container, "C:\\VRACENO", "C:\\VRACENO\\R.TXT");
  EXPECT_EQ(script->kinds(), (Kinds{"window", "close", "focus", "messagebox", "messagebox"}));
  EXPECT_EQ(script->records()[0].title, "REARHIVIRA SE");
  EXPECT_EQ(script->records()[3].title, "REARHIVIRANO | OK");
  EXPECT_EQ(script->records()[3].text,
            "Arhivski kontejner:\r\n" + container + "\r\nraspakovan u folder:\r\nC:\\VRACENO");
  EXPECT_EQ(last().title, "REARHIVIRANO | IZVESTAJ");
  EXPECT_EQ(run.aSpisak, (std::vector<std::string>{"KUPCI.DBF", "RACUNI.DBF"}));
  EXPECT_EQ(ziptest::readFile(drive / "VRACENO" / "KUPCI.DBF"), ziptest::readFile(drive / "DATA" / "KUPCI.DBF"));
  auto text = platform::files::readWhole("C:\\VRACENO\\R.TXT");
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("\r\n    1......... KUPCI.DBF\r\n    2......... RACUNI.DBF\r\n     \r\n"), std::string::npos);
}

TEST_F(ArchiveRunTest, RestoreOfAMissingContainerStillConfirmsAndReportsNothing) {
  fs::create_directories(drive / "VRACENO");
  EXPECT_EQ(C_rearhiviraj(run, "C:\\ARH\\NEMA.ZIP", "C:\\VRACENO", "C:\\VRACENO\\R.TXT"), 0);
  EXPECT_EQ(script->kinds(), (Kinds{"window", "close", "focus", "messagebox", "messagebox"}));
  EXPECT_TRUE(run.aSpisak.empty());
  auto text = platform::files::readWhole("C:\\VRACENO\\R.TXT");
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("Raspakovan na lokaciju : C:\\VRACENO\r\n    " + std::string(79, '-') + "\r\n     \r\n"),
            std::string::npos);
}
