#pragma once
// Reads a ZIP container through minizip: its central directory when it is
// opened, each entry's data, raw, on request. minizip finds the end
// records and walks the directory; its open of an entry compares the local
// header's method, CRC, sizes and name length with the central record. We
// check what it leaves (see readEntry), inflate, and check CRC and sizes.
// Every check that fails gives a short English text naming the problem.
// Once open, the reader may be used from several threads at once.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host_files.h"
#include "zip_fields.h"

namespace ziplib {

struct Entry {
  std::string storedName;  // the name's bytes as stored
  std::string name;        // Windows-1252
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  DosDateTime when;
  std::optional<std::time_t> modified;  // from the extended timestamp
  std::uint32_t crc = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t size = 0;
  bool folder = false;
  // Where minizip finds the entry's central record again.
  std::uint64_t directoryPosition = 0, index = 0;
};

// The bytes of the container an entry occupies: its local header, data
// and data descriptor.
struct Span {
  std::uint64_t start = 0, end = 0;
};

class ContainerReader {
 public:
  using Sink = std::function<bool(const char*, std::size_t)>;

  // Throws ZipError (Read, or Damaged with the problem) when the file is
  // not a readable ZIP container.
  explicit ContainerReader(const std::filesystem::path& path);
  ~ContainerReader();
  ContainerReader(const ContainerReader&) = delete;
  ContainerReader& operator=(const ContainerReader&) = delete;

  const std::vector<Entry>& entries() const { return entries_; }

  // Reads the entry in full, hands its uncompressed bytes to the sink and
  // checks it: "" when all is well, the problem otherwise. A sink returning
  // false stops the reading with the problem "write failed".
  std::string readEntry(const Entry& e, const Sink& sink) const;

  // Where the entry lies, from its headers alone, without reading its data:
  // "" and the span, or the problem readEntry would give for the headers.
  std::string locateEntry(const Entry& e, Span& span) const;

 private:
  class Handle;
  std::unique_ptr<Handle> takeHandle() const;
  void giveBack(std::unique_ptr<Handle> h) const;
  void readDirectory(Handle& h);
  std::string openEntry(Handle& h, const Entry& e, Span& span) const;
  std::string checkLocalHeader(const Entry& e, std::uint64_t dataOffset, std::uint64_t extraSize, Span& span) const;
  bool isEmptyContainer(std::uint64_t fileSize) const;
  bool readAt(std::uint64_t offset, char* buf, std::size_t n) const;

  std::string path_;
  int fd_ = -1;  // for the checks minizip leaves to us
  std::uint64_t fileSize_ = 0;
  // minizip's handles are not shared between threads: each reading thread
  // takes one of its own and gives it back.
  mutable std::mutex handlesLock_;
  mutable std::vector<std::unique_ptr<Handle>> idle_;
  std::vector<Entry> entries_;
};

}  // namespace ziplib
