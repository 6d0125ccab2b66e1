// ZELKZIP: archives a company's year of data in one run of modal dialogs.
#include "platform/runtime/program_end.h"
#include "platform/ui/qt/qt_backend.h"
#include "run/carhiva.h"

namespace {

// Runs before MAIN and makes no application window: every dialog of the
// program has the desktop as its parent.
void AppSys() {}

// The command line is never read: the run always asks for an archive.
void MAIN() { CARHIVA(std::nullopt, std::nullopt, std::nullopt, 1); }

}  // namespace

int main() {
  platform::ui::qt::installBackendFromEnvironment();
  return platform::runtime::runMain([] {
    AppSys();
    MAIN();
  });
}
