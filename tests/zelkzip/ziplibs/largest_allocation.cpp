#include "largest_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> gLargest{0};
}

// Replaces the program's operator new (the array and nothrow forms come
// through it); workers allocate too, hence the atomic.
void* operator new(std::size_t n) {
  std::size_t seen = gLargest.load(std::memory_order_relaxed);
  while (n > seen && !gLargest.compare_exchange_weak(seen, n, std::memory_order_relaxed)) {
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace ziptest {

LargestAllocation::LargestAllocation() { gLargest.store(0); }
std::size_t LargestAllocation::bytes() const { return gLargest.load(); }

}  // namespace ziptest
