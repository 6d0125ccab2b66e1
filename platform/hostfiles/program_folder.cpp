#include "platform/hostfiles/program_folder.h"

#include <system_error>

namespace platform::hostfiles {

std::filesystem::path programFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && exe.has_parent_path()) return exe.parent_path();
  return std::filesystem::current_path(ec);
}

}  // namespace platform::hostfiles
