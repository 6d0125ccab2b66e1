#pragma once
// The occurrence build done the slow, obvious way: each record steps from
// its base date one count at a time, and each occurrence is inserted into a
// linked list by walking it from the front. It makes the same decisions as
// BuildOccurrences (unusable repeats are one-time entries, no occurrence
// past 31 December 30827, day 0 never listed), so the two must agree on
// every input; the benchmark shows what the fast build saves.
#include "almanor/core/entries.h"
#include "almanor/core/occurrences.h"
#include "almanor/core/run_state.h"

namespace almanor::bench {

void LiteralBuildOccurrences(RunState& run, Entries& entries, Occurrences& occurrences);

}  // namespace almanor::bench
