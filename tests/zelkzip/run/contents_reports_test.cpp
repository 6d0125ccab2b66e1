#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "tests/support/temp_drive.h"
#include "platform/dos/current_dir.h"
#include "platform/files/file_services.h"
#include "platform/text/date_format.h"
#include "platform/ui/scripted_backend.h"
#include "run/contents_reports.h"

namespace fs = std::filesystem;
namespace ui = platform::ui;

namespace {

// The moment of a report, with the date format every run sets at its start.
platform::clock::LocalTime stamp() {
  platform::text::setDateFormat("dd.mm.yyyy");
  platform::clock::LocalTime t;
  t.year = 2004;
  t.month = 3;
  t.day = 5;
  t.hour = 9;
  t.minute = 7;
  t.second = 3;
  return t;
}

const std::string SEP(79, '-');
const std::string M = "\r\n    ";  // line break and margin

std::string archiveHead() {
  return M + "|ARHIVIRANO|" + M + "ARHIVSKI PAKET - ZIP KONTEJNER" + M + SEP + M +
         "ZIP Paket: C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP" + M + "Materijal: C:\\ZELK\\FIRME\\FIRMA-01\\2001\\*.*" +
         M + SEP;
}

std::string archiveTail() {
  return M + " " + M + "NAPOMENA: Arhiva ce biti kopirana na drajv A ili drajv ucitan iz fajla" + M +
         "C:\\ZELK\\DBF\\DRAJV.ZEL" + M + "koji se moze formirati iz tekst editora i u koji se kao prvi znak upise" +
         M + "jedno slovo kao oznaka drajva: D,E,F,G,H..." + M + " " + M + "05.03.2004 09:07:03";
}

std::string archive(const std::vector<std::string>& entries) {
  return ArchiveReportText(entries, "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP", "C:\\ZELK\\FIRME\\FIRMA-01\\2001\\*.*",
                           "C:\\ZELK", stamp());
}

}  // namespace

struct ArchiveCase {
  const char* name;
  std::vector<std::string> entries;
  std::string body;  // detail lines, the separator and the totals line
};

class ArchiveReports : public ::testing::TestWithParam<ArchiveCase> {};

