#pragma once
// A fresh host folder mapped as drive C (and optionally more drives) for the
// life of a test, with the process standing in it.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/dos/drive_table.h"

namespace testsupport {

inline std::filesystem::path testTmpRoot() {
  const char* t = std::getenv("ZELK_TEST_TMP");
  std::filesystem::path root = t && *t ? t : std::filesystem::temp_directory_path() / "zelk-tests";
  std::filesystem::create_directories(root);
  return root;
}

class TempDrive {
 public:
  explicit TempDrive(const std::string& name = "drive") {
    static int counter = 0;
    root_ = testTmpRoot() / (name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    oldCwd_ = std::filesystem::current_path();
    map('C', root_);
    std::filesystem::current_path(root_);
  }
  ~TempDrive() {
    std::filesystem::current_path(oldCwd_);
    for (char d : mapped_) unsetenv((std::string("ZELK_DRIVE_") + d).c_str());
    platform::dos::reloadDriveTable();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  void map(char letter, const std::filesystem::path& host) {
    setenv((std::string("ZELK_DRIVE_") + letter).c_str(), host.c_str(), 1);
    mapped_ += letter;
    platform::dos::reloadDriveTable();
  }
  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path operator/(const std::string& rel) const { return root_ / rel; }

 private:
  std::filesystem::path root_;
  std::filesystem::path oldCwd_;
  std::string mapped_;
};

}  // namespace testsupport
