// The exports of aunzip32: they record the job and hand it to
// runUnpackJob. Nothing is thrown across them.
#include "aunzip32.h"

#include <new>

#include "unpack_job.h"

#define AUNZIP_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

aunzip32::UnpackJob gJob;
bool gStarted = false;

template <typename Fn>
int guarded(Fn fn) noexcept {
  if (!gStarted) return AUNZIP_E_ARGUMENT;
  try {
    return fn();
  } catch (const std::bad_alloc&) {
    return AUNZIP_E_MEMORY;
  } catch (...) {
    return AUNZIP_E_INTERNAL;
  }
}

}  // namespace

AUNZIP_EXPORT int addUNZIP_Initialise(void) {
  try {
    gJob = aunzip32::UnpackJob{};
  } catch (...) {
    return AUNZIP_E_MEMORY;
  }
  gStarted = true;
  return AUNZIP_OK;
}

AUNZIP_EXPORT int addUNZIP_InstallCallback(AUNZIP_CALLBACK callback) {
  return guarded([&] {
    gJob.callback = callback;
    return AUNZIP_OK;
  });
}

AUNZIP_EXPORT int addUNZIP_ArchiveName(const char* archive) {
  if (!archive) return AUNZIP_E_ARGUMENT;
  return guarded([&] {
    gJob.archive = archive;
    return AUNZIP_OK;
  });
}

AUNZIP_EXPORT int addUNZIP_Include(const char* patterns) {
  if (!patterns) return AUNZIP_E_ARGUMENT;
  return guarded([&] {
    gJob.include = patterns;
    return AUNZIP_OK;
  });
}

AUNZIP_EXPORT int addUNZIP_RestoreStructure(int restoreStructure) {
  return guarded([&] {
    gJob.restoreStructure = restoreStructure != 0;
    return restoreStructure == 0 ? AUNZIP_OK : AUNZIP_E_UNSUPPORTED;
  });
}

AUNZIP_EXPORT int addUNZIP_ExtractTo(const char* folder) {
  if (!folder) return AUNZIP_E_ARGUMENT;
  return guarded([&] {
    gJob.target = folder;
    gJob.mode = aunzip32::Mode::Extract;
    return AUNZIP_OK;
  });
}

AUNZIP_EXPORT int addUNZIP_View(void) {
  return guarded([] {
    gJob.mode = aunzip32::Mode::View;
    return AUNZIP_OK;
  });
}

AUNZIP_EXPORT int addUNZIP_Test(void) {
  return guarded([] {
    gJob.mode = aunzip32::Mode::Test;
    return AUNZIP_OK;
  });
}

AUNZIP_EXPORT int addUNZIP(void) {
  return guarded([] { return aunzip32::runUnpackJob(gJob); });
}
