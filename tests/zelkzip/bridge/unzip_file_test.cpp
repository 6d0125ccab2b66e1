#include <gtest/gtest.h>

#include <regex>

#include "bridge/unzip_file.h"
#include "bridge/zip_file.h"
#include "bridge/zip_messages.h"
#include "platform/dos/current_dir.h"
#include "platform/text/cp1252.h"
#include "platform/ui/scripted_backend.h"
#include "support/zip_fixture.h"

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;
using ziptest::quoted;
using ziptest::readFile;
using ziptest::run;

namespace {

// "\x8EIRO.DBF": a Windows-1252 name beyond ASCII (Z with caron).
const std::string kAccented = "\x8EIRO.DBF";

std::size_t find(const std::string& zip, const std::string& what, std::size_t from = 0) {
  auto p = zip.find(what, from);
  EXPECT_NE(p, std::string::npos) << what;
  return p;
}

class UnZipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables = {{"A.DBF", ziptest::tableBytes(1, 2000)},
              {"B.DBF", ziptest::tableBytes(2, 50)},
              {"EMPTY.DBF", ""},
              {kAccented, ziptest::tableBytes(3, 10)}};
    for (const auto& [name, bytes] : tables) ziptest::writeFile(drive / "DATA" / hostName(name), bytes);
  }
  static std::string hostName(const std::string& cp1252) { return platform::text::cp1252ToUtf8(cp1252); }
  Texts names(const std::string& container) { return std::get<Texts>(ViewZip(container)); }

  testsupport::TempDrive drive;
  platform::ui::ScopedScriptedDialogs dialogs;
  std::map<std::string, std::string> tables;
};

TEST_F(UnZipTest, PackTestListAndExtractGiveBackTheSameFiles) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\*.*"), std::string("C:\\ARH\\T.ZIP")));
  EXPECT_TRUE(TestUnZip("C:\\ARH\\T.ZIP"));

  const auto listed = std::get<std::vector<Texts>>(ViewZip("C:\\ARH\\T.ZIP", true));
  ASSERT_EQ(listed.size(), tables.size());
  const std::regex date(R"(\d\d\.\d\d\.\d{4})"), clock(R"(\d\d:\d\d:\d\d)");
  for (const auto& f : listed) {
    ASSERT_GE(f.size(), 8u);
    ASSERT_TRUE(tables.count(f[2])) << f[2];
    EXPECT_EQ(f[0], f[2]);  // stored under its bare name
    EXPECT_EQ(std::stoull(f[3]), tables[f[2]].size());
    EXPECT_LE(std::stoull(f[4]), std::max<std::size_t>(tables[f[2]].size(), 1));
    EXPECT_TRUE(std::regex_match(f[6], date)) << f[6];
    EXPECT_TRUE(std::regex_match(f[7], clock)) << f[7];
  }
  // The big table is deflated well below its size.
  for (const auto& f : listed) {
    if (f[2] != "A.DBF") continue;
    EXPECT_EQ(f[1], "Deflated");
    EXPECT_GT(std::stoi(f[5]), 50);
  }

  // The entries after their last backslash still split into the fields.
  for (const auto& text : names("C:\\ARH\\T.ZIP")) EXPECT_GE(SplitZipMessage(text).size(), 8u) << text;

  const Texts written = UnZipFile("C:\\ARH\\T.ZIP", "C:\\BACK\\NEW");
  EXPECT_EQ(written.size(), tables.size());
  for (const auto& [name, bytes] : tables) {
    EXPECT_NE(std::find(written.begin(), written.end(), name), written.end()) << name;
    EXPECT_EQ(readFile(drive / "BACK" / "NEW" / hostName(name)), bytes) << name;
  }
  const Texts full = UnZipFile("C:\\ARH\\T.ZIP", "C:\\BACK\\NEW", true);
  EXPECT_NE(std::find(full.begin(), full.end(), "C:\\BACK\\NEW\\A.DBF"), full.end());

  EXPECT_TRUE(dialogs->records().empty());
  EXPECT_EQ(ziptest::messageFilesIn(drive.root()), 0);
}

TEST_F(UnZipTest, ExtractsIntoTheCurrentFolderByDefault) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\B.DBF"), std::string("C:\\B.ZIP")));
  ASSERT_EQ(platform::dos::changeFolder("C:\\DATA"), 0);
  fs::remove(drive / "DATA" / "B.DBF");
  EXPECT_EQ(UnZipFile("C:\\B.ZIP"), Texts{"B.DBF"});
  EXPECT_EQ(readFile(drive / "DATA" / "B.DBF"), tables["B.DBF"]);
  EXPECT_EQ(ziptest::messageFilesIn(drive / "DATA"), 0);
}

