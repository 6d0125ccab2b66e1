#pragma once
// The drive table maps DOS drive letters onto host folders.
//
//   C:  the home folder ($HOME)      Z:  the host root "/"
//   ZELK_DRIVE_<LETTER>=/host/folder sets or adds a drive; an empty value
//   removes it.
//
// A letter that is not mapped, or whose folder does not exist, is a drive
// that is not ready. The table is read from the environment on first use;
// reloadDriveTable() reads it again (tests change the environment).
#include <filesystem>
#include <optional>
#include <string>

namespace platform::dos {

// The host folder of a drive letter (either case), or nothing when unmapped.
std::optional<std::filesystem::path> driveRoot(char letter);

// True when the drive is mapped and its folder exists.
bool driveReady(char letter);

// The DOS name of an absolute host path, from the drive whose folder is the
// longest prefix of it ("C:\ZELK\DBF"); nothing when no drive covers it.
std::optional<std::string> hostToDos(const std::filesystem::path& host);

void reloadDriveTable();

}  // namespace platform::dos
