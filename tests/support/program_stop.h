#pragma once
// Observing how a piece of a program ends: an orderly stop and the general
// error handler both unwind as platform::runtime::ProgramEnd.
#include "platform/runtime/program_end.h"

namespace zelk_test {

inline constexpr int kDidNotEnd = -1;

// The exit status the program ended with inside f, or kDidNotEnd.
template <class F>
int endStatus(F&& f) {
  try {
    f();
  } catch (const platform::runtime::ProgramEnd& end) {
    return end.status;
  }
  return kDidNotEnd;
}

}  // namespace zelk_test
