#include <gtest/gtest.h>

#include "aunzip32.h"
#include "azip32.h"
#include "deflate_codec.h"
#include "largest_allocation.h"
#include "pack_job.h"
#include "support/zip_fixture.h"
#include "unpack_job.h"
#include "zip_bytes.h"
#include "zip_fields.h"
#include "zip_reader.h"
#include "zip_writer.h"

namespace fs = std::filesystem;
using ziptest::quoted;
using ziptest::readFile;
using ziptest::run;

namespace {

struct Message {
  int number;
  std::string text;
};
std::vector<Message> gMessages;
void collect(void*, int number, const char* text) { gMessages.push_back({number, text}); }

unsigned at16(const std::string& zip, std::size_t at) {
  return static_cast<unsigned char>(zip[at]) | static_cast<unsigned char>(zip[at + 1]) << 8;
}
void patch32(std::string& zip, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) zip[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
// A container of one entry, deflated unless told otherwise.
std::string oneEntryContainer(const fs::path& at, const std::string& data, bool deflate = true) {
  ziplib::ContainerWriter w(at);
  ziplib::EntryData e;
  e.name = "T.DBF";
  e.size = data.size();
  e.crc = ziplib::crc32Update(0, data.data(), data.size());
  const auto deflated = ziplib::deflateWhole(data);
  e.method = deflate && deflated ? ziplib::kMethodDeflated : ziplib::kMethodStored;
  w.addWhole(e, e.method == ziplib::kMethodDeflated ? *deflated : data);
  w.commit();
  return readFile(at);
}
// Where the local header and the central record keep the compressed and
// the uncompressed size.
constexpr std::size_t kLocalCompressed = 18, kLocalSize = 22, kCentralCompressed = 20, kCentralSize = 24;

// Containers put together field by field, of stored entries, for damage
// no writer makes: records placed at will.
struct Record {
  std::string name, data;
  std::uint32_t offset;  // of the local header the record names
};
void put16s(std::string& out, std::initializer_list<std::uint16_t> values) {
  for (std::uint16_t v : values) ziplib::put16(out, v);
}
std::string storedLocal(const std::string& name, const std::string& data) {
  std::string out;
  ziplib::put32(out, 0x04034b50);
  put16s(out, {20, 0, 0, 0, 0x21});  // version, flags, method, time, date
  ziplib::put32(out, ziplib::crc32Update(0, data.data(), data.size()));
  ziplib::put32(out, static_cast<std::uint32_t>(data.size()));
  ziplib::put32(out, static_cast<std::uint32_t>(data.size()));
  ziplib::put16(out, static_cast<std::uint16_t>(name.size()));
  ziplib::put16(out, 0);
  return out + name + data;
}
std::string withDirectory(const std::string& body, const std::vector<Record>& records) {
  std::string dir;
  for (const Record& r : records) {
    ziplib::put32(dir, 0x02014b50);
    put16s(dir, {20, 20, 0, 0, 0, 0x21});  // versions, flags, method, time, date
    ziplib::put32(dir, ziplib::crc32Update(0, r.data.data(), r.data.size()));
    ziplib::put32(dir, static_cast<std::uint32_t>(r.data.size()));
    ziplib::put32(dir, static_cast<std::uint32_t>(r.data.size()));
    put16s(dir, {static_cast<std::uint16_t>(r.name.size()), 0, 0, 0, 0});  // name, extra, comment, disk, internal
    ziplib::put32(dir, 0);  // external attributes
    ziplib::put32(dir, r.offset);
    dir += r.name;
  }
  std::string end;
  ziplib::put32(end, 0x06054b50);
  const auto count = static_cast<std::uint16_t>(records.size());
  put16s(end, {0, 0, count, count});
  ziplib::put32(end, static_cast<std::uint32_t>(dir.size()));
  ziplib::put32(end, static_cast<std::uint32_t>(body.size()));
  ziplib::put16(end, 0);
  return body + dir + end;
}

// The extra field of the container's first local header.
std::string_view firstLocalExtra(const std::string& zip) {
  return std::string_view(zip).substr(30 + at16(zip, 26), at16(zip, 28));
}

class JobsTest : public ::testing::Test {
 protected:
  int unpack(aunzip32::Mode mode, const std::string& archive, const std::string& target = "",
             const std::string& include = "*.*") {
    gMessages.clear();
    aunzip32::UnpackJob job;
    job.callback = collect;
    job.archive = archive;
    job.mode = mode;
    job.target = target;
    job.include = include;
    return aunzip32::runUnpackJob(job);
  }
  std::vector<std::string> texts(int number) const {
    std::vector<std::string> out;
    for (const auto& m : gMessages)
      if (m.number == number) out.push_back(m.text);
    return out;
  }
  // Files of a host folder, temporary ones included.
  static std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
      if (e.is_regular_file()) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  testsupport::TempDrive drive;
};

TEST_F(JobsTest, Zip64LocalHeadersAreWrittenAndReadBack) {
  ziptest::writeFile(drive / "D" / "A.DBF", ziptest::tableBytes(1, 500));
  std::string big;
  while (big.size() < (33u << 20)) big += ziptest::tableBytes(static_cast<int>(big.size()), 4000);
  ziptest::writeFile(drive / "D" / "BIG.DBF", big);
  azip32::PackJob job;
  job.archive = "C:\\Z64.ZIP";
  job.include = "C:\\D\\*.*|";
  job.forceZip64 = true;
  ASSERT_EQ(azip32::runPackJob(job), AZIP_OK);

  const std::string zip = readFile(drive / "Z64.ZIP");
  EXPECT_TRUE(ziplib::findExtra(firstLocalExtra(zip), ziplib::kExtraZip64));
  if (ziptest::haveTool("unzip")) {
    EXPECT_EQ(run("unzip -tq " + quoted(drive / "Z64.ZIP") + " >/dev/null"), 0);
  }
  EXPECT_EQ(unpack(aunzip32::Mode::Test, "C:\\Z64.ZIP"), AUNZIP_OK);
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(unpack(aunzip32::Mode::Extract, "C:\\Z64.ZIP", "C:\\OUT"), AUNZIP_OK);
  EXPECT_EQ(readFile(drive / "OUT" / "A.DBF"), ziptest::tableBytes(1, 500));
  EXPECT_TRUE(readFile(drive / "OUT" / "BIG.DBF") == big);
}

TEST_F(JobsTest, MoreThan65535EntriesNeedZip64AndGetIt) {
  {
    ziplib::ContainerWriter w(drive / "MANY.ZIP");
    ziplib::EntryData e;
    char name[16];
    for (int i = 0; i < 70000; ++i) {
      std::snprintf(name, sizeof name, "F%05d", i);
      e.name = name;
      w.addWhole(e, "");
    }
    w.commit();
  }
  EXPECT_NE(readFile(drive / "MANY.ZIP").find("PK\x06\x06"), std::string::npos);  // the ZIP64 end record
  ziplib::ContainerReader r(drive / "MANY.ZIP");
  EXPECT_EQ(r.entries().size(), 70000u);
  EXPECT_EQ(r.entries().back().name, "F69999");
  if (ziptest::haveTool("unzip")) {
    EXPECT_EQ(run("unzip -tq " + quoted(drive / "MANY.ZIP") + " >/dev/null"), 0);
  }
}

TEST_F(JobsTest, ExtractionWritesOnlySafeBareNamesInsideTheTarget) {
  {
    ziplib::ContainerWriter w(drive / "EVIL.ZIP");
    for (std::string name : {"../../ESCAPE.TXT", "..", ".", "", "C:EVIL.TXT", "DIR\\..", "SUB/OK.TXT",
                             "A|B.TXT", "WILD*.TXT", "DIR/"}) {
      ziplib::EntryData e;
      e.name = name;
      e.size = 4;
      e.crc = ziplib::crc32Update(0, "data", 4);
      w.addWhole(e, "data");
    }
    w.commit();
  }
  fs::create_directories(drive / "T");
  EXPECT_EQ(unpack(aunzip32::Mode::Extract, "C:\\EVIL.ZIP", "C:\\T"), AUNZIP_E_DAMAGED);
  EXPECT_EQ(filesIn(drive / "T"), (std::vector<std::string>{"ESCAPE.TXT", "OK.TXT"}));
  EXPECT_EQ(filesIn(drive.root()), std::vector<std::string>{"EVIL.ZIP"});
  EXPECT_EQ(texts(AUNZIP_MSG_ITEM), (std::vector<std::string>{"..\\..\\ESCAPE.TXT|C:\\T\\ESCAPE.TXT|",
                                                                "SUB\\OK.TXT|C:\\T\\OK.TXT|"}));
  EXPECT_EQ(texts(AUNZIP_MSG_PROBLEM).size(), 7u);  // all but the two files and the folder entry
}

// Names are the same file on Windows when they differ only in case or in
// trailing dots; one file must come out, the later entry's.
TEST_F(JobsTest, TheLaterOfTwoEntriesOfOneNameStands) {
  struct Case {
    const char* fault;
    std::string first, second;
  };
  const std::vector<Case> cases = {
      {"the same name", "X.TXT", "X.TXT"},
      // Each worker looked the name up before the earlier file was in
      // place: both were written, side by side.
      {"names differing in case", "x.txt", "X.TXT"},
      {"names beyond ASCII differing in case", "\xE8.TXT", "\xC8.TXT"},
      {"a name with a trailing dot", "Y.", "Y"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    ziptest::writeFile(drive / "TWO.ZIP", withDirectory(storedLocal(c.first, "first") + storedLocal(c.second, "second"),
                                                        {{c.first, "first", 0}, {c.second, "second", 35u + std::uint32_t(c.first.size())}}));
    fs::remove_all(drive / "OUT");
    EXPECT_EQ(unpack(aunzip32::Mode::Extract, "C:\\TWO.ZIP", "C:\\OUT"), AUNZIP_OK);
    const auto files = filesIn(drive / "OUT");
    ASSERT_EQ(files.size(), 1u) << ::testing::PrintToString(files);
    EXPECT_EQ(readFile(drive / "OUT" / files.back()), "second");
  }
}

TEST_F(JobsTest, ExtractionHonoursTheIncludePatterns) {
  ziptest::writeFile(drive / "D" / "A.DBF", "a");
  ziptest::writeFile(drive / "D" / "A.CDX", "x");
  azip32::PackJob job;
  job.archive = "C:\\T.ZIP";
  job.include = "C:\\D\\*.*|";
  ASSERT_EQ(azip32::runPackJob(job), AZIP_OK);
  EXPECT_EQ(unpack(aunzip32::Mode::Extract, "C:\\T.ZIP", "C:\\OUT", " *.DBF |"), AUNZIP_OK);
  EXPECT_EQ(filesIn(drive / "OUT"), std::vector<std::string>{"A.DBF"});
}

TEST_F(JobsTest, EntriesSharingTheirBytesAreDamage) {
  {
    ziplib::ContainerWriter w(drive / "TWICE.ZIP");
    ziplib::EntryData e;
    e.name = "X";
    e.size = 4;
    e.crc = ziplib::crc32Update(0, "same", 4);
    w.addWhole(e, "same");
    w.addWhole(e, "same");
    w.commit();
  }
  std::string zip = readFile(drive / "TWICE.ZIP");
  patch32(zip, zip.rfind("PK\x01\x02") + 42, 0);  // the second record points at the first entry
  ziptest::writeFile(drive / "TWICE.ZIP", zip);
  EXPECT_EQ(unpack(aunzip32::Mode::Test, "C:\\TWICE.ZIP"), AUNZIP_E_DAMAGED);
  EXPECT_EQ(texts(AUNZIP_MSG_ITEM), std::vector<std::string>{"X|entry overlaps another entry|"});
}

// Sizes are claimed in the local header and the central record alike, so
// that the entry opens; what the entry can really hold is far less.
TEST_F(JobsTest, HeadersClaimingHugeSizesAreNotAllocated) {
  constexpr std::uint32_t kHuge = (32u << 20) - 1;  // just within what is inflated whole in memory
  struct Case {
    const char* fault;
    bool deflated;
    std::vector<std::size_t> localFields, centralFields;
    std::string problem;
  };
  const std::vector<Case> cases = {
      // An inflated size no deflate stream of that length can give: the
      // output buffer was allocated at the claimed size.
      {"uncompressed size beyond the data's reach", true, {kLocalSize}, {kCentralSize},
       "data shorter than its recorded size"},
      // Compressed data running past the end of the file: the input buffer
      // was allocated at the claimed size.
      {"compressed size beyond the container's end", true, {kLocalCompressed}, {kCentralCompressed},
       "container truncated"},
      {"stored sizes beyond the container's end", false, {kLocalCompressed, kLocalSize},
       {kCentralCompressed, kCentralSize}, "container truncated"},
  };
  const std::string data = ziptest::tableBytes(7, 40);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    std::string zip = oneEntryContainer(drive / "HUGE.ZIP", data, c.deflated);
    for (std::size_t field : c.localFields) patch32(zip, zip.find("PK\x03\x04") + field, kHuge);
    for (std::size_t field : c.centralFields) patch32(zip, zip.rfind("PK\x01\x02") + field, kHuge);
    ziptest::writeFile(drive / "HUGE.ZIP", zip);

    ziptest::LargestAllocation largest;
    EXPECT_EQ(unpack(aunzip32::Mode::Test, "C:\\HUGE.ZIP"), AUNZIP_E_DAMAGED);
    EXPECT_EQ(texts(AUNZIP_MSG_ITEM), std::vector<std::string>{"T.DBF|" + c.problem + "|"});
    EXPECT_EQ(unpack(aunzip32::Mode::Extract, "C:\\HUGE.ZIP", "C:\\OUT"), AUNZIP_E_DAMAGED);
    EXPECT_TRUE(filesIn(drive / "OUT").empty());
    EXPECT_LT(largest.bytes(), 2u << 20);
  }
}

// Of entries sharing bytes the first stands; the others are problems, in
// test and extract mode alike, and are never read.
TEST_F(JobsTest, EntriesSharingTheirBytesAreFoundBeforeAnyIsRead) {
  struct Case {
    const char* fault;
    std::string zip;
    std::string written;                 // the one file extraction writes
    std::vector<std::string> overlapping;  // the entries found sharing bytes
  };
  const std::string data(1000, 'z');
  std::vector<Record> many(50, Record{"A", data, 0});
  const std::string x = storedLocal("X", "same"), y = storedLocal("Y", "more");
  const std::string outer = storedLocal("OUTER", x + y);
  const std::uint32_t inside = static_cast<std::uint32_t>(outer.size() - x.size() - y.size());
  const std::vector<Case> cases = {
      // A container that unpacks to far more than it holds: every record
      // was read, and extraction wrote the file fifty times.
      {"many records name one entry's data", withDirectory(storedLocal("A", data), many), "A",
       std::vector<std::string>(49, "A")},
      // Two entries inside a third but not inside each other: only
      // neighbours were compared, so the second went unseen.
      {"entries nested in another entry's data",
       withDirectory(outer, {{"OUTER", x + y, 0}, {"X", "same", inside}, {"Y", "more", inside + std::uint32_t(x.size())}}),
       "OUTER", {"X", "Y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    ziptest::writeFile(drive / "SHARED.ZIP", c.zip);
    std::vector<std::string> overlaps;
    for (const auto& name : c.overlapping) overlaps.push_back(name + "|entry overlaps another entry|");

    EXPECT_EQ(unpack(aunzip32::Mode::Test, "C:\\SHARED.ZIP"), AUNZIP_E_DAMAGED);
    EXPECT_EQ(texts(AUNZIP_MSG_ITEM), overlaps);
    fs::remove_all(drive / "OUT");
    EXPECT_EQ(unpack(aunzip32::Mode::Extract, "C:\\SHARED.ZIP", "C:\\OUT"), AUNZIP_E_DAMAGED);
    EXPECT_EQ(texts(AUNZIP_MSG_ITEM), std::vector<std::string>{c.written + "|C:\\OUT\\" + c.written + "|"});
    EXPECT_EQ(texts(AUNZIP_MSG_PROBLEM), overlaps);
    EXPECT_EQ(filesIn(drive / "OUT"), std::vector<std::string>{c.written});
  }
}

TEST_F(JobsTest, TheContainerIsNeverPackedIntoItselfAndLeavesNoTemporaryFile) {
  ziptest::writeFile(drive / "D" / "A.DBF", "a");
  azip32::PackJob job;
  job.archive = "C:\\D\\SELF.ZIP";
  job.include = "C:\\D\\*.*|";
  ASSERT_EQ(azip32::runPackJob(job), AZIP_OK);
  ASSERT_EQ(azip32::runPackJob(job), AZIP_OK);
  EXPECT_EQ(ziplib::ContainerReader(drive / "D" / "SELF.ZIP").entries().size(), 1u);
  EXPECT_EQ(filesIn(drive / "D"), (std::vector<std::string>{"A.DBF", "SELF.ZIP"}));
}

TEST_F(JobsTest, AFailedPackingLeavesTheEarlierContainerAlone) {
  ziptest::writeFile(drive / "D" / "A.DBF", "a");
  ziptest::writeFile(drive / "OLD.ZIP", "earlier");
  // A file that is listed but cannot be read: the process's memory file.
  drive.map('P', "/proc/self");
  azip32::PackJob job;
  job.archive = "C:\\OLD.ZIP";
  job.include = "C:\\D\\*.*|P:\\mem|";
  EXPECT_EQ(azip32::runPackJob(job), AZIP_E_READ);
  EXPECT_EQ(readFile(drive / "OLD.ZIP"), "earlier");
  EXPECT_EQ(filesIn(drive.root()), std::vector<std::string>{"OLD.ZIP"});

  ziptest::writeFile(drive / "FILE", "a file where a folder should be");
  job.archive = "C:\\FILE\\X.ZIP";
  job.include = "C:\\D\\*.*|";
  EXPECT_EQ(azip32::runPackJob(job), AZIP_E_WRITE);
}

}  // namespace
