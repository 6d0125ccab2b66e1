#pragma once
// The dialog backend on Qt Widgets, for a desktop with a display.
#include "platform/ui/dialogs.h"

namespace platform::ui::qt {

class QtBackend : public DialogBackend {
 public:
  QtBackend();  // makes the QApplication when the process has none
  int messageBox(const MessageBoxRequest& request) override;
  void alert(std::string_view text) override;
  std::unique_ptr<Window> createWindow(const WindowSpec& layout) override;
  Size desktopSize() override;
  std::unique_ptr<FocusHolder> focusHolder() override;
  int waitForKey(double seconds) override;
};

// Chooses the backend for a program: the terminal when ZELK_UI=terminal or
// when no display is present (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM
// all unset), Qt otherwise. Returns the name of the one installed.
const char* installBackendFromEnvironment();

}  // namespace platform::ui::qt
