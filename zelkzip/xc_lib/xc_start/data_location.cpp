#include "xc_lib/xc_start/data_location.h"

#include "platform/dos/current_dir.h"
#include "platform/text/xbase.h"

using namespace platform::xbase;

std::string Gde_Exe() {
  const std::string full = AllTrim(platform::dos::programFullPath());
  const std::string name = AllTrim(platform::dos::programFileName());
  if (full.size() < name.size() + 1) return "";
  return Left(full, full.size() - name.size() - 1);
}

std::string Gde_Sam() {
  return AllTrim(std::string(1, platform::dos::currentDrive()) + ":\\" + platform::dos::currentFolder());
}

// Not yet: the folder tree and the server table come next. Until then the
// run takes its defaults from wherever the process stands.
void DB_PUT() {}
