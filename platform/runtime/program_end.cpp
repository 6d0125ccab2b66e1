#include "platform/runtime/program_end.h"

#include <exception>
#include <new>
#include <string>

#include "platform/ui/dialogs.h"

namespace platform::runtime {

void endProgram(int status) { throw ProgramEnd{status}; }

void runtimeError(std::string_view what, std::string_view where) {
  std::string text = "Greska: ";
  text += what;
  if (!where.empty()) {
    text += "\r\nMesto: ";
    text += where;
  }
  text += "\r\nProgram se prekida.";
  try {
    ui::messageBox(text, "GRESKA PROGRAMA", ui::kButtonsOk | ui::kIconStop | ui::kForeground);
  } catch (...) {
    // The stop must happen even when the message cannot be shown.
  }
  endProgram(kExitRuntimeError);
}

int runMain(const std::function<void()>& entry) {
  try {
    try {
      entry();
      return kExitNormal;
    } catch (const ProgramEnd&) {
      throw;
    } catch (const std::bad_alloc&) {
      runtimeError("nema dovoljno memorije (out of memory)", "");
    } catch (const std::exception& e) {
      runtimeError(e.what(), "");
    }
  } catch (const ProgramEnd& end) {
    return end.status;
  }
  return kExitRuntimeError;
}

}  // namespace platform::runtime
