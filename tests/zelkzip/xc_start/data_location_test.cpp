// DB_PUT on a program folder of the test's own (C:\PROG\ZELKZIP), with the
// server table checked byte by byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dbf/work_areas.h"
#include "platform/runtime/public_vars.h"
#include "platform/text/date_format.h"
#include "platform/text/xbase.h"
#include "platform/ui/scripted_backend.h"
#include "tests/support/dbf_bytes.h"
#include "tests/support/program_stop.h"
#include "tests/support/temp_drive.h"
#include "xc_lib/xc_start/data_location.h"

namespace dbf = platform::dbf;
namespace fs = std::filesystem;
using platform::runtime::kExitOrderlyStop;
using platform::runtime::kExitRuntimeError;
using platform::xbase::PadR;
using zelk_test::endStatus;
using zelk_test::kDidNotEnd;
using zelk_test::RawField;
using zelk_test::readDbf;

namespace {

const std::vector<RawField> kSixFields = {{"DB_ADRESA_", 'C', 140}, {"DB_FIRMA_", 'C', 2}, {"DB_GODINA_", 'C', 4},
                                          {"DB_NAZIV_", 'C', 25},   {"DB_OBJEKT_", 'C', 2}, {"DB_ZELK_", 'C', 2}};
const std::string kNaziv = "* ZELK Systems Software *";
const std::string kDefaultFolder = "C:\\PROG\\FIRME\\FIRMA-01\\2001";

// Field bytes of a record of the layout, each value cut or padded.
std::string serverRecord(const std::vector<RawField>& layout, const std::vector<std::string>& values) {
  std::string r;
  for (std::size_t i = 0; i < layout.size(); ++i)
    r += PadR(i < values.size() ? values[i] : "", static_cast<std::size_t>(layout[i].length));
  return r;
}

// Answers like the scripted backend, and runs a hook when a box of the
// given title shows: what may happen while the operator reads it.
class HookedDialogs : public platform::ui::ScriptedBackend {
 public:
  std::string title;
  std::function<void()> hook;
  int messageBox(const platform::ui::MessageBoxRequest& r) override {
    if (hook && r.title == title) hook();
    return ScriptedBackend::messageBox(r);
  }
};

class DataLocation : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(drive.host("PROG"));
    platform::dos::setProgramHostPathForTesting(drive.host("PROG/ZELKZIP").string());
    platform::runtime::clearPublics();
    auto b = std::make_unique<HookedDialogs>();
    dialogs = b.get();
    previous = platform::ui::setDialogBackend(std::move(b));
  }
  void TearDown() override { platform::ui::setDialogBackend(std::move(previous)); }

  int run() { return endStatus([] { DB_PUT(); }); }
  std::string pub(const char* name) { return platform::runtime::getPublic(name).value_or("<none>"); }
  std::vector<std::string> titles() {
    std::vector<std::string> t;
    for (const auto& r : dialogs->records()) t.push_back(r.title);
    return t;
  }
  void writeServer(const std::vector<RawField>& layout, const std::vector<std::vector<std::string>>& records) {
    std::vector<std::string> raw;
    for (const auto& r : records) raw.push_back(serverRecord(layout, r));
    drive.write("PROG/DBF/SERVER.DBF", zelk_test::dbfFile(layout, raw));
  }
  std::string server() { return drive.read("PROG/DBF/SERVER.DBF"); }
  void makeTree() {
    for (const char* f : {"PROG/DBF", "PROG/FIRME/FIRMA-01/2001", "PROG/TXT"}) fs::create_directories(drive.host(f));
  }

  testsupport::TempDrive drive;
  HookedDialogs* dialogs = nullptr;
  std::unique_ptr<platform::ui::DialogBackend> previous;
};

