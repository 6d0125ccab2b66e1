#include "BAZNE.h"

#include "platform/dos/current_dir.h"
#include "platform/files/file_services.h"
#include "platform/runtime/public_vars.h"

#define BAZNE_EXPORT __attribute__((visibility("default")))

extern "C" BAZNE_EXPORT int BAZA(void) {
  try {
    const char* folder = zelk_public_get("DB_adresa");
    if (!folder || !*folder || !platform::files::exists(folder)) return 1;
    return platform::dos::changeFolder(folder) == 0 ? 0 : 1;
  } catch (...) {
    return 1;
  }
}
