#pragma once
// A drive C: of a test's own: a fresh folder under ZELK_TEST_TMP, the process
// standing at its root, more drives mapped on request. Undone afterwards:
// drives, current folder, program path, open tables and the table engine's
// folders.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/dbf/work_areas.h"
#include "platform/dos/current_dir.h"
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
  // The folder is named after the running test (and the name given).
  explicit TempDrive(const std::string& name = "drive") {
    std::string test = "outside-test";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
      test = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : test)
      if (c == '/') c = '_';
    static int counter = 0;
    root_ = testTmpRoot() / (test + "-" + name + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    previous_ = std::filesystem::current_path();
    map('C', root_);
    std::filesystem::current_path(root_);
  }
  ~TempDrive() {
    platform::dbf::closeAll();
    platform::dbf::select(1);
    platform::dbf::setDefault("");
    platform::dbf::setPath("");
    platform::dos::setProgramHostPathForTesting("");
    std::filesystem::current_path(previous_);
    for (char d : mapped_) unsetenv((std::string("ZELK_DRIVE_") + d).c_str());
    platform::dos::reloadDriveTable();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  void map(char letter, const std::filesystem::path& host) {
    setenv((std::string("ZELK_DRIVE_") + letter).c_str(), host.c_str(), 1);
    mapped_ += letter;
    platform::dos::reloadDriveTable();
  }

  const std::filesystem::path& root() const { return root_; }
  // The host path of a path below the drive's root ("PROG/DBF/SERVER.DBF").
  std::filesystem::path host(const std::string& below) const { return root_ / below; }
  std::filesystem::path operator/(const std::string& below) const { return root_ / below; }

  std::string read(const std::string& below) const {
    std::ifstream in(host(below), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void write(const std::string& below, const std::string& bytes) const {
    std::filesystem::create_directories(host(below).parent_path());
    std::ofstream(host(below), std::ios::binary | std::ios::trunc) << bytes;
  }

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
  std::string mapped_;
};

}  // namespace testsupport
