#include "deflate_codec.h"

#include <libdeflate.h>
#include <zlib.h>

#include <vector>

namespace ziplib {
namespace {

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// One of each per thread: allocating a compressor costs more than a small
// entry's compression.
libdeflate_compressor* compressor() {
  thread_local std::unique_ptr<libdeflate_compressor, CompressorDeleter> c(libdeflate_alloc_compressor(kDeflateLevel));
  return c.get();
}
libdeflate_decompressor* decompressor() {
  thread_local std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> d(libdeflate_alloc_decompressor());
  return d.get();
}

constexpr std::size_t kStreamChunk = 256 * 1024;

}  // namespace

std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t size) {
  return libdeflate_crc32(crc, data, size);
}

std::optional<std::string> deflateWhole(std::string_view data) {
  if (data.empty()) return std::nullopt;
  libdeflate_compressor* c = compressor();
  if (!c) throw std::bad_alloc();
  // Room for one byte less than the data: output that does not fit is no gain.
  std::string out(data.size() - 1, '\0');
  if (out.empty()) return std::nullopt;
  std::size_t n = libdeflate_deflate_compress(c, data.data(), data.size(), out.data(), out.size());
  if (n == 0) return std::nullopt;
  out.resize(n);
  return out;
}

const char* inflateStatusText(InflateStatus s) {
  switch (s) {
    case InflateStatus::Ok: return "ok";
    case InflateStatus::Damaged: return "compressed data damaged";
    case InflateStatus::LongerThanDeclared: return "data longer than its recorded size";
    case InflateStatus::ShorterThanDeclared: return "data shorter than its recorded size";
    case InflateStatus::TrailingBytes: return "compressed size does not match the data";
  }
  return "compressed data damaged";
}

InflateStatus inflateWhole(std::string_view compressed, char* out, std::size_t outSize) {
  libdeflate_decompressor* d = decompressor();
  if (!d) throw std::bad_alloc();
  std::size_t inUsed = 0, outMade = 0;
  char spare;
  auto r = libdeflate_deflate_decompress_ex(d, compressed.data(), compressed.size(), outSize ? out : &spare, outSize,
                                            &inUsed, &outMade);
  if (r == LIBDEFLATE_INSUFFICIENT_SPACE) return InflateStatus::LongerThanDeclared;
  if (r != LIBDEFLATE_SUCCESS) return InflateStatus::Damaged;
  if (outMade != outSize) return InflateStatus::ShorterThanDeclared;
  if (inUsed != compressed.size()) return InflateStatus::TrailingBytes;
  return InflateStatus::Ok;
}

struct StreamDeflater::State {
  z_stream z{};
};

StreamDeflater::StreamDeflater() : s_(std::make_unique<State>()) {
  ok_ = deflateInit2(&s_->z, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
}
StreamDeflater::~StreamDeflater() {
  if (ok_) deflateEnd(&s_->z);
}

bool StreamDeflater::run(std::string_view input, int flush, std::string& out) {
  if (!ok_) return false;
  z_stream& z = s_->z;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  z.avail_in = static_cast<uInt>(input.size());
  char buf[kStreamChunk];
  for (;;) {
    z.next_out = reinterpret_cast<Bytef*>(buf);
    z.avail_out = sizeof buf;
    int r = deflate(&z, flush);
    if (r == Z_STREAM_ERROR) return false;
    out.append(buf, sizeof buf - z.avail_out);
    if (flush == Z_FINISH ? r == Z_STREAM_END : (z.avail_in == 0 && z.avail_out != 0)) return true;
  }
}

bool StreamDeflater::feed(std::string_view input, std::string& out) {
  // zlib counts input in uInt: feed large pieces in slices.
  while (input.size() > kStreamChunk * 64) {
    if (!run(input.substr(0, kStreamChunk * 64), Z_NO_FLUSH, out)) return false;
    input.remove_prefix(kStreamChunk * 64);
  }
  return run(input, Z_NO_FLUSH, out);
}

bool StreamDeflater::finish(std::string& out) { return run({}, Z_FINISH, out); }

struct StreamInflater::State {
  z_stream z{};
  std::vector<char> buf = std::vector<char>(kStreamChunk);
};

StreamInflater::StreamInflater() : s_(std::make_unique<State>()) {
  ok_ = inflateInit2(&s_->z, -MAX_WBITS) == Z_OK;
}
StreamInflater::~StreamInflater() {
  if (ok_) inflateEnd(&s_->z);
}

InflateStatus StreamInflater::feed(std::string_view input, const Sink& sink, bool& sinkFailed) {
  sinkFailed = false;
  if (!ok_) throw std::bad_alloc();
  if (finished_) return input.empty() ? InflateStatus::Ok : InflateStatus::TrailingBytes;
  z_stream& z = s_->z;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  z.avail_in = static_cast<uInt>(input.size());
  for (;;) {
    z.next_out = reinterpret_cast<Bytef*>(s_->buf.data());
    z.avail_out = static_cast<uInt>(s_->buf.size());
    int r = inflate(&z, Z_NO_FLUSH);
    std::size_t made = s_->buf.size() - z.avail_out;
    if (made && !sink(s_->buf.data(), made)) {
      sinkFailed = true;
      return InflateStatus::Ok;
    }
    if (r == Z_STREAM_END) {
      finished_ = true;
      return z.avail_in == 0 ? InflateStatus::Ok : InflateStatus::TrailingBytes;
    }
    if (r == Z_BUF_ERROR && z.avail_in == 0) return InflateStatus::Ok;  // wants more input
    if (r != Z_OK && r != Z_BUF_ERROR) return InflateStatus::Damaged;
    if (z.avail_in == 0 && z.avail_out != 0) return InflateStatus::Ok;
  }
}

}  // namespace ziplib
