#pragma once
// The current drive and folder, as the runtime's CurDrive()/CurDir() report
// them, and the running program's own DOS path. The process's host working
// directory is the single source of truth; it is named through the drive
// table.
#include <string>
#include <string_view>

namespace platform::dos {

// "C"; the drive of the host working directory ('Z' covers any folder).
char currentDrive();

// The current folder of the current drive, without drive and without the
// leading backslash: "ZELK\FIRME\FIRMA-01\2001", or "" at the root.
std::string currentFolder();

// Changes the current drive and folder. 0 on success, otherwise the errno
// (ENOENT for a drive that is not ready).
int changeFolder(std::string_view dosPath);

// The running program's full DOS path and its bare file name:
// ("C:\ZELK\ZELKZIP", "ZELKZIP").
std::string programFullPath();
std::string programFileName();

// Tests stand a program in a folder of their own: the host path given here
// replaces the running executable's path (an empty path restores it).
void setProgramHostPathForTesting(const std::string& hostPath);

}  // namespace platform::dos
