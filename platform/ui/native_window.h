#pragma once
// A window of the dialog toolkit as outside libraries see it: the native
// handle they may be given as their owner window.
namespace platform::ui {

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual void* nativeHandle() const = 0;
};

}  // namespace platform::ui
