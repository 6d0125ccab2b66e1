#pragma once
// Helpers of the compression tests: a drive C of their own with the test
// standing in it, small table-like files, and the Info-ZIP tools.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/temp_drive.h"

namespace ziptest {

namespace fs = std::filesystem;

inline void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Rows of a dBase-like table: fixed-width text and numbers, repetitive as
// real tables are, different for each seed.
inline std::string tableBytes(int seed, int rows) {
  std::string out = "\x03\x68\x01\x0F";
  out.resize(32, ' ');
  static const char* names[] = {"PETROVIC", "JOVANOVIC", "NIKOLIC", "MARKOVIC", "DJORDJEVIC", "STOJANOVIC"};
  unsigned x = 2166136261u ^ static_cast<unsigned>(seed);
  for (int r = 0; r < rows; ++r) {
    x = x * 1103515245u + 12345u;
    char row[96];
    std::snprintf(row, sizeof row, " %-20s%08u%12.2f20%02u%02u%02u%-30s", names[(x >> 8) % 6], r, (x % 100000) / 7.0,
                  (x >> 4) % 25, 1 + (x >> 12) % 12, 1 + (x >> 16) % 28, (x >> 3) % 3 ? "UPLATA" : "ISPLATA");
    out += row;
  }
  return out;
}

inline bool haveTool(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its exit status.
inline int run(const std::string& command) {
  int r = std::system(command.c_str());
  return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

inline std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// Message files the unpack runs left in a folder.
inline int messageFilesIn(const fs::path& folder) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.size() > 5 && name[0] == 'Z' && name.substr(name.size() - 4) == ".TMP") ++n;
  }
  return n;
}

}  // namespace ziptest

namespace ziptest {

// Sets an environment value for the life of the guard.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace ziptest
