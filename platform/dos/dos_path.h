#pragma once
// DOS paths as the programs write them: "C:\FOLDER\FILE.EXT", case-
// insensitive, backslash-separated. A path may also be relative ("DBF\X",
// "\ROOT\X" on the current drive, "C:X" relative to the current folder of
// C:). Doubled backslashes count as one separator; blanks around the path
// and trailing blanks and dots of each name are ignored, as on Windows.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dos {

struct DosPath {
  char drive = 0;                     // upper-case letter
  std::vector<std::string> parts;     // folder and file names below the root
  std::string str() const;            // "C:\A\B", or "C:\" for the root
};

// Makes a relative name absolute against the current drive and folder and
// folds "." and ".." components. Nothing when the name has an invalid drive.
std::optional<DosPath> absolute(std::string_view dosPath);

// Resolves a DOS path to a host path. Existing components are matched
// without regard to case; components that do not exist are kept in the case
// given (so a file about to be created gets the caller's spelling). Nothing
// when the drive is not ready.
std::optional<std::filesystem::path> toHost(std::string_view dosPath);

// Splits at the last backslash (or the drive colon): ("C:\A", "B.TXT").
std::pair<std::string, std::string> splitLast(std::string_view dosPath);

}  // namespace platform::dos
