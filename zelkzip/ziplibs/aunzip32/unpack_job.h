#pragma once
// One unpacking job of aunzip32 (extract, list or test), as its exports
// describe it.
#include <string>

#include "aunzip32.h"

namespace aunzip32 {

enum class Mode { None, Extract, View, Test };

struct UnpackJob {
  AUNZIP_CALLBACK callback = nullptr;
  std::string archive;
  std::string include;
  bool restoreStructure = false;
  std::string target;
  Mode mode = Mode::None;
};

// Performs the job; an AUNZIP_ result code. Throws bad_alloc.
int runUnpackJob(const UnpackJob& job);

}  // namespace aunzip32
