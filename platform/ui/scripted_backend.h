#pragma once
// A dialog backend for tests: it records every dialog in order and answers
// from a queue (questions only; an OK box takes none); with the queue empty
// it takes the default button.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/dialogs.h"

namespace platform::ui {

struct DialogRecord {
  std::string kind;   // "messagebox", "alert", "window", "title", "caption", "close", "focus"
  std::string title;
  std::string text;
  MessageBoxRequest request;  // for message boxes
  int answer = 0;
};

class ScriptedWindow;

class ScriptedBackend : public DialogBackend {
 public:
  void queueAnswer(int answer) { answers_.push_back(answer); }
  void queueKey(int key) { keys_.push_back(key); }
  const std::vector<DialogRecord>& records() const { return records_; }
  void clear() { records_.clear(); answers_.clear(); keys_.clear(); }
  // The kinds of the records in order, for checking a dialog sequence.
  std::vector<std::string> kinds() const;

  // The window opened last while it is open, else nullptr.
  ScriptedWindow* openWindow() const { return open_; }
  Size desktop{1024, 768};

  int messageBox(const MessageBoxRequest& request) override;
  void alert(std::string_view text) override;
  std::unique_ptr<Window> createWindow(const WindowSpec& layout) override;
  Size desktopSize() override { return desktop; }
  std::unique_ptr<FocusHolder> focusHolder() override;
  int waitForKey(double seconds) override;

 private:
  friend class ScriptedWindow;
  void record(DialogRecord r) { records_.push_back(std::move(r)); }
  std::deque<int> answers_;
  std::deque<int> keys_;
  std::vector<DialogRecord> records_;
  ScriptedWindow* open_ = nullptr;
};

// A window of the scripted backend: keeps its state for inspection and lets
// a test press its buttons and keys, which reach the handlers only while the
// element is enabled.
class ScriptedWindow : public Window {
 public:
  ScriptedWindow(ScriptedBackend& b, WindowSpec layout);
  ~ScriptedWindow() override;
  void setTitle(const std::string& title) override;
  void setCaption(int element, const std::string& caption) override;
  void setEnabled(int element, bool enabled) override;
  void setFocus(int element) override { focus = element; }
  void setModal(bool m) override { modal = m; }
  void onActivate(int element, std::function<void()> handler) override;
  void onKey(int element, std::function<void(int)> handler) override;

  void press(int element);
  void key(int element, int code);

  WindowSpec layout;  // with titles and captions as they stand now
  std::vector<bool> enabled;
  int focus = -1;
  bool modal = false;

 private:
  ScriptedBackend& backend_;
  std::vector<std::function<void()>> activate_;
  std::vector<std::function<void(int)>> keys_;
};

// Installs a scripted backend for the life of the guard and restores the one
// before it afterwards.
class ScopedScriptedDialogs {
 public:
  ScopedScriptedDialogs();
  ~ScopedScriptedDialogs();
  ScriptedBackend& operator*() { return *backend_; }
  ScriptedBackend* operator->() { return backend_; }

 private:
  ScriptedBackend* backend_;
  std::unique_ptr<DialogBackend> previous_;
};

}  // namespace platform::ui
