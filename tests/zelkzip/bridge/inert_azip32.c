/* A packing library that accepts every call and writes nothing: what the
 * bridge must not take for a successful packing. */
#include "azip32.h"

#define INERT_EXPORT __attribute__((visibility("default")))

INERT_EXPORT int addZIP_Initialise(void) { return 0; }
INERT_EXPORT int addZIP_SetWindowHandle(void* window) { (void)window; return 0; }
INERT_EXPORT int addZIP_Recurse(int recurse) { (void)recurse; return 0; }
INERT_EXPORT int addZIP_SaveStructure(int saveStructure) { (void)saveStructure; return 0; }
INERT_EXPORT int addZIP_ArchiveName(const char* archive) { (void)archive; return 0; }
INERT_EXPORT int addZIP_Include(const char* patterns) { (void)patterns; return 0; }
INERT_EXPORT int addZIP(void) { return 0; }
