#pragma once
// Writes a ZIP container into a temporary file beside its final path and
// renames it into place only when it is complete and on disk. A writer
// destroyed before commit() removes its temporary file, so a failed job
// never leaves a partial container under the final name nor touches the
// file that stood there.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zip_records.h"

namespace ziplib {

struct EntryData {
  std::string name;  // Windows-1252, as the entry is to be named
  std::time_t modified = 0;
  std::uint16_t method = kMethodStored;
  std::uint32_t crc = 0;
  std::uint64_t size = 0;
  std::uint64_t compressedSize = 0;
};

class ContainerWriter {
 public:
  // The folder of finalPath must exist. Throws ZipError (Write).
  explicit ContainerWriter(std::filesystem::path finalPath);
  ~ContainerWriter();
  ContainerWriter(const ContainerWriter&) = delete;
  ContainerWriter& operator=(const ContainerWriter&) = delete;

  // An entry whose data (stored or deflated, as e.method says) is at hand.
  void addWhole(const EntryData& e, std::string_view data);

  // An entry deflated while it is read: read(buffer, size) gives the next
  // bytes, 0 at the end, and throws on an error. expectedSize is the size
  // the file had when it was listed; it decides the local header's layout.
  void addStreamed(const std::string& name, std::time_t modified, std::uint64_t expectedSize,
                   const std::function<std::size_t(char*, std::size_t)>& read);

  void commit();

  const std::filesystem::path& temporaryPath() const { return tempPath_; }
  // Writes ZIP64 records for every entry and the end, needed or not, so
  // that tests reach those paths with small containers.
  void forceZip64(bool on) { forceZip64_ = on; }

 private:
  struct Central {
    StoredName name;
    std::uint16_t method;
    DosDateTime when;
    std::time_t modified;
    std::uint32_t crc;
    std::uint64_t compressedSize, size, offset;
  };
  std::string localHeader(const Central& c, bool zip64) const;
  void writeCentralAndEnd();
  void append(std::string_view bytes);
  void flushBuffer();
  void writeAt(std::uint64_t offset, std::string_view bytes);

  std::filesystem::path finalPath_;
  std::filesystem::path tempPath_;
  int fd_ = -1;
  bool committed_ = false;
  bool forceZip64_ = false;
  std::string buffer_;
  std::uint64_t offset_ = 0;  // bytes of the container so far, buffered ones included
  std::vector<Central> entries_;
};

}  // namespace ziplib
