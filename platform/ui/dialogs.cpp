#include "platform/ui/dialogs.h"

#include "platform/ui/terminal_backend.h"

namespace platform::ui {
namespace {

std::unique_ptr<DialogBackend>& slot() {
  static std::unique_ptr<DialogBackend> backend;
  return backend;
}

}  // namespace

MessageBoxRequest MessageBoxRequest::fromStyle(std::string_view text, std::string_view title, int style) {
  MessageBoxRequest r;
  r.text = std::string(text);
  r.title = std::string(title);
  r.buttons = style & 0x0F;
  r.icon = style & 0xF0;
  r.defaultButton = style & 0xF00;
  r.foreground = (style & kForeground) != 0;
  return r;
}

int MessageBoxRequest::defaultAnswer() const {
  if (buttons == kButtonsYesNo) return defaultButton == kDefaultButton2 ? kAnswerNo : kAnswerYes;
  return kAnswerOk;
}

DialogBackend& dialogs() {
  auto& b = slot();
  if (!b) b = std::make_unique<TerminalBackend>();
  return *b;
}

std::unique_ptr<DialogBackend> setDialogBackend(std::unique_ptr<DialogBackend> backend) {
  auto previous = std::move(slot());
  slot() = std::move(backend);
  return previous;
}

int messageBox(std::string_view text, std::string_view title, int style) {
  return dialogs().messageBox(MessageBoxRequest::fromStyle(text, title, style));
}

}  // namespace platform::ui
