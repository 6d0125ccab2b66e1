#pragma once
// A drive C: of a test's own: a fresh folder under ZELK_TEST_TMP named after
// the running test, the process standing at its root. Undone afterwards,
// with every table closed and the engine's folders cleared.
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

namespace zelk_test {

class TempDrive {
 public:
  TempDrive() {
    const char* base = std::getenv("ZELK_TEST_TMP");
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    root = std::filesystem::path(base ? base : "/tmp/zelk-test") / name;
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    previous_ = std::filesystem::current_path();
    setenv("ZELK_DRIVE_C", root.c_str(), 1);
    platform::dos::reloadDriveTable();
    std::filesystem::current_path(root);
  }
  ~TempDrive() {
    platform::dbf::closeAll();
    platform::dbf::select(1);
    platform::dbf::setDefault("");
    platform::dbf::setPath("");
    platform::dos::setProgramHostPathForTesting("");
    std::filesystem::current_path(previous_);
    unsetenv("ZELK_DRIVE_C");
    platform::dos::reloadDriveTable();
  }
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  // The host path of a path below the drive's root ("PROG/DBF/SERVER.DBF").
  std::filesystem::path host(const std::string& below) const { return root / below; }

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

  std::filesystem::path root;

 private:
  std::filesystem::path previous_;
};

}  // namespace zelk_test
