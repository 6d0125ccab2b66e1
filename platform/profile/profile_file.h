#pragma once
// Profile (INI) files read and written by the rules of the Windows profile
// functions: "[section]" lines, each followed by "key=value" lines.
//
// - Sections and keys are found without regard to case (Windows-1252
//   letters included); the first matching section and key count.
// - Blanks (spaces, tabs) around section names, keys and values are ignored.
// - A value enclosed in matching quotes (" or ') is read without them.
// - Lines may end in CR LF, LF or CR; a line without '=' is no key.
// - Texts are single-byte and never converted.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform::profile {

// The value of key in section of the file. The default applies only when
// the file (or a file that cannot be read), the section or the key is
// absent; a key with an empty value reads as "". The result is cut to
// bufferSize - 1 characters, as a caller's buffer of that size holds it
// with its terminator; a bufferSize of 0 gives "".
std::string readString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view defaultValue,
                       std::size_t bufferSize);

// Sets key in section to value. An existing key line is replaced in place
// (keeping its line break); a missing key is added after the last non-blank
// line of its section; a missing section is added at the end of the file,
// and a missing file is created. Every other line stays byte for byte.
// The file is replaced through a new file beside it, so a failed write
// leaves the old file as it was. Returns true when the file was written;
// false when it could not be read or written (nothing changed then).
bool writeString(const std::filesystem::path& file, std::string_view section,
                 std::string_view key, std::string_view value);

}  // namespace platform::profile
