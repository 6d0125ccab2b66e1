#pragma once
// The dialog service of the runtime: every window a program shows goes
// through one backend behind this interface.
//
//   Qt Widgets   when a display is present (ui/qt)
//   terminal     when there is none, or ZELK_UI=terminal
//   scripted     for tests: records every dialog, answers from a script
//
// Texts are Windows-1252 bytes with CR LF line breaks; a backend converts
// them only where it shows them.
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/windows.h"

namespace platform::ui {

// The Windows message-box values the programs pass on unchanged.
inline constexpr int kButtonsOk = 0;
inline constexpr int kButtonsYesNo = 4;
inline constexpr int kIconStop = 16;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kForeground = 65536;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

struct MessageBoxRequest {
  std::string text;
  std::string title;
  int buttons = kButtonsOk;  // 0 OK, 4 Yes/No
  int icon = 0;              // 0, 16, 32, 48 or 64
  int defaultButton = 0;     // 0 first button, 256 second
  bool foreground = false;

  // Splits a combined Windows style value (buttons | icon | default | flags).
  static MessageBoxRequest fromStyle(std::string_view text, std::string_view title, int style);
  int defaultAnswer() const;
};

class DialogBackend : public WindowBackend {
 public:
  virtual ~DialogBackend() = default;
  // Modal message box; returns 1 (OK), 6 (Yes) or 7 (No).
  virtual int messageBox(const MessageBoxRequest& request) = 0;
  // The runtime's simple alert: the text and one acknowledgement.
  virtual void alert(std::string_view text) = 0;
};

// The installed backend; the terminal backend until one is installed.
DialogBackend& dialogs();

// Installs a backend for the rest of the process (or until the next call)
// and returns the one it replaces.
std::unique_ptr<DialogBackend> setDialogBackend(std::unique_ptr<DialogBackend> backend);

// Shorthand for the message box with a combined Windows style value.
int messageBox(std::string_view text, std::string_view title, int style = kButtonsOk);

}  // namespace platform::ui
