#include "platform/ui/scripted_backend.h"

namespace platform::ui {

int ScriptedBackend::messageBox(const MessageBoxRequest& request) {
  // Only questions take a scripted answer; an OK box never eats one.
  int answer = request.defaultAnswer();
  if (request.buttons == kButtonsYesNo && !answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  record({"messagebox", request.title, request.text, request, answer});
  return answer;
}

void ScriptedBackend::alert(std::string_view text) {
  record({"alert", "", std::string(text), {}, kAnswerOk});
}

ScopedScriptedDialogs::ScopedScriptedDialogs() {
  auto b = std::make_unique<ScriptedBackend>();
  backend_ = b.get();
  previous_ = setDialogBackend(std::move(b));
}

ScopedScriptedDialogs::~ScopedScriptedDialogs() { setDialogBackend(std::move(previous_)); }

}  // namespace platform::ui
