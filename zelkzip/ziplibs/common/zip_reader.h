#pragma once
// Reads a ZIP container: the end records and the central directory when it
// is opened, each entry's local header and data on request. Every check
// that fails gives a short English text naming the problem. The reader may
// be used from several threads at once once it is open.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "zip_records.h"

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
  std::uint64_t localOffset = 0;
  bool folder = false;
};

// Where an entry's data lies, as its local header says, and the first
// disagreement of the local header (and data descriptor) with the central
// directory, if any.
struct LocatedEntry {
  std::uint64_t dataOffset = 0;
  std::uint64_t end = 0;  // past the data and its descriptor
  std::string problem;
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
  std::uint64_t centralDirectoryOffset() const { return cdOffset_; }

  LocatedEntry locate(const Entry& e) const;

  // Reads the entry's data in full, hands the uncompressed bytes to the
  // sink and checks method, sizes and CRC. "" when all is well; the
  // problem otherwise. A sink returning false stops the reading with the
  // problem "write failed".
  std::string readData(const Entry& e, std::uint64_t dataOffset, const Sink& sink) const;

 private:
  void readEnd();
  void readCentralDirectory();
  bool readAt(std::uint64_t offset, char* buf, std::size_t n) const;

  int fd_ = -1;
  std::uint64_t fileSize_ = 0;
  std::uint64_t count_ = 0;
  std::uint64_t cdOffset_ = 0;
  std::uint64_t cdSize_ = 0;
  std::vector<Entry> entries_;
};

}  // namespace ziplib