TEST_F(DataLocation, FreshProgramFolderIsLaidOutAndReset) {
  drive.write("Spomocna.dbf", "left over from an earlier run");
  const int area = 7;
  dbf::select(area);
  ASSERT_EQ(run(), kDidNotEnd);

  for (const char* f : {"PROG/DBF", "PROG/FIRME/FIRMA-01/2001", "PROG/TXT"})
    EXPECT_TRUE(fs::is_directory(drive.host(f))) << f;
  EXPECT_FALSE(fs::exists(drive.host("PROG/FIRME/FIRMA-01/2000")));
  EXPECT_FALSE(fs::exists(drive.host("Spomocna.dbf")));
  EXPECT_FALSE(fs::exists(drive.host("PROG/DBF/Spomocna.dbf")));
  EXPECT_FALSE(fs::exists(drive.host("server_stari.dbf")));

  ASSERT_EQ(titles(), std::vector<std::string>{"RESET PROGRAMA"});
  EXPECT_EQ(dialogs->records()[0].text,
            "Nemoguc pristup u DB\r\nNE postoji lokacija:\r\n \r\nC:\\PROG\\FIRME\\FIRMA-01\\2000\r\n \r\n"
            "DB se locira na:\r\n \r\nC:\\PROG\\FIRME\\FIRMA-01\\2001");
  EXPECT_EQ(dialogs->records()[0].request.buttons, platform::ui::kButtonsOk);

  const std::string b = server();
  auto t = readDbf(b);
  EXPECT_EQ(t.version, 3);
  EXPECT_EQ(t.headerLength, 32u + 6 * 32 + 1);
  EXPECT_EQ(t.recordLength, 176u);
  ASSERT_EQ(t.fields.size(), kSixFields.size());
  for (std::size_t i = 0; i < kSixFields.size(); ++i) {
    EXPECT_EQ(t.fields[i].name, kSixFields[i].name);
    EXPECT_EQ(t.fields[i].type, 'C');
    EXPECT_EQ(t.fields[i].length, kSixFields[i].length);
    EXPECT_EQ(t.fields[i].decimals, 0);
  }
  EXPECT_EQ(b[t.headerLength - 1], '\x0D');
  ASSERT_EQ(t.count, 1u);
  EXPECT_EQ(t.records[0], " " + serverRecord(kSixFields, {kDefaultFolder, "01", "2001", kNaziv, "01", ""}));
  EXPECT_EQ(b.size(), t.headerLength + 176 + 1);
  EXPECT_EQ(b.back(), '\x1A');

  EXPECT_EQ(pub("ST_adresa"), "C:\\PROG");
  EXPECT_EQ(pub("FI_adresa"), kDefaultFolder);
  EXPECT_EQ(pub("DB_adresa"), kDefaultFolder);
  EXPECT_STREQ(zelk_public_get("DB_adresa"), kDefaultFolder.c_str()) << "outside code reads it too";
  EXPECT_EQ(pub("TX_adresa"), "C:\\PROG\\TXT");
  // Read before the reset, from the default record.
  EXPECT_EQ(pub("DB_firma"), "01");
  EXPECT_EQ(pub("DB_naziv"), kNaziv);
  EXPECT_EQ(pub("DB_godina"), "2001");
  EXPECT_EQ(pub("DB_objekt"), "01");

  EXPECT_EQ(platform::text::formatDate(2001, 3, 5), "05.03.2001");
  EXPECT_EQ(dbf::defaultFolder(), kDefaultFolder);
  EXPECT_EQ(dbf::searchPath(), kDefaultFolder);
  EXPECT_EQ(dbf::currentArea(), area);
  EXPECT_FALSE(dbf::selectAlias("SERVER")) << "the server table is closed";
}

TEST_F(DataLocation, SecondStartShowsNothingAndKeepsTheTable) {
  ASSERT_EQ(run(), kDidNotEnd);
  const std::string first = server();
  dialogs->clear();
  platform::runtime::clearPublics();
  ASSERT_EQ(run(), kDidNotEnd);
  EXPECT_TRUE(dialogs->records().empty());
  EXPECT_EQ(server(), first);
  EXPECT_FALSE(fs::exists(drive.host("server_stari.dbf")));
  EXPECT_EQ(pub("DB_adresa"), kDefaultFolder);
}

// What the first record holds and what DB_PUT makes of it, when the stored
// folder needs no reset.
struct StoredCase {
  const char* label;
  std::vector<std::vector<std::string>> records;
  std::string adresa, firma, naziv, godina, objekt;
};

const StoredCase kStoredCases[] = {
    {"existing_folder_and_numbers_read_leniently",
     {{"  C:\\PROG\\FIRME\\FIRMA-07\\2003  ", "7 ", "01", "  Firma  d.o.o. ", "AB", "ZZ"}, {"C:\\IGNORED"}},
     "C:\\PROG\\FIRME\\FIRMA-07\\2003", "07", "Firma  d.o.o.", "0001", "00"},
    {"blank_folder_means_the_default", {{"", "03", "2005", "Treca", "02"}}, kDefaultFolder, "03", "Treca", "2005", "02"},
    {"no_records_read_as_blank_fields", {}, kDefaultFolder, "00", "", "0000", "00"},
};

