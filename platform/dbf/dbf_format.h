#pragma once
// The dBase III file layout, as pure functions on bytes (no files, no
// state), so the rules of the format are in one place and testable alone.
//
//   0      version byte (0x03; 0x83 when a memo file belongs to the table)
//   1..3   date of the last update: year - 1900, month, day
//   4..7   record count, little-endian
//   8..9   header length in bytes (32 + 32 per field + 1), little-endian
//   10..11 record length (1 for the deletion flag + all field lengths)
//   12..31 reserved, zero
//   32..   one 32-byte descriptor per field: name (11 bytes, NUL padded),
//          type, 4 reserved, length, decimals, 14 reserved
//   then   0x0D ends the descriptors
//   records, each a flag (' ' live, '*' deleted) and the field bytes
//   0x1A   end-of-file mark after the last record
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/field_types.h"

namespace platform::dbf::format {

inline constexpr unsigned char kVersion = 0x03;
inline constexpr char kTerminator = 0x0D;
inline constexpr char kEndOfFile = 0x1A;
inline constexpr std::size_t kPrefixSize = 32;
inline constexpr std::size_t kDescriptorSize = 32;

struct Header {
  unsigned char version = kVersion;
  Date updated;
  std::uint32_t recordCount = 0;
  std::uint16_t headerLength = 0;
  std::uint16_t recordLength = 0;
  std::vector<FieldDef> fields;
  std::vector<int> offsets;  // of each field within a record (after the flag)
};

// The first 32 bytes alone: enough to learn how long the header is.
// Nothing, with the reason in *why, when they cannot start a table.
std::optional<Header> parsePrefix(std::string_view bytes, std::string* why);

// The whole header (bytes holds at least headerLength bytes), checked
// against the size of the file it came from: every descriptor sane, the
// lengths adding up to the record length, the records inside the file.
std::optional<Header> parseHeader(std::string_view bytes, std::uint64_t fileSize, std::string* why);

// A new header for the fields (already checked with checkFields), with no
// records, dated today.
Header makeHeader(const std::vector<FieldDef>& fields);

// The header's bytes, terminator included.
std::string encodeHeader(const Header& header);

// Bytes 1..7 (the update date and the record count), rewritten whenever
// records are added or changed.
std::string encodeCountAndDate(const Header& header);

// Field definitions a new table can have: names of 1-10 letters, digits and
// '_' starting with a letter (upper-cased here) and not repeated; C 1..254,
// N 1..19 with decimals below length - 1, D 8, L 1. Nothing on success, the
// reason otherwise.
std::optional<std::string> checkFields(std::vector<FieldDef>& fields);

// A blank record: the live flag and blanks.
std::string blankRecord(const Header& header);

// Field bytes to a value and back. encode cuts or pads character text to
// the length, writes numbers right-aligned with the field's decimals (all
// '*' when too wide), dates as YYYYMMDD and logicals as T/F. A value of the
// wrong kind gives nothing.
Value decode(const FieldDef& field, std::string_view bytes);
std::optional<std::string> encode(const FieldDef& field, const Value& value);

// Today's local date.
Date today();

}  // namespace platform::dbf::format
