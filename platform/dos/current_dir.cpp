#include "platform/dos/current_dir.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/dos/dos_path.h"
#include "platform/dos/drive_table.h"

namespace fs = std::filesystem;

namespace platform::dos {
namespace {

std::string currentDos() {
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  if (ec) return "Z:\\";
  return hostToDos(cwd).value_or("Z:\\");
}

std::string& programOverride() {
  static std::string path;
  return path;
}

fs::path programHostPath() {
  if (!programOverride().empty()) return programOverride();
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path("/ZELKZIP") : exe;
}

}  // namespace

char currentDrive() { return currentDos()[0]; }

std::string currentFolder() { return currentDos().substr(3); }

int changeFolder(std::string_view dosPath) {
  auto host = toHost(dosPath);
  if (!host) return ENOENT;
  if (::chdir(host->c_str()) != 0) return errno;
  return 0;
}

std::string programFullPath() {
  return hostToDos(programHostPath()).value_or("Z:\\" + programFileName());
}

std::string programFileName() {
  return programHostPath().filename().string();
}

void setProgramHostPathForTesting(const std::string& hostPath) { programOverride() = hostPath; }

}  // namespace platform::dos
