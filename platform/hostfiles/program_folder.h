#pragma once
// The folder of the running program, which stands for the module file name
// up to and including its last backslash: programs that keep their files
// next to themselves resolve them here, whatever the working directory.
#include <filesystem>

namespace platform::hostfiles {

// The folder holding the running executable, as an absolute host path.
// Falls back to the current working directory when the host cannot tell.
std::filesystem::path programFolder();

}  // namespace platform::hostfiles
