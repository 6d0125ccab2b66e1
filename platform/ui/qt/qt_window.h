#pragma once
// Windows of the dialog toolkit on Qt Widgets.
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/windows.h"

class QFont;
class QColor;
class QString;

namespace platform::ui::qt {

// The programs' geometry has its origin at the lower left and counts the
// frame in a window's size; Qt's has its origin at the upper left and
// excludes the frame. These are the one place where that is converted.
inline constexpr int kTitleBarHeight = 22;
int topFromBottom(int parentHeight, int y, int height);

// A Windows-1252 text for a widget; CR LF becomes one line break.
QString qtText(std::string_view cp1252);

QFont presetFont(const std::string& preset);
QColor paletteColor(int index);

std::unique_ptr<Window> createQtWindow(const WindowSpec& layout, Size desktop);
std::unique_ptr<FocusHolder> currentFocusHolder();
int waitForKeyEvent(double seconds);

}  // namespace platform::ui::qt
