// The exports of azip32: they record the job and hand it to runPackJob.
// Nothing is thrown across them.
#include "azip32.h"

#include <new>

#include "pack_job.h"

#define AZIP_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

azip32::PackJob gJob;
bool gStarted = false;
void* gWindow = nullptr;

template <typename Fn>
int guarded(Fn fn) noexcept {
  try {
    return fn();
  } catch (const std::bad_alloc&) {
    return AZIP_E_MEMORY;
  } catch (...) {
    return AZIP_E_INTERNAL;
  }
}

template <typename Fn>
int withJob(Fn fn) noexcept {
  if (!gStarted) return AZIP_E_ARGUMENT;
  return guarded(fn);
}

}  // namespace

AZIP_EXPORT int addZIP_Initialise(void) {
  return guarded([] {
    gJob = azip32::PackJob{};
    gWindow = nullptr;
    gStarted = true;
    return AZIP_OK;
  });
}

AZIP_EXPORT int addZIP_SetWindowHandle(void* window) {
  return withJob([&] {
    gWindow = window;
    return AZIP_OK;
  });
}

AZIP_EXPORT int addZIP_Recurse(int recurse) {
  return withJob([&] {
    gJob.recurse = recurse != 0;
    return recurse == 0 ? AZIP_OK : AZIP_E_UNSUPPORTED;
  });
}

AZIP_EXPORT int addZIP_SaveStructure(int saveStructure) {
  return withJob([&] {
    gJob.saveStructure = saveStructure != 0;
    return saveStructure == 0 ? AZIP_OK : AZIP_E_UNSUPPORTED;
  });
}

AZIP_EXPORT int addZIP_ArchiveName(const char* archive) {
  if (!archive) return AZIP_E_ARGUMENT;
  return withJob([&] {
    gJob.archive = archive;
    return AZIP_OK;
  });
}

AZIP_EXPORT int addZIP_Include(const char* patterns) {
  if (!patterns) return AZIP_E_ARGUMENT;
  return withJob([&] {
    gJob.include = patterns;
    return AZIP_OK;
  });
}

AZIP_EXPORT int addZIP(void) {
  return withJob([] { return azip32::runPackJob(gJob); });
}
