#pragma once
// One packing job of azip32, as its exports describe it.
#include <string>

namespace azip32 {

struct PackJob {
  std::string archive;
  std::string include;
  bool recurse = false;
  bool saveStructure = false;
  bool forceZip64 = false;  // tests only: ZIP64 local headers even when not needed
};

// Performs the job; an AZIP_ result code. Throws bad_alloc.
int runPackJob(const PackJob& job);

}  // namespace azip32
