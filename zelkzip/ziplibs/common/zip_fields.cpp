#include "zip_fields.h"

#include <cstdio>

#include <zlib.h>

#include "platform/text/cp1252.h"
#include "zip_bytes.h"

namespace ziplib {

DosDateTime toDosDateTime(std::time_t t) {
  std::tm tm{};
  if (!localtime_r(&t, &tm) || tm.tm_year < 80) {
    tm = std::tm{};
    tm.tm_year = 80;
    tm.tm_mday = 1;
  }
  if (tm.tm_year > 207) {
    tm.tm_year = 207;
    tm.tm_mon = 11;
    tm.tm_mday = 31;
    tm.tm_hour = 23;
    tm.tm_min = 59;
    tm.tm_sec = 58;
  }
  DosDateTime dt;
  dt.date = static_cast<std::uint16_t>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
  dt.time = static_cast<std::uint16_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
  return dt;
}

std::time_t fromDosDateTime(DosDateTime dt) {
  std::tm tm{};
  tm.tm_year = 80 + (dt.date >> 9);
  tm.tm_mon = ((dt.date >> 5) & 0x0F) - 1;
  tm.tm_mday = dt.date & 0x1F;
  tm.tm_hour = dt.time >> 11;
  tm.tm_min = (dt.time >> 5) & 0x3F;
  tm.tm_sec = (dt.time & 0x1F) * 2;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

std::string dosDateText(DosDateTime dt) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02u.%02u.%04u", dt.date & 0x1Fu, (dt.date >> 5) & 0x0Fu, 1980u + (dt.date >> 9));
  return buf;
}

std::string dosTimeText(DosDateTime dt) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", dt.time >> 11, (dt.time >> 5) & 0x3Fu, (dt.time & 0x1Fu) * 2);
  return buf;
}

StoredName storeName(std::string_view cp1252) {
  for (unsigned char c : cp1252) {
    if (c >= 0x80) return {platform::text::cp1252ToUtf8(cp1252), true};
  }
  return {std::string(cp1252), false};
}

std::optional<std::string_view> findExtra(std::string_view extra, std::uint16_t tag) {
  ByteReader r(extra);
  while (r.remaining() >= 4) {
    std::uint16_t id = r.u16();
    std::uint16_t size = r.u16();
    std::string_view data = r.bytes(size);
    if (!r.ok()) return std::nullopt;
    if (id == tag) return data;
  }
  return std::nullopt;
}

std::string readName(std::string_view stored, bool utf8Flag, std::string_view extra) {
  if (utf8Flag) return platform::text::utf8ToCp1252(stored);
  // Version 1, the CRC of the stored bytes, then the UTF-8 name.
  if (auto up = findExtra(extra, kExtraUnicodePath); up && up->size() > 5 && (*up)[0] == 1) {
    ByteReader r(*up);
    r.skip(1);
    std::uint32_t crc = r.u32();
    const auto actual = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(stored.data()), static_cast<uInt>(stored.size())));
    if (crc == actual) return platform::text::utf8ToCp1252(up->substr(5));
  }
  return std::string(stored);
}

std::string unixTimeExtra(std::time_t t) {
  if (t < 0 || t > 0x7FFFFFFF) return "";
  std::string out;
  put16(out, kExtraUnixTime);
  put16(out, 5);
  out += static_cast<char>(1);  // modification time present
  put32(out, static_cast<std::uint32_t>(t));
  return out;
}

std::optional<std::time_t> readUnixTime(std::string_view extra) {
  auto data = findExtra(extra, kExtraUnixTime);
  if (!data || data->size() < 5 || ((*data)[0] & 1) == 0) return std::nullopt;
  ByteReader r(data->substr(1, 4));
  return static_cast<std::time_t>(static_cast<std::int32_t>(r.u32()));
}

}  // namespace ziplib
