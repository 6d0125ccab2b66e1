#pragma once
// The dialog toolkit of the runtime: a modal window made of static texts
// and push buttons, as the programs' dialogs describe them. Geometry is in
// the programs' own terms: pixels, a position is the distance of an
// element's lower-left corner from the lower-left corner of its parent,
// y growing upwards; a window's size includes its frame. Backends convert
// to their own coordinates in one place.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::ui {

struct Size {
  int width = 0;
  int height = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

// Colour indices of the 16-colour palette; -1 leaves the default.
inline constexpr int kColorDefaultBackground = 0;
inline constexpr int kColorBlue = 1;
inline constexpr int kColorDarkBlue = 9;
inline constexpr int kColorDarkRed = 10;

// Fonts are named by numbered presets of a font table, optionally with the
// bold style suffix appended ("118.108"); the faces are the backend's.
inline constexpr const char* kFontStandardDialog = "118.108";

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEsc = 27;

struct ElementSpec {
  enum class Kind { Text, Button };
  Kind kind = Kind::Text;
  Point position;
  Size size;
  std::string caption;        // Windows-1252
  int foreground = -1;        // palette index
  int background = -1;
  std::string font;           // preset name, "" for the window's font
  bool wordWrap = false;      // texts: wrap at word boundaries, left and top
  bool onDrawingArea = false; // placed on the client area rather than the frame
};

struct WindowSpec {
  std::string title;
  Point position;             // on the desktop
  Size size;
  bool taskbar = true;
  bool systemMenu = false;    // without it there is no close box
  std::string font;           // of the drawing area
  std::vector<ElementSpec> elements;
};

// An open window. Destroying it closes it. Element indices follow
// WindowSpec::elements.
class Window {
 public:
  virtual ~Window() = default;
  virtual void setTitle(const std::string& title) = 0;
  virtual void setCaption(int element, const std::string& caption) = 0;
  virtual void setEnabled(int element, bool enabled) = 0;
  virtual void setFocus(int element) = 0;
  // Modal for the application: the program's other windows take no input.
  virtual void setModal(bool modal) = 0;
  // Called when the button is pressed.
  virtual void onActivate(int element, std::function<void()> handler) = 0;
  // Called with the key code for keys pressed while the element has focus.
  virtual void onKey(int element, std::function<void(int key)> handler) = 0;
};

// Who had the input focus, so that it can be given back.
class FocusHolder {
 public:
  virtual ~FocusHolder() = default;
  virtual void restore() = 0;
};

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  // Creates and shows the window; it is painted before this returns, since
  // the caller may then work for a long time without handling events.
  virtual std::unique_ptr<Window> createWindow(const WindowSpec& layout) = 0;
  virtual Size desktopSize() = 0;
  virtual std::unique_ptr<FocusHolder> focusHolder() = 0;
  // Handles events until a key is pressed or the time is up; the key code,
  // or 0 when none came.
  virtual int waitForKey(double seconds) = 0;
};

}  // namespace platform::ui