TEST_P(ArchiveReports, MatchTheLayoutByteForByte) {
  EXPECT_EQ(archive(GetParam().entries), archiveHead() + GetParam().body + archiveTail());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ArchiveReports,
    ::testing::Values(
        ArchiveCase{"empty", {}, M + SEP + M + "0    SVEGA MegaBajta:               0.00       0.00"},
        ArchiveCase{"shortAndLongNames",
                   {"SERVER.DBF|Deflate|SERVER.DBF|1234|456|63|05.03.2004|09:07:03|",
                    "KNJIGA-PRIMLJENIH-RACUNA-2001.DBF|Deflate|KNJIGA-PRIMLJENIH-RACUNA-2001.DBF|12|12|0|01.01.2001|00:00:00|"},
                   M + "1    SERVER.DBF..............       1234        456  63% 05.03.2004   09:07:03" +
                   M + "2    KNJIGA-PRIMLJENIH-RACUNA         12         12   0% 01.01.2001   00:00:00" + M + SEP +
                   M + "2    SVEGA MegaBajta:               0.00       0.00"},
        ArchiveCase{"totalsInDecimalMegabytes",
                   {"A|x|A.DBF|1500000|1000000|33|d|t|", "B|x|B.DBF|2250000|250000|89|d|t|"},
                   M + "1    A.DBF...................    1500000    1000000  33%          d          t" +
                   M + "2    B.DBF...................    2250000     250000  89%          d          t" + M + SEP +
                   M + "2    SVEGA MegaBajta:               3.75       1.25"},
        ArchiveCase{"fewerThanEightFields",
                   {"A|x|KRATKO|  77abc|", "bez crte"},
                   M + "1    KRATKO..................      77abc               %                      " +
                   M + "2    ........................                          %                      " + M + SEP +
                   M + "2    SVEGA MegaBajta:               0.00       0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveReports, EntryNumbersAreCutToFourDigits) {
  std::vector<std::string> entries(10000, "A|x|A.DBF|1000|500|50|d|t|");
  const std::string text = archive(entries);
  EXPECT_NE(text.find(M + "9999 A.DBF"), std::string::npos);
  EXPECT_NE(text.find(M + "1000 A.DBF"), std::string::npos);  // the 10 000th entry
  EXPECT_NE(text.find(M + "1000 SVEGA MegaBajta:              10.00       5.00"), std::string::npos);
}

TEST(RestoreReports, ListTheEntriesAsTheyStand) {
  const std::string head = M + "|REARHIVIRANO|" + M + "ARHIVSKI PAKET - ZIP KONTEJNER" + M + SEP + M +
                           "ZIP Paket: C:\\A\\X.ZIP" + M + "Raspakovan na lokaciju : C:\\R" + M + SEP;
  const std::string tail = M + " " + M + "05.03.2004 09:07:03";
  EXPECT_EQ(RestoreReportText({}, "C:\\A\\X.ZIP", "C:\\R", stamp()), head + tail);
  std::vector<std::string> many;
  for (int i = 0; i < 12; ++i) many.push_back("F" + std::to_string(i) + ".DBF");
  const std::string text = RestoreReportText(many, "C:\\A\\X.ZIP", "C:\\R", stamp());
  EXPECT_NE(text.find(M + "1......... F0.DBF" + M + "2......... F1.DBF"), std::string::npos);
  EXPECT_NE(text.find(M + "12........ F11.DBF" + M + " "), std::string::npos);
}

class ReportWriters : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(drive / "ZELK-ARHIVA");
    platform::dos::setProgramHostPathForTesting((drive / "ZELK" / "ZELKZIP").string());
    editor = drive / "editor.sh";
    std::ofstream(editor) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened.txt\"\n";
    ::chmod(editor.c_str(), 0755);
    setenv("ZELK_NOTEPAD", editor.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ZELK_NOTEPAD");
    platform::dos::setProgramHostPathForTesting("");
  }
  testsupport::TempDrive drive;
  ui::ScopedScriptedDialogs script;
  fs::path editor;
};

TEST_F(ReportWriters, WriteTellAndOpenTheReportInTheEditor) {
  const std::string report = "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .TXT";
  fs::path host = drive / "ZELK-ARHIVA" / "01-2001 (2004-03-15) .TXT";
  std::ofstream(host) << "an older, longer report that must be replaced entirely";
  EXPECT_EQ(ZIP_Spisak({"A|x|A.DBF|1|1|0|d|t|"}, "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP", report, "C:\\X\\*.*"), 0);
  auto written = platform::files::readWhole(report);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->substr(0, 24), M + "|ARHIVIRANO|" + M);
  EXPECT_EQ(written->find("older"), std::string::npos);
  EXPECT_NE(written->find("C:\\ZELK\\DBF\\DRAJV.ZEL"), std::string::npos);
  ASSERT_EQ(script->records().size(), 1u);
  EXPECT_EQ(script->records()[0].title, "ARHIVIRANO | IZVESTAJ");
  EXPECT_EQ(script->records()[0].text, "Sadrzaj arhive snimljen u fajl:\r\n" + report);
  EXPECT_EQ(platform::files::readWhole("C:\\opened.txt"), host.string());

  EXPECT_EQ(UNZIP_Spisak({"A.DBF"}, "C:\\X.ZIP", "C:\\ZELK-ARHIVA\\\\X.ZIP.TXT", "C:\\ZELK-ARHIVA\\"), 0);
  EXPECT_EQ(script->records()[1].title, "REARHIVIRANO | IZVESTAJ");
  EXPECT_TRUE(fs::exists(drive / "ZELK-ARHIVA" / "X.ZIP.TXT"));
}

TEST_F(ReportWriters, AnEditorThatCannotStartDoesNotStopTheRun) {
  setenv("ZELK_NOTEPAD", (drive / "no-such-editor").c_str(), 1);
  EXPECT_EQ(UNZIP_Spisak({}, "C:\\X.ZIP", "C:\\ZELK-ARHIVA\\R.TXT", "C:\\ZELK-ARHIVA"), 0);
  EXPECT_TRUE(fs::exists(drive / "ZELK-ARHIVA" / "R.TXT"));
}
