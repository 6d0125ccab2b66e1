#include "bap.h"

#include <array>
#include <mutex>
#include <utility>

#define BAP_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Slot {
  BA_ROUTINE routine = nullptr;
  void* context = nullptr;
};

std::mutex gMutex;
std::array<Slot, BA_SLOTS> gSlots;

// A C function has no room for the routine and its context, so each slot
// has a trampoline of its own that finds them by its number.
template <std::size_t I>
void trampoline(void* window, int message, const char* text) {
  Slot s;
  {
    std::lock_guard lock(gMutex);
    s = gSlots[I];
  }
  if (!s.routine) return;
  try {
    s.routine(s.context, window, message, text);
  } catch (...) {
  }
}

template <std::size_t... I>
constexpr std::array<BA_WINDOW_NUMBER_TEXT, BA_SLOTS> makeTrampolines(std::index_sequence<I...>) {
  return {&trampoline<I>...};
}
constexpr auto kTrampolines = makeTrampolines(std::make_index_sequence<BA_SLOTS>{});

}  // namespace

BAP_EXPORT BA_WINDOW_NUMBER_TEXT BACALLBACK(BA_ROUTINE routine, void* context, int form) {
  if (!routine || form != BA_FORM_WINDOW_NUMBER_TEXT) return nullptr;
  std::lock_guard lock(gMutex);
  for (std::size_t i = 0; i < gSlots.size(); ++i) {
    if (gSlots[i].routine) continue;
    gSlots[i] = {routine, context};
    return kTrampolines[i];
  }
  return nullptr;
}

BAP_EXPORT void BAFREECALLBACK(BA_WINDOW_NUMBER_TEXT callback) {
  if (!callback) return;
  std::lock_guard lock(gMutex);
  for (std::size_t i = 0; i < gSlots.size(); ++i)
    if (kTrampolines[i] == callback) gSlots[i] = Slot{};
}
