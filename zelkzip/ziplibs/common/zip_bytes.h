#pragma once
// Little-endian fields of the extra fields and headers we build or check
// beside minizip, appended to or read from byte strings. The reader never
// reads past its end: a short record sets ok() false and gives zeros.
#include <cstdint>
#include <string>
#include <string_view>

namespace ziplib {

inline void put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
inline void put32(std::string& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}
inline void put64(std::string& out, std::uint64_t v) {
  put32(out, static_cast<std::uint32_t>(v & 0xFFFFFFFFu));
  put32(out, static_cast<std::uint32_t>(v >> 32));
}

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
  std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
  std::uint64_t u64() { return take(8); }
  std::string_view bytes(std::size_t n) {
    if (!ok_ || bytes_.size() - pos_ < n) { ok_ = false; return {}; }
    std::string_view v = bytes_.substr(pos_, n);
    pos_ += n;
    return v;
  }
  void skip(std::size_t n) { bytes(n); }
  bool ok() const { return ok_; }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return bytes_.size() - pos_; }

 private:
  std::uint64_t take(std::size_t n) {
    std::string_view v = bytes(n);
    std::uint64_t out = 0;
    for (std::size_t i = 0; i < v.size(); ++i) out |= static_cast<std::uint64_t>(static_cast<unsigned char>(v[i])) << (8 * i);
    return out;
  }
  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace ziplib
