#pragma once
// minizip's file functions over host files. minizip is given the host path
// of a container; a container to be written is created exclusively, never
// over a file that is there, and one to be read must be a regular file.
#include <minizip/ioapi.h>

namespace ziplib {

class HostFiles {
 public:
  HostFiles();
  HostFiles(const HostFiles&) = delete;
  HostFiles& operator=(const HostFiles&) = delete;

  // For zipOpen2_64 and unzOpen2_64; this object must outlive the handle.
  zlib_filefunc64_def* functions() { return &functions_; }
  // errno of the first failure of a file function, 0 if none.
  int error() const { return error_; }

 private:
  static voidpf open(voidpf self, const void* path, int mode);
  static uLong read(voidpf self, voidpf stream, void* buf, uLong size);
  static uLong write(voidpf self, voidpf stream, const void* buf, uLong size);
  static ZPOS64_T tell(voidpf self, voidpf stream);
  static long seek(voidpf self, voidpf stream, ZPOS64_T offset, int origin);
  static int close(voidpf self, voidpf stream);
  static int testError(voidpf self, voidpf stream);
  void fail(int e) {
    if (error_ == 0) error_ = e;
  }

  zlib_filefunc64_def functions_{};
  int error_ = 0;
};

}  // namespace ziplib
