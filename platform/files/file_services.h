#pragma once
// File services through DOS paths, as the runtime's File(), FCreate(),
// FOpen(), FRead(), MemoRead() and friends offer them. Every path is a DOS
// path; host paths never reach the programs.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::files {

// The existence test: true when at least one file or folder matches. The
// last name may hold '*' and '?'.
bool exists(std::string_view dosPattern);

struct DirEntry {
  std::string name;       // bare name as the host spells it, Windows-1252
  std::string dosPath;    // full DOS path
  bool folder = false;
  std::uint64_t size = 0;
  std::time_t modified = 0;
};

// The entries of one folder that match the last name of the pattern, sorted
// by name. "." and ".." are never listed.
std::vector<DirEntry> find(std::string_view dosPattern);

enum class Access { Read, Write, ReadWrite };

// A file handle with the runtime's low-level semantics: every call reports
// failure through its result and leaves errno-style codes in lastError().
class File {
 public:
  File() = default;
  File(File&&) noexcept;
  File& operator=(File&&) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // Creates or truncates the file.
  static File create(std::string_view dosPath);
  // Creates the file only when no file of that name exists.
  static File createNew(std::string_view dosPath);
  static File open(std::string_view dosPath, Access access = Access::Read);

  bool isOpen() const { return fd_ >= 0; }
  int lastError() const { return error_; }

  // Bytes read or written, or -1.
  long read(char* buffer, long count);
  long write(std::string_view bytes);
  // Origin 0 start, 1 current, 2 end; the new offset or -1.
  long long seek(long long offset, int origin = 0);
  // Pushes the data to the device (fsync).
  bool flush();
  bool close();

 private:
  explicit File(int fd, int error) : fd_(fd), error_(error) {}
  int fd_ = -1;
  int error_ = 0;
};

// The whole content, or nothing when the file cannot be read.
std::optional<std::string> readWhole(std::string_view dosPath);

// Writes the whole content in place (create or truncate). 0 or the errno.
int writeWhole(std::string_view dosPath, std::string_view bytes);

// 0 or the errno.
int erase(std::string_view dosPath);
int renameFile(std::string_view fromDos, std::string_view toDos);
int copyFile(std::string_view fromDos, std::string_view toDos);

// Makes the folder's entries durable (a rename into it, a new file). 0 or
// the errno.
int flushFolder(std::string_view dosPath);

// One folder level; the parent must exist. 0 or the errno.
int makeFolder(std::string_view dosPath);

std::optional<std::time_t> modificationTime(std::string_view dosPath);

// What tells a file from another one that later took its name (a file
// replaced by a rename): device, inode, size and modification time.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileIdentity&) const = default;
};

// Nothing when no file or folder has that name.
std::optional<FileIdentity> identity(std::string_view dosPath);

}  // namespace platform::files
