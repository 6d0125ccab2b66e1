#pragma once
// Almanor's files live in the program's folder and are named as Windows
// names them: bare single-byte names, found without regard to case. This is
// the file layer every other part goes through, and the list file's load
// and save.
#include <cstddef>
#include <filesystem>
#include <string_view>

#include "almanor/core/entries.h"

namespace almanor {

inline constexpr std::string_view kListFileName = "Almanor.lst";
inline constexpr std::string_view kSettingsFileName = "Almanor.ini";

// The host path of a bare name in the program folder: the exact spelling,
// else a file whose name differs only in case, else the exact spelling (for
// a file about to be created).
std::filesystem::path ProgramFile(const std::filesystem::path& programFolder,
                                  std::string_view name);

// True when the name is a regular file of at least one byte in the program
// folder (a missing file, a folder or an empty file does not count).
bool ProgramFileExists(const std::filesystem::path& programFolder, std::string_view name);

// Appends the records of the list file to entries, skipping lines that are
// exactly empty (a line of spaces is a record). Returns the number appended;
// a missing, empty or unreadable file gives 0 and leaves entries as it was.
std::size_t LoadEntries(Entries& entries, const std::filesystem::path& programFolder);

// Writes every record, each followed by CR LF, as the new list file. The
// list goes to a new file beside the old one that is then renamed over it,
// so a failed save (full disk, no permission, crash) keeps the stored list.
// Returns true when the list file now holds entries.
bool SaveEntries(const Entries& entries, const std::filesystem::path& programFolder);

}  // namespace almanor
