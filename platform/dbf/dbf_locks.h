#pragma once
// The lock scheme of the tables. Every lock is an open-file-description
// lock (F_OFD_SETLK) taken without waiting, so it holds between processes
// and between two work areas of one process alike, and it goes away with
// the descriptor when a table is closed or its process dies.
//
// The locks lie on bytes far beyond any table's data (base 2^62), so they
// never touch what other programs read:
//
//   base + 0          open byte: read-locked by every shared open,
//                     write-locked by an exclusive one
//   base + 1          append byte: write-locked while a shared table grows
//   base + 2 + n - 1  record n (n >= 1), write-locked by a record lock
//   base + 2 ...      to the end of the offsets: write-locked by a table
//                     lock, so it conflicts with every record lock
#include <sys/types.h>

#include <cstdint>

namespace platform::dbf::locks {

inline constexpr off_t kBase = static_cast<off_t>(1) << 62;
inline constexpr off_t kOpenByte = kBase;
inline constexpr off_t kAppendByte = kBase + 1;
inline constexpr off_t kRecords = kBase + 2;

inline off_t recordByte(std::uint32_t recno) { return kRecords + static_cast<off_t>(recno) - 1; }

enum class Result { Placed, Busy, Failed };

// Places a lock on [start, start + length); length 0 runs to the end of the
// offsets. Busy when another descriptor holds a conflicting lock; Failed
// (errno set) when the system refused for another reason.
Result tryLock(int fd, off_t start, off_t length, bool exclusive);

// Releases whatever this descriptor holds on the range.
void unlock(int fd, off_t start, off_t length);

}  // namespace platform::dbf::locks
