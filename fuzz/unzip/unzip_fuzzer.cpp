// libFuzzer harness of the unpacking job: whatever the bytes, testing,
// listing and extracting them as a container must end without a crash,
// hang or leak, report every problem in a well-formed message, and write
// nothing but whole, safely named files inside the target folder.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "aunzip32.h"
#include "platform/dos/drive_table.h"
#include "platform/text/cp1252.h"
#include "unpack_job.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "unzip fuzzer: broken promise: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}
void require(bool ok, const std::string& what) {
  if (!ok) broken(what);
}

// The "|"-ended fields of a message text; the text must end with "|" and
// hold no line break.
std::vector<std::string> fieldsOf(const std::string& text) {
  require(!text.empty() && text.back() == '|', "message text not ended by \"|\": " + text);
  require(text.find_first_of("\r\n") == std::string::npos, "line break in a message text: " + text);
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t bar; (bar = text.find('|', from)) != std::string::npos; from = bar + 1)
    out.push_back(text.substr(from, bar - from));
  return out;
}

struct Message {
  int number;
  std::string text;
};
std::vector<Message> gMessages;
void collect(void* window, int number, const char* text) {
  require(window == nullptr, "callback given a window");
  require(text != nullptr, "callback given no text");
  gMessages.push_back({number, text});
}

// The fuzzer's own drive C: base/drive, so that anything written beside
// the drive's root is seen too.
struct Place {
  fs::path base, drive, container, out;
};
const Place& place() {
  static const Place p = [] {
    // tmpfs where there is one: extraction flushes every file to disk.
    // libFuzzer ends a timed run without exit handlers, so scripts/fuzz-unzip
    // gives a folder of its own that it removes afterwards.
    const char* given = std::getenv("UNZIP_FUZZ_TMP");
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = given && *given                  ? given
                          : fs::is_directory("/dev/shm") ? "/dev/shm"
                          : tmp && *tmp                  ? tmp
                                                         : "/tmp";
    pattern += "/unzip-fuzz.XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    require(::mkdtemp(buf.data()) != nullptr, "cannot make the fuzzer's folder");
    Place q;
    q.base = buf.data();
    q.drive = q.base / "drive";
    q.container = q.drive / "IN.ZIP";
    q.out = q.drive / "OUT";
    fs::create_directories(q.drive);
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(place().base, ec);
    });
    setenv("ZELK_DRIVE_C", q.drive.c_str(), 1);
    platform::dos::reloadDriveTable();
    return q;
  }();
  return p;
}

int unpack(aunzip32::Mode mode) {
  gMessages.clear();
  aunzip32::UnpackJob job;
  job.callback = collect;
  job.archive = "C:\\IN.ZIP";
  job.include = "*.*";
  job.target = "C:\\OUT";
  job.mode = mode;
  return aunzip32::runUnpackJob(job);
}

void checkResult(int result, const char* mode) {
  require(result == AUNZIP_OK || result == AUNZIP_E_DAMAGED || result == AUNZIP_E_WRITE,
          std::string(mode) + " ended with code " + std::to_string(result));
}

void checkTest() {
  const int result = unpack(aunzip32::Mode::Test);
  checkResult(result, "test");
  require(result != AUNZIP_E_WRITE, "test reported a write error");
  for (const Message& m : gMessages) {
    require(m.number == AUNZIP_MSG_ITEM, "test gave message " + std::to_string(m.number));
    const auto f = fieldsOf(m.text);
    require(f.size() == 2 && !f[1].empty(), "test problem without a text: " + m.text);
  }
  require((result == AUNZIP_OK) == gMessages.empty(), "test result and messages disagree");
}

void checkView() {
  const int result = unpack(aunzip32::Mode::View);
  checkResult(result, "list");
  for (const Message& m : gMessages) {
    const auto f = fieldsOf(m.text);
    if (m.number == AUNZIP_MSG_PROBLEM) {
      require(f.size() == 2 && !f[1].empty(), "list problem without a text: " + m.text);
      continue;
    }
    require(m.number == AUNZIP_MSG_FILE || m.number == AUNZIP_MSG_FOLDER,
            "list gave message " + std::to_string(m.number));
    require(f.size() >= 8, "list line with fewer than eight fields: " + m.text);
  }
  require(result == AUNZIP_OK || !gMessages.empty(), "list failed without a message");
}

void checkExtract() {
  const Place& p = place();
  std::error_code ec;
  fs::remove_all(p.out, ec);
  const int result = unpack(aunzip32::Mode::Extract);
  checkResult(result, "extract");

  std::set<std::string> written;  // bare names of the files reported written
  for (const Message& m : gMessages) {
    const auto f = fieldsOf(m.text);
    require(f.size() == 2 && !f[1].empty(), "extract message without a second field: " + m.text);
    if (m.number == AUNZIP_MSG_PROBLEM) continue;
    require(m.number == AUNZIP_MSG_ITEM, "extract gave message " + std::to_string(m.number));
    const std::string_view prefix = "C:\\OUT\\";
    require(f[1].rfind(prefix, 0) == 0 && f[1].find('\\', prefix.size()) == std::string::npos,
            "file written outside the target folder: " + f[1]);
    // As on Windows, trailing blanks and dots of a name do not count: "A."
    // is written as "A".
    std::string name = f[1].substr(prefix.size());
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    written.insert(name);
  }
  require(result == AUNZIP_OK || gMessages.size() > written.size(), "extract failed without a problem message");

  // Nothing beside the target folder, nothing but the reported files in it,
  // no two of them one file on Windows.
  std::vector<std::string> found;
  for (const auto& e : fs::recursive_directory_iterator(p.base)) {
    const fs::path& at = e.path();
    if (at == p.drive || at == p.container || at == p.out) continue;
    require(at.parent_path() == p.out, "written outside the target folder: " + at.string());
    require(e.is_regular_file() && !e.is_symlink(), "not a regular file in the target: " + at.string());
    const std::string name = at.filename().string();
    require(name.rfind(".~unzip.", 0) != 0, "temporary file left: " + name);
    // Messages show a name in Windows-1252, its controls as "_"; and names
    // are matched without regard to case: a later entry may replace an
    // earlier file of the same name in another case.
    std::string shown = platform::text::utf8ToCp1252(name);
    for (char& c : shown)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '|') c = '_';
    bool reported = false;
    for (const auto& w : written) reported = reported || platform::text::equalNoCase(w, shown);
    require(reported, "file in the target that no message reports: " + name);
    for (const auto& f : found) require(!platform::text::equalNoCase(f, shown), "two files of one name: " + name);
    found.push_back(shown);
  }
  fs::remove_all(p.out, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Place& p = place();
  {
    std::ofstream f(p.container, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    require(f.good(), "cannot write the container");
  }
  checkTest();
  checkView();
  checkExtract();
  return 0;
}
