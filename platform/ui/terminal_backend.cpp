#include "platform/ui/terminal_backend.h"

#include <poll.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "platform/text/cp1252.h"

namespace platform::ui {
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string trimmed(const std::string& s) {
  auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// CR LF, and a lone CR or LF, end a line on the terminal.
std::string terminalLines(std::string_view cp1252) {
  std::string out;
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    char c = cp1252[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < cp1252.size() && cp1252[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return text::cp1252ToUtf8(out);
}

}  // namespace

TerminalBackend::TerminalBackend() : TerminalBackend(std::cin, std::cout) {}

void TerminalBackend::printBlock(std::string_view title, std::string_view body) {
  out_ << "=== " << terminalLines(title) << " ===\n" << terminalLines(body) << '\n';
}

int TerminalBackend::messageBox(const MessageBoxRequest& r) {
  printBlock(r.title, r.text);
  if (r.buttons != kButtonsYesNo) {
    out_ << "[OK] " << std::flush;
    std::string line;
    std::getline(in_, line);
    out_ << '\n';
    return kAnswerOk;
  }
  const bool defaultNo = r.defaultAnswer() == kAnswerNo;
  for (;;) {
    out_ << (defaultNo ? "[Da/NE] " : "[DA/Ne] ") << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      out_ << '\n';
      return r.defaultAnswer();
    }
    std::string a = lower(trimmed(line));
    if (a.empty()) return r.defaultAnswer();
    if (a == "y" || a == "yes" || a == "d" || a == "da") return kAnswerYes;
    if (a == "n" || a == "no" || a == "ne") return kAnswerNo;
    // Anything else asks again, as a box would stay until a button is pressed.
  }
}

void TerminalBackend::alert(std::string_view text) {
  MessageBoxRequest r;
  r.text = std::string(text);
  messageBox(r);
}

class TerminalWindow : public Window {
 public:
  TerminalWindow(TerminalBackend& t, std::string title) : t_(t), title_(std::move(title)) {}
  ~TerminalWindow() override { t_.out() << "--- " << terminalLines(title_) << " ---\n" << std::flush; }
  void setTitle(const std::string& title) override {
    title_ = title;
    t_.out() << "=== " << terminalLines(title_) << " ===\n" << std::flush;
  }
  void setCaption(int, const std::string& caption) override {
    if (!caption.empty()) t_.out() << terminalLines(caption) << '\n' << std::flush;
  }
  void setEnabled(int, bool) override {}
  void setFocus(int) override {}
  void setModal(bool) override {}
  void onActivate(int, std::function<void()>) override {}
  void onKey(int, std::function<void(int)>) override {}

 private:
  TerminalBackend& t_;
  std::string title_;
};

namespace {
class NoFocus : public FocusHolder {
 public:
  void restore() override {}
};
}  // namespace

std::unique_ptr<Window> TerminalBackend::createWindow(const WindowSpec& layout) {
  std::string body;
  for (const auto& e : layout.elements) {
    if (e.caption.empty()) continue;
    if (!body.empty()) body += "\r\n";
    body += e.caption;
  }
  printBlock(layout.title, body);
  out_ << std::flush;
  return std::make_unique<TerminalWindow>(*this, layout.title);
}

std::unique_ptr<FocusHolder> TerminalBackend::focusHolder() { return std::make_unique<NoFocus>(); }

int TerminalBackend::waitForKey(double seconds) {
  // Only the process's own standard input can be polled; a test's stream
  // answers at once.
  if (&in_ != &std::cin) {
    std::string line;
    return std::getline(in_, line) ? kKeyEnter : 0;
  }
  pollfd p{STDIN_FILENO, POLLIN, 0};
  int ms = seconds <= 0 ? 0 : static_cast<int>(seconds * 1000);
  if (::poll(&p, 1, ms) <= 0) return 0;
  std::string line;
  return std::getline(in_, line) ? kKeyEnter : 0;
}

}  // namespace platform::ui
