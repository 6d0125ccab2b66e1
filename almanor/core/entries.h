#pragma once
// The in-memory list of records, one ";"-separated text per dated entry:
// base date "yyyy.MM.dd"; repeat count (0 once); repeat unit (Y, M, W or
// D); text; alert kind (0 silent, 1 beep, 2 sound); optional done date.
#include <cstddef>
#include <string>
#include <vector>

namespace almanor {

struct Entries {
  std::vector<std::string> records;  // in file order; new records go at the end
  // The record that editing operations act on. Meaningful only while it is
  // below records.size(); operations given an out-of-range index do nothing.
  std::size_t current = 0;
};

}  // namespace almanor
