#pragma once
// The largest single allocation through operator new since the guard was
// made: the jobs' buffers come from there, so a test can see that a header
// claiming a huge size did not make a job allocate it.
#include <cstddef>

namespace ziptest {

class LargestAllocation {
 public:
  LargestAllocation();
  std::size_t bytes() const;
};

}  // namespace ziptest