TEST_F(UnZipTest, OurContainersPassInfoZip) {
  if (!ziptest::haveTool("unzip")) GTEST_SKIP() << "Info-ZIP unzip is not installed";
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\*.*"), std::string("C:\\T.ZIP")));
  EXPECT_EQ(run("unzip -tq " + quoted(drive / "T.ZIP") + " >/dev/null"), 0);
  // Info-ZIP shows the Windows-1252 name as the character it is.
  EXPECT_EQ(run("unzip -Z1 " + quoted(drive / "T.ZIP") + " | grep -qx '" + hostName(kAccented) + "'"), 0);
  EXPECT_EQ(run("cd " + quoted(drive.root()) + " && unzip -qo T.ZIP -d x && cmp x/A.DBF DATA/A.DBF"), 0);
}

TEST_F(UnZipTest, InfoZipContainersAreListedTestedAndExtracted) {
  if (!ziptest::haveTool("zip")) GTEST_SKIP() << "Info-ZIP zip is not installed";
  const std::string data = quoted(drive / "DATA");
  fs::create_directories(drive / "DATA" / "SUB");
  ziptest::writeFile(drive / "DATA" / "SUB" / "S.DBF", ziptest::tableBytes(9, 40));
  // A plain one with a folder entry, one of a stream (ZIP64 layout, sizes
  // in the ZIP64 field), and one of a stream written to a pipe (sizes in a
  // data descriptor after the data).
  ASSERT_EQ(run("cd " + data + " && zip -q -6 -r ../IZ.ZIP A.DBF EMPTY.DBF SUB"), 0);
  ASSERT_EQ(run("cd " + data + " && cat A.DBF | zip -q - - > ../STREAM.ZIP"), 0);
  ASSERT_EQ(run("cd " + data + " && cat A.DBF | zip -q - - | cat > ../PIPED.ZIP"), 0);

  EXPECT_TRUE(TestUnZip("C:\\IZ.ZIP"));
  const auto listed = std::get<std::vector<Texts>>(ViewZip("C:\\IZ.ZIP", true));
  ASSERT_EQ(listed.size(), 4u);
  EXPECT_EQ(listed[2][0], "SUB\\");  // the folder entry, with backslashes
  EXPECT_EQ(listed[2][2], "SUB");
  EXPECT_EQ(listed[3][0], "SUB\\S.DBF");
  // After the last backslash the folder's record still has its fields.
  EXPECT_EQ(SplitZipMessage(names("C:\\IZ.ZIP")[2]).at(2), "SUB");

  EXPECT_EQ(UnZipFile("C:\\IZ.ZIP", "C:\\OUT"), (Texts{"A.DBF", "EMPTY.DBF", "S.DBF"}));
  EXPECT_EQ(readFile(drive / "OUT" / "S.DBF"), ziptest::tableBytes(9, 40));
  EXPECT_FALSE(fs::exists(drive / "OUT" / "SUB"));

  for (const char* name : {"STREAM", "PIPED"}) {
    const std::string container = std::string("C:\\") + name + ".ZIP";
    EXPECT_TRUE(TestUnZip(container)) << name;
    EXPECT_EQ(UnZipFile(container, std::string("C:\\OUT-") + name), Texts{"-"}) << name;
    EXPECT_EQ(readFile(drive / (std::string("OUT-") + name) / "-"), tables["A.DBF"]) << name;
  }
  // A data descriptor that disagrees with the central directory is damage.
  std::string piped = readFile(drive / "PIPED.ZIP");
  piped[find(piped, "PK\x07\x08") + 4] ^= 0x01;
  ziptest::writeFile(drive / "PIPED.ZIP", piped);
  EXPECT_FALSE(TestUnZip("C:\\PIPED.ZIP"));
}

TEST_F(UnZipTest, LargeEntriesAreStreamedBothWays) {
  // Above the size handled whole in memory.
  std::string big;
  while (big.size() < (33u << 20)) big += ziptest::tableBytes(static_cast<int>(big.size()), 4000);
  ziptest::writeFile(drive / "BIG" / "BIG.DBF", big);
  ASSERT_TRUE(ZipFile(std::string("C:\\BIG\\BIG.DBF"), std::string("C:\\BIG.ZIP")));
  EXPECT_TRUE(TestUnZip("C:\\BIG.ZIP"));
  EXPECT_EQ(UnZipFile("C:\\BIG.ZIP", "C:\\OUT"), Texts{"BIG.DBF"});
  EXPECT_TRUE(readFile(drive / "OUT" / "BIG.DBF") == big);
  if (ziptest::haveTool("unzip")) {
    EXPECT_EQ(run("unzip -tq " + quoted(drive / "BIG.ZIP") + " >/dev/null"), 0);
  }
}

