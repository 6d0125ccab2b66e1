#pragma once
// Dialogs on a terminal: the title and the text printed as they stand (CR LF
// shown as line breaks), answers read as lines from standard input. y, yes,
// d, da answer Yes; n, no, ne answer No; an empty line or the end of input
// takes the default button.
#include <cstdio>
#include <istream>
#include <ostream>

#include "platform/ui/dialogs.h"

namespace platform::ui {

class TerminalBackend : public DialogBackend {
 public:
  TerminalBackend(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  TerminalBackend();  // standard input and output
  int messageBox(const MessageBoxRequest& request) override;
  void alert(std::string_view text) override;

  // A window prints its title and texts when it opens and a line when it
  // closes; buttons cannot be pressed on a terminal.
  std::unique_ptr<Window> createWindow(const WindowSpec& layout) override;
  Size desktopSize() override { return {1024, 768}; }
  std::unique_ptr<FocusHolder> focusHolder() override;
  // Any line typed counts as Enter.
  int waitForKey(double seconds) override;

 protected:
  void printBlock(std::string_view title, std::string_view text);
  friend class TerminalWindow;
  std::ostream& out() { return out_; }
  std::istream& in() { return in_; }

 private:
  std::istream& in_;
  std::ostream& out_;
};

}  // namespace platform::ui
