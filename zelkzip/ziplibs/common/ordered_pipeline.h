#pragma once
// Work on the items of a job in parallel, results taken in item order.
//
// work(i) runs on up to `threads` worker threads; consume(i, result) runs on
// the calling thread, for i = 0, 1, 2, ... in order, so everything that must
// happen in order (writing the container, calling the caller's callback)
// happens there. Workers run ahead of the consumer by at most maxAhead
// items and, where cost(i) gives an item's size, by at most costBudget
// (one item is always allowed, whatever its cost). An exception in work or
// consume stops the job: the workers are joined and the exception goes to
// the caller. consume returning false stops the job quietly.
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace ziplib {

inline unsigned workerThreads() {
  unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : (n > 8 ? 8 : n);
}

template <typename Result>
void runOrdered(std::size_t count, unsigned threads, std::size_t maxAhead,
                const std::function<Result(std::size_t)>& work,
                const std::function<bool(std::size_t, Result&)>& consume,
                const std::function<std::uint64_t(std::size_t)>& cost = {},
                std::uint64_t costBudget = 0) {
  struct Slot {
    std::optional<Result> result;
    std::exception_ptr error;
  };
  std::vector<Slot> slots(count);
  std::mutex m;
  std::condition_variable ready;  // a result is in, or stop
  std::condition_variable room;   // the consumer moved on, or stop
  std::size_t next = 0, consumed = 0;
  std::uint64_t pending = 0;  // cost of items started and not yet consumed
  bool stop = false;
  auto itemCost = [&](std::size_t i) -> std::uint64_t { return cost ? cost(i) : 0; };

  auto worker = [&] {
    for (;;) {
      std::size_t i;
      {
        std::unique_lock lock(m);
        room.wait(lock, [&] {
          if (stop || next >= count) return true;
          if (next >= consumed + maxAhead) return false;
          return pending == 0 || !cost || pending + itemCost(next) <= costBudget;
        });
        if (stop || next >= count) return;
        i = next++;
        pending += itemCost(i);
      }
      Slot s;
      try {
        s.result.emplace(work(i));
      } catch (...) {
        s.error = std::current_exception();
      }
      {
        std::lock_guard lock(m);
        slots[i] = std::move(s);
      }
      ready.notify_all();
    }
  };

  if (threads == 0) threads = 1;
  if (maxAhead == 0) maxAhead = 1;
  std::vector<std::thread> pool;
  std::exception_ptr failure;
  try {
    for (unsigned t = 0; t < threads && t < count; ++t) pool.emplace_back(worker);
    for (std::size_t i = 0; i < count; ++i) {
      Slot s;
      {
        std::unique_lock lock(m);
        ready.wait(lock, [&] { return slots[i].result.has_value() || slots[i].error; });
        s = std::move(slots[i]);
      }
      if (s.error) std::rethrow_exception(s.error);
      bool go = consume(i, *s.result);
      {
        std::lock_guard lock(m);
        consumed = i + 1;
        pending -= itemCost(i);
        if (!go) stop = true;
      }
      room.notify_all();
      if (!go) break;
    }
  } catch (...) {
    failure = std::current_exception();
  }
  {
    std::lock_guard lock(m);
    stop = true;
  }
  room.notify_all();
  for (auto& t : pool) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace ziplib