class StoredLocation : public DataLocation, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredLocation, IsPublishedWithoutMessageOrRewrite) {
  const StoredCase& c = GetParam();
  makeTree();
  fs::create_directories(drive.host("PROG/FIRME/FIRMA-07/2003"));
  writeServer(kSixFields, c.records);
  const std::string before = server();
  ASSERT_EQ(run(), kDidNotEnd);
  EXPECT_TRUE(dialogs->records().empty());
  EXPECT_EQ(server(), before);
  EXPECT_EQ(pub("DB_adresa"), c.adresa);
  EXPECT_EQ(pub("DB_firma"), c.firma);
  EXPECT_EQ(pub("DB_naziv"), c.naziv);
  EXPECT_EQ(pub("DB_godina"), c.godina);
  EXPECT_EQ(pub("DB_objekt"), c.objekt);
  EXPECT_EQ(dbf::defaultFolder(), c.adresa);
}

INSTANTIATE_TEST_SUITE_P(Records, StoredLocation, ::testing::ValuesIn(kStoredCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(DataLocation, FolderOnAnUnreadyDriveIsReset) {
  makeTree();
  writeServer(kSixFields, {{"Q:\\DATA\\FIRMA-05\\2004", "05", "2004", "Stara firma", "03", "ZZ"}});
  ASSERT_EQ(run(), kDidNotEnd);
  ASSERT_EQ(titles(), std::vector<std::string>{"RESET PROGRAMA"});
  EXPECT_NE(dialogs->records()[0].text.find("\r\nQ:\\DATA\\FIRMA-05\\2004\r\n"), std::string::npos);
  auto t = readDbf(server());
  ASSERT_EQ(t.count, 1u);
  EXPECT_EQ(t.records[0], " " + serverRecord(kSixFields, {kDefaultFolder, "01", "2001", kNaziv, "01", "ZZ"}))
      << "DB_ZELK_ keeps its value";
  EXPECT_EQ(pub("DB_adresa"), kDefaultFolder);
  // The other values stay as read before the reset.
  EXPECT_EQ(pub("DB_firma"), "05");
  EXPECT_EQ(pub("DB_naziv"), "Stara firma");
  EXPECT_EQ(pub("DB_godina"), "2004");
  EXPECT_EQ(pub("DB_objekt"), "03");
}

TEST_F(DataLocation, FiveFieldTableIsUpgradedOnce) {
  makeTree();
  fs::create_directories(drive.host("PROG/FIRME/FIRMA-02/2002"));
  // An older layout: no DB_ZELK_, and a shorter folder field.
  const std::vector<RawField> old = {{"DB_ADRESA_", 'C', 100}, {"DB_FIRMA_", 'C', 2}, {"DB_GODINA_", 'C', 4},
                                     {"DB_NAZIV_", 'C', 25},   {"DB_OBJEKT_", 'C', 2}};
  writeServer(old, {{"C:\\PROG\\FIRME\\FIRMA-02\\2002", "02", "2002", "Druga firma", "04"}, {"C:\\X", "09"}});
  const std::string oldBytes = server();

  ASSERT_EQ(run(), kDidNotEnd);
  ASSERT_EQ(titles(), std::vector<std::string>{"SERVIS"});
  EXPECT_EQ(dialogs->records()[0].text, "SERVER IZMENJEN");
  EXPECT_EQ(drive.read("server_stari.dbf"), oldBytes);
  EXPECT_FALSE(fs::exists(drive.host("Spomocna.dbf")));
  auto t = readDbf(server());
  EXPECT_EQ(t.fields.size(), 6u);
  EXPECT_EQ(t.recordLength, 176u);
  ASSERT_EQ(t.count, 2u) << "the default record is gone, both old ones came over";
  EXPECT_EQ(t.records[0],
            " " + serverRecord(kSixFields, {"C:\\PROG\\FIRME\\FIRMA-02\\2002", "02", "2002", "Druga firma", "04", ""}));
  EXPECT_EQ(t.records[1], " " + serverRecord(kSixFields, {"C:\\X", "09"}));
  EXPECT_EQ(pub("DB_adresa"), "C:\\PROG\\FIRME\\FIRMA-02\\2002");
  EXPECT_EQ(pub("DB_naziv"), "Druga firma");

  dialogs->clear();
  const std::string upgraded = server();
  ASSERT_EQ(run(), kDidNotEnd);
  EXPECT_TRUE(dialogs->records().empty());
  EXPECT_EQ(server(), upgraded);
}

TEST_F(DataLocation, FolderThatCannotBeMadeStopsTheProgram) {
  const struct {
    const char* label;
    const char* blocker;  // a plain file where a folder must go
    const char* folder;   // the folder named in the message
  } cases[] = {
      {"program folder not a folder", "PROG", "C:\\PROG\\DBF"},
      {"company root is a file", "PROG/FIRME", "C:\\PROG\\FIRME\\FIRMA-01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    fs::remove_all(drive.host("PROG"));
    if (std::string(c.blocker) != "PROG") fs::create_directory(drive.host("PROG"));
    drive.write(c.blocker, "not a folder");
    dialogs->clear();
    EXPECT_EQ(run(), kExitOrderlyStop);
    ASSERT_EQ(titles(), std::vector<std::string>{"STOP PROGRAMA"});
    EXPECT_EQ(dialogs->records()[0].text, std::string("Nemoguc pristup bazi podataka:\r\n") + c.folder);
    EXPECT_FALSE(fs::exists(drive.host("PROG/TXT"))) << "later folders are not tried";
  }
}

TEST_F(DataLocation, MissingHelpTextFolderIsReportedAndTheRunGoesOn) {
  // The folder goes away while the reset message is on screen.
  dialogs->title = "RESET PROGRAMA";
  dialogs->hook = [&] { fs::remove_all(drive.host("PROG/TXT")); };
  ASSERT_EQ(run(), kDidNotEnd);
  ASSERT_EQ(titles(), (std::vector<std::string>{"RESET PROGRAMA", "STOP PROGRAMA"}));
  EXPECT_EQ(dialogs->records()[1].text, "Nemoguc pristup tekstovima uputstva:\r\nC:\\PROG\\TXT");
  EXPECT_EQ(dbf::defaultFolder(), kDefaultFolder) << "the last step still ran";
}

TEST_F(DataLocation, ServerTableThatCannotBeOpenedGoesToTheErrorHandler) {
  ASSERT_EQ(run(), kDidNotEnd);
  const std::string before = server();

  // Held exclusively elsewhere (another work area holds as another process).
  dbf::select(5);
  ASSERT_TRUE(dbf::use("C:\\PROG\\DBF\\SERVER.DBF", dbf::kExclusive, "HELD"));
  dbf::select(1);
  dialogs->clear();
  EXPECT_EQ(run(), kExitRuntimeError);
  ASSERT_FALSE(dialogs->records().empty());
  EXPECT_NE(dialogs->records().back().text.find("C:\\PROG\\DBF\\SERVER.DBF"), std::string::npos);
  EXPECT_FALSE(fs::exists(drive.host("server_stari.dbf"))) << "a held table is not an old layout";
  dbf::closeAll();
  EXPECT_EQ(server(), before);

  // Not a readable table.
  drive.write("PROG/DBF/SERVER.DBF", "garbage");
  dialogs->clear();
  EXPECT_EQ(run(), kExitRuntimeError);
  ASSERT_FALSE(dialogs->records().empty());
  EXPECT_NE(dialogs->records().back().text.find("C:\\PROG\\DBF\\SERVER.DBF"), std::string::npos);
  EXPECT_EQ(server(), "garbage");
}

TEST_F(DataLocation, ProgramInADriveRoot) {
  platform::dos::setProgramHostPathForTesting(drive.host("ZELKZIP").string());
  EXPECT_EQ(Gde_Exe(), "C:");
  ASSERT_EQ(run(), kDidNotEnd);
  EXPECT_TRUE(fs::exists(drive.host("DBF/SERVER.DBF")));
  EXPECT_TRUE(fs::is_directory(drive.host("FIRME/FIRMA-01/2001")));
  EXPECT_TRUE(fs::is_directory(drive.host("TXT")));
  EXPECT_EQ(pub("ST_adresa"), "C:");
  EXPECT_EQ(pub("DB_adresa"), "C:\\FIRME\\FIRMA-01\\2001");
}

TEST_F(DataLocation, WhereTheProcessStands) {
  EXPECT_EQ(Gde_Sam(), "C:\\");
  fs::create_directories(drive.host("DATA/X"));
  fs::current_path(drive.host("DATA/X"));
  EXPECT_EQ(Gde_Sam(), "C:\\DATA\\X");
  EXPECT_EQ(Gde_Exe(), "C:\\PROG");
}

}  // namespace