// ---- damage -----------------------------------------------------------------

struct Damage {
  const char* what;
  std::function<void(std::string&)> apply;
};

class DamageTest : public UnZipTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamageTest, FailsTheTestAndWritesNothingDamaged) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\*.*"), std::string("C:\\T.ZIP")));
  ASSERT_TRUE(TestUnZip("C:\\T.ZIP"));
  std::string zip = readFile(drive / "T.ZIP");
  GetParam().apply(zip);
  ziptest::writeFile(drive / "T.ZIP", zip);

  EXPECT_FALSE(TestUnZip("C:\\T.ZIP")) << GetParam().what;
  const Texts written = UnZipFile("C:\\T.ZIP", "C:\\OUT");
  for (const auto& name : written) EXPECT_EQ(readFile(drive / "OUT" / hostName(name)), tables[name]) << name;
  EXPECT_LT(written.size(), tables.size());
  EXPECT_EQ(ziptest::messageFilesIn(drive.root()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamageTest,
    ::testing::Values(
        Damage{"a flipped byte in deflated data",
               [](std::string& z) { z[find(z, "A.DBF") + 5 + 36 + 200] ^= 0x55; }},
        Damage{"a flipped byte in stored data (the CRC catches it)",
               [](std::string& z) { z[find(z, "B.DBF") + 5 + 36 + 40] ^= 0x01; }},
        Damage{"truncated", [](std::string& z) { z.resize(z.size() / 2); }},
        Damage{"cut just before the end record", [](std::string& z) { z.resize(z.size() - 22); }},
        Damage{"a text file", [](std::string& z) { z = "Ovo nije ZIP kontejner.\r\n"; }},
        Damage{"an empty file", [](std::string& z) { z.clear(); }},
        Damage{"a central name that differs from its local header",
               [](std::string& z) { z[find(z, "B.DBF", z.find("PK\x01\x02"))] = 'X'; }},
        Damage{"a central CRC that differs",
               [](std::string& z) { z[z.find("PK\x01\x02") + 16] ^= 0x01; }},
        Damage{"a damaged central directory signature",
               [](std::string& z) { z[z.rfind("PK\x01\x02") + 2] = 'x'; }},
        Damage{"a local header whose sizes differ",
               [](std::string& z) { z[z.find("PK\x03\x04") + 22] ^= 0x01; }}));

TEST_F(UnZipTest, AContainerThatIsNotThereIsNotSound) {
  EXPECT_FALSE(TestUnZip("C:\\NOWHERE.ZIP"));
  EXPECT_TRUE(names("C:\\NOWHERE.ZIP").empty());
  EXPECT_TRUE(UnZipFile("C:\\NOWHERE.ZIP", "C:\\OUT").empty());
}

// ---- the run cannot be made ------------------------------------------------

TEST_F(UnZipTest, AMissingLibraryIsReportedAndGivesNothing) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\*.*"), std::string("C:\\T.ZIP")));
  fs::create_directories(drive / "nolibs");
  ziptest::ScopedEnv libs("ZELK_LIBRARY_PATH", (drive / "nolibs").string());
  EXPECT_FALSE(TestUnZip("C:\\T.ZIP"));
  EXPECT_TRUE(names("C:\\T.ZIP").empty());
  EXPECT_TRUE(UnZipFile("C:\\T.ZIP", "C:\\OUT").empty());
  ASSERT_EQ(dialogs->records().size(), 3u);
  for (const auto& r : dialogs->records()) {
    EXPECT_EQ(r.text, "Could not find the addZip aunzip32.dll file!");
    EXPECT_EQ(r.title, "DLL missing");
  }
  EXPECT_EQ(ziptest::messageFilesIn(drive.root()), 0);
}

TEST_F(UnZipTest, NoMessageFileMeansNoVerdict) {
  ASSERT_TRUE(ZipFile(std::string("C:\\DATA\\*.*"), std::string("C:\\T.ZIP")));
  // Standing in a folder that no drive names, the message file has no place.
  const fs::path outside = drive.root().parent_path() / (drive.root().filename().string() + "-outside");
  fs::create_directories(outside);
  ziptest::ScopedEnv noZ("ZELK_DRIVE_Z", "");
  platform::dos::reloadDriveTable();
  fs::current_path(outside);
  EXPECT_FALSE(TestUnZip("C:\\T.ZIP"));
  EXPECT_TRUE(names("C:\\T.ZIP").empty());
  fs::current_path(drive.root());
  fs::remove_all(outside);
  EXPECT_TRUE(dialogs->records().empty());
}

}  // namespace
