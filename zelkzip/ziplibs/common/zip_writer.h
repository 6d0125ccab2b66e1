#pragma once
// Writes a ZIP container through minizip, from entries deflated elsewhere
// (raw writes: we hand over the deflated bytes, their size and CRC). The
// container goes to a temporary file beside its final path and is renamed
// into place only when it is complete and on disk. A writer destroyed
// before commit() removes its temporary file, so a failed job never leaves
// a partial container under the final name nor touches the file that
// stood there.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host_files.h"
#include "zip_fields.h"

namespace ziplib {

struct EntryData {
  std::string name;  // Windows-1252, as the entry is to be named
  std::time_t modified = 0;
  std::uint16_t method = kMethodStored;
  std::uint32_t crc = 0;
  std::uint64_t size = 0;
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
  // the file had when it was listed; it decides whether the local header
  // gets room for ZIP64 sizes.
  void addStreamed(const std::string& name, std::time_t modified, std::uint64_t expectedSize,
                   const std::function<std::size_t(char*, std::size_t)>& read);

  void commit();

  const std::filesystem::path& temporaryPath() const { return tempPath_; }
  // Gives every local header room for ZIP64 sizes, as an entry near 4 GiB
  // gets, so that tests reach that path with small files.
  void forceZip64(bool on) { forceZip64_ = on; }

 private:
  void open(const EntryData& e, bool zip64);
  void write(std::string_view bytes);
  void close(std::uint64_t size, std::uint32_t crc);
  [[noreturn]] void fail(const char* what, int minizipResult);

  std::filesystem::path finalPath_;
  std::filesystem::path tempPath_;
  std::unique_ptr<HostFiles> files_ = std::make_unique<HostFiles>();
  void* zip_ = nullptr;  // minizip's zipFile
  std::uint64_t entries_ = 0;
  bool committed_ = false;
  bool forceZip64_ = false;
};

}  // namespace ziplib
