#pragma once
// Extracting, listing and testing through the unpacking library aunzip32.
// All three go through one unpack run: the library's messages are written
// into a message file by UnZipCallBack and read back as records.
#include <string>
#include <variant>
#include <vector>

// Extracts every entry into cPath; the list of the files written (their
// full paths with lFullPath, else their bare names).
std::vector<std::string> UnZipFile(const std::string& cArcFile, const std::string& cPath = ".\\",
                                   bool lFullPath = false);

// With lFullPath false, one text per entry: its listing record after the
// last backslash. With lFullPath true, one list of fields per entry.
using ZipListing = std::variant<std::vector<std::string>, std::vector<std::vector<std::string>>>;
ZipListing ViewZip(const std::string& cArcFile, bool lFullPath = false);

// True when the library's test reported no problem.
bool TestUnZip(const std::string& cArcFile);
