#pragma once
// The parts of an entry's record that minizip takes or gives as they are
// and leaves to us: flags, the DOS date and time, how names are stored,
// and the extra fields we write or honour (the Unix modification time, the
// Unicode path).
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace ziplib {

inline constexpr std::uint16_t kFlagEncrypted = 1u << 0;
inline constexpr std::uint16_t kFlagDescriptor = 1u << 3;
inline constexpr std::uint16_t kFlagUtf8 = 1u << 11;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;

inline constexpr std::uint16_t kExtraZip64 = 0x0001;
inline constexpr std::uint16_t kExtraUnixTime = 0x5455;
inline constexpr std::uint16_t kExtraUnicodePath = 0x7075;

inline constexpr std::uint32_t kMax32 = 0xFFFFFFFFu;
inline constexpr std::uint16_t kMax16 = 0xFFFF;

struct DosDateTime {
  std::uint16_t time = 0;
  std::uint16_t date = 0;
};

// Local time as DOS keeps it, clamped to its range 1980-2107.
DosDateTime toDosDateTime(std::time_t t);
// The one 32-bit value minizip keeps both in: date high, time low.
inline unsigned long packDosDateTime(DosDateTime dt) { return (static_cast<unsigned long>(dt.date) << 16) | dt.time; }
inline DosDateTime unpackDosDateTime(unsigned long v) {
  return {static_cast<std::uint16_t>(v & 0xFFFF), static_cast<std::uint16_t>((v >> 16) & 0xFFFF)};
}
std::time_t fromDosDateTime(DosDateTime dt);
// "dd.mm.yyyy" and "hh:mm:ss".
std::string dosDateText(DosDateTime dt);
std::string dosTimeText(DosDateTime dt);

// How a Windows-1252 name is stored: bytes and whether it needs the UTF-8
// flag (only names beyond ASCII do).
struct StoredName {
  std::string bytes;
  bool utf8 = false;
};
StoredName storeName(std::string_view cp1252);

// The Windows-1252 name of a stored entry: UTF-8 when the flag says so or
// when a Unicode path extra field matches the stored bytes; otherwise the
// bytes as they are.
std::string readName(std::string_view stored, bool utf8Flag, std::string_view extra);

// The data of the first extra field with the given tag, if any.
std::optional<std::string_view> findExtra(std::string_view extra, std::uint16_t tag);

// Extended timestamp field carrying the modification time, or "" when the
// time does not fit its 32 bits.
std::string unixTimeExtra(std::time_t t);
std::optional<std::time_t> readUnixTime(std::string_view extra);

}  // namespace ziplib
