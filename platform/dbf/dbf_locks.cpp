#include "platform/dbf/dbf_locks.h"

#include <fcntl.h>

#include <cerrno>

namespace platform::dbf::locks {
namespace {

int setLock(int fd, short type, off_t start, off_t length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = start;
  fl.l_len = length;
  fl.l_pid = 0;  // required for OFD locks
  int r;
  do {
    r = ::fcntl(fd, F_OFD_SETLK, &fl);
  } while (r != 0 && errno == EINTR);
  return r;
}

}  // namespace

Result tryLock(int fd, off_t start, off_t length, bool exclusive) {
  if (setLock(fd, exclusive ? F_WRLCK : F_RDLCK, start, length) == 0) return Result::Placed;
  return (errno == EAGAIN || errno == EACCES) ? Result::Busy : Result::Failed;
}

void unlock(int fd, off_t start, off_t length) { setLock(fd, F_UNLCK, start, length); }

}  // namespace platform::dbf::locks
