#pragma once
// Reproducible lists of records for the benchmark and the comparison of the
// fast and the literal build: the same seed gives the same list on every
// machine.
#include <cstdint>
#include <string>
#include <vector>

namespace almanor::bench {

// A small generator with a fixed algorithm (the standard distributions
// differ between libraries).
class SampleRandom {
 public:
  explicit SampleRandom(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}
  std::uint64_t next();
  // A number in [low, high].
  std::int64_t between(std::int64_t low, std::int64_t high);

 private:
  std::uint64_t state_;
};

// Records of a list as users keep them: one-time and repeating entries in
// every unit, base dates in the years around 2003, month ends and
// 29 February, some done marks.
std::vector<std::string> MixedRecords(std::size_t count, std::uint64_t seed);

// Records that also hold what users should not but may type into the file:
// invalid and unpadded dates, negative and huge counts, lower-case and
// unknown units, missing fields, stray spaces, base dates far from the
// window. Base dates far back come with counts large enough that stepping
// one count at a time stays cheap.
std::vector<std::string> AwkwardRecords(std::size_t count, SampleRandom& random);

}  // namespace almanor::bench
