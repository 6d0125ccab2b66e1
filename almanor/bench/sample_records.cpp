#include "almanor/bench/sample_records.h"

#include <cstdio>

namespace almanor::bench {
namespace {

std::string date(std::int64_t year, std::int64_t month, std::int64_t day) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04lld.%02lld.%02lld", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day));
  return buffer;
}

std::string randomDate(SampleRandom& r, std::int64_t fromYear, std::int64_t toYear) {
  std::int64_t year = r.between(fromYear, toYear);
  std::int64_t month = r.between(1, 12);
  // Month ends and 29 February come up more often than by chance.
  switch (r.between(0, 5)) {
    case 0: return date(year, month, r.between(28, 31) > 30 && month != 2 ? 31 : 30);
    case 1: return date(year - year % 4, 2, 29);
    default: return date(year, month, r.between(1, 28));
  }
}

}  // namespace

std::uint64_t SampleRandom::next() {
  // SplitMix64.
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::int64_t SampleRandom::between(std::int64_t low, std::int64_t high) {
  return low + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(high - low + 1));
}

std::vector<std::string> MixedRecords(std::size_t count, std::uint64_t seed) {
  SampleRandom r(seed);
  static const char* kUnits[] = {"D", "W", "M", "Y"};
  std::vector<std::string> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string base = randomDate(r, 1990, 2006);
    std::string record;
    if (r.between(0, 3) == 0) {
      record = base + ";0;;One-time " + std::to_string(i) + ";" + std::to_string(r.between(0, 2));
    } else {
      const char* unit = kUnits[r.between(0, 3)];
      std::int64_t n = r.between(1, unit[0] == 'D' ? 30 : 6);
      record = base + ";" + std::to_string(n) + ";" + unit + ";Repeating " + std::to_string(i) +
               ";" + std::to_string(r.between(0, 2));
    }
    if (r.between(0, 9) == 0) record += ";" + randomDate(r, 2003, 2003);
    records.push_back(std::move(record));
  }
  return records;
}

std::vector<std::string> AwkwardRecords(std::size_t count, SampleRandom& r) {
  static const char* kUnits[] = {"D", "W", "M", "Y", "Days", "m", "y", "", "X", " M"};
  std::vector<std::string> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string base;
    std::int64_t n;
    switch (r.between(0, 9)) {
      case 0:  // far back: big counts keep the step count small
        base = randomDate(r, 1601, 1700);
        n = r.between(300, 4000);
        break;
      case 1:  // the last four-digit years
        base = randomDate(r, 9990, 9999);
        n = r.between(1, 40);
        break;
      case 2:  // invalid or unpadded
        base = r.between(0, 1) ? date(2003, r.between(0, 14), r.between(0, 33))
                               : "2003.7." + std::to_string(r.between(1, 9));
        n = r.between(0, 3);
        break;
      case 3:  // counts no editor makes
        base = randomDate(r, 1990, 2010);
        n = r.between(0, 1) ? -r.between(1, 5) : 2147483647;
        break;
      default:
        base = randomDate(r, 1980, 2030);
        n = r.between(0, 12);
        break;
    }
    std::string record = base + ";" + (r.between(0, 9) == 0 ? " " : "") + std::to_string(n) +
                         ";" + kUnits[r.between(0, 9)] + ";Text " + std::to_string(i);
    switch (r.between(0, 5)) {
      case 0: break;  // fewer than five fields
      case 1: record += ";"; break;
      default: record += ";" + std::to_string(r.between(0, 2)); break;
    }
    if (r.between(0, 2) == 0) {
      std::string mark = r.between(0, 3) ? randomDate(r, 2002, 2004) : "junk";
      record += r.between(0, 1) ? ";" + mark : "; " + mark + " ";
    }
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace almanor::bench
