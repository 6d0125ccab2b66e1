#pragma once
// A dialog backend for tests: it records every dialog in order and answers
// from a queue (questions only; an OK box takes none); with the queue empty
// it takes the default button.
#include <deque>
#include <string>
#include <vector>

#include "platform/ui/dialogs.h"

namespace platform::ui {

struct DialogRecord {
  std::string kind;   // "messagebox", "alert", ...
  std::string title;
  std::string text;
  MessageBoxRequest request;  // for message boxes
  int answer = 0;
};

class ScriptedBackend : public DialogBackend {
 public:
  void queueAnswer(int answer) { answers_.push_back(answer); }
  const std::vector<DialogRecord>& records() const { return records_; }
  void clear() { records_.clear(); answers_.clear(); }

  int messageBox(const MessageBoxRequest& request) override;
  void alert(std::string_view text) override;

 protected:
  void record(DialogRecord r) { records_.push_back(std::move(r)); }

 private:
  std::deque<int> answers_;
  std::vector<DialogRecord> records_;
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
