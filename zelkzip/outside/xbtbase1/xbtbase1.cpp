#include "XBTBase1.h"

#include <random>

#include "platform/files/file_services.h"

#define XBT_EXPORT __attribute__((visibility("default")))

extern "C" XBT_EXPORT int DIRMAKE(const char* dosPath) {
  if (!dosPath) return 22;  // EINVAL
  try {
    return platform::files::makeFolder(dosPath);
  } catch (...) {
    return 12;  // ENOMEM: nothing may cross the C boundary
  }
}

extern "C" XBT_EXPORT double RAND(void) {
  static std::mt19937_64 engine{std::random_device{}()};
  return std::generate_canonical<double, 53>(engine) * (1.0 - 1e-16);
}
