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

std::vector<std::string> ScriptedBackend::kinds() const {
  std::vector<std::string> out;
  for (const auto& r : records_) out.push_back(r.kind);
  return out;
}

namespace {
std::string captions(const WindowSpec& layout) {
  std::string body;
  for (const auto& e : layout.elements) {
    if (e.caption.empty()) continue;
    if (!body.empty()) body += "\n";
    body += e.caption;
  }
  return body;
}

class RecordedFocus : public FocusHolder {
 public:
  explicit RecordedFocus(std::function<void()> f) : f_(std::move(f)) {}
  void restore() override { f_(); }

 private:
  std::function<void()> f_;
};
}  // namespace

std::unique_ptr<Window> ScriptedBackend::createWindow(const WindowSpec& layout) {
  record({"window", layout.title, captions(layout), {}, 0});
  auto w = std::make_unique<ScriptedWindow>(*this, layout);
  open_ = w.get();
  return w;
}

std::unique_ptr<FocusHolder> ScriptedBackend::focusHolder() {
  return std::make_unique<RecordedFocus>([this] { record({"focus", "", "restored", {}, 0}); });
}

int ScriptedBackend::waitForKey(double) {
  if (keys_.empty()) return 0;
  int k = keys_.front();
  keys_.pop_front();
  return k;
}

ScriptedWindow::ScriptedWindow(ScriptedBackend& b, WindowSpec s)
    : layout(std::move(s)), enabled(layout.elements.size(), true), backend_(b),
      activate_(layout.elements.size()), keys_(layout.elements.size()) {}

ScriptedWindow::~ScriptedWindow() {
  backend_.record({"close", layout.title, captions(layout), {}, 0});
  if (backend_.open_ == this) backend_.open_ = nullptr;
}

void ScriptedWindow::setTitle(const std::string& title) {
  layout.title = title;
  backend_.record({"title", title, "", {}, 0});
}

void ScriptedWindow::setCaption(int element, const std::string& caption) {
  layout.elements.at(element).caption = caption;
  backend_.record({"caption", layout.title, caption, {}, 0});
}

void ScriptedWindow::setEnabled(int element, bool e) { enabled.at(element) = e; }

void ScriptedWindow::onActivate(int element, std::function<void()> handler) {
  activate_.at(element) = std::move(handler);
}

void ScriptedWindow::onKey(int element, std::function<void(int)> handler) { keys_.at(element) = std::move(handler); }

void ScriptedWindow::press(int element) {
  // A copy, since the handler may close (destroy) this window.
  if (enabled.at(element) && activate_.at(element)) {
    auto handler = activate_[element];
    handler();
  }
}

void ScriptedWindow::key(int element, int code) {
  if (enabled.at(element) && keys_.at(element)) {
    auto handler = keys_[element];
    handler(code);
  }
}

ScopedScriptedDialogs::ScopedScriptedDialogs() {
  auto b = std::make_unique<ScriptedBackend>();
  backend_ = b.get();
  previous_ = setDialogBackend(std::move(b));
}

ScopedScriptedDialogs::~ScopedScriptedDialogs() { setDialogBackend(std::move(previous_)); }

}  // namespace platform::ui
