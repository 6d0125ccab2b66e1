#pragma once
// Deflate and CRC-32 for the entries. Entries up to kWholeEntryLimit are
// handled whole in memory by libdeflate, which is several times faster than
// zlib at the same level and compresses at least as well; larger entries
// are streamed through zlib so that memory stays bounded.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ziplib {

inline constexpr int kDeflateLevel = 6;
inline constexpr std::uint64_t kWholeEntryLimit = 32ull << 20;

std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t size);

// The raw deflate stream of the data, or nothing when it would not be
// smaller than the data (the entry is then stored).
std::optional<std::string> deflateWhole(std::string_view data);

enum class InflateStatus { Ok, Damaged, LongerThanDeclared, ShorterThanDeclared, TrailingBytes };
const char* inflateStatusText(InflateStatus s);

// Inflates a whole raw deflate stream into exactly outSize bytes.
InflateStatus inflateWhole(std::string_view compressed, char* out, std::size_t outSize);

// Raw deflate in pieces, for large entries.
class StreamDeflater {
 public:
  StreamDeflater();
  ~StreamDeflater();
  StreamDeflater(const StreamDeflater&) = delete;
  StreamDeflater& operator=(const StreamDeflater&) = delete;
  bool ok() const { return ok_; }
  // Appends the compressed output of the input to out.
  bool feed(std::string_view input, std::string& out);
  bool finish(std::string& out);

 private:
  bool run(std::string_view input, int flush, std::string& out);
  struct State;
  std::unique_ptr<State> s_;
  bool ok_ = false;
};

// Raw inflate in pieces: each piece of compressed input may produce output,
// handed to the sink as it comes.
class StreamInflater {
 public:
  using Sink = std::function<bool(const char*, std::size_t)>;
  StreamInflater();
  ~StreamInflater();
  StreamInflater(const StreamInflater&) = delete;
  StreamInflater& operator=(const StreamInflater&) = delete;
  // Damaged when the stream is bad, TrailingBytes when input follows its
  // end; Ok otherwise (the end may still be ahead: see finished()).
  InflateStatus feed(std::string_view input, const Sink& sink, bool& sinkFailed);
  bool finished() const { return finished_; }

 private:
  struct State;
  std::unique_ptr<State> s_;
  bool finished_ = false;
  bool ok_ = false;
};

}  // namespace ziplib
