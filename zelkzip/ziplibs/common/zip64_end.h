#pragma once
// minizip (1.1, as Debian ships it) writes ZIP64 end records only when the
// central directory lies beyond 4 GiB. With more than 65 534 entries below
// that it writes the count as 0xFFFF and nothing more, so that readers
// (Info-ZIP and minizip itself) see 65 535 entries. This adds the ZIP64
// end record and its locator that carry the true count.
#include <cstdint>

namespace ziplib {

// fd: the finished container, open for reading and writing; entries: how
// many it holds. Leaves a container that has its ZIP64 end records
// already as it is. False when the container's end is not as minizip
// writes it or cannot be rewritten.
bool addZip64EndRecords(int fd, std::uint64_t entries);

}  // namespace ziplib
