#pragma once
// Wait windows: shown while a long operation runs on the program's only
// thread, blocking the other windows until the caller closes them.
//   text variant    yc_cekaj / yc_cekaj_kraj: a title and a text on a panel
//   button variant  xc_cekaj / xc_cekaj_kraj: a title and a disabled button;
//                   with C_stop it first turns into a done state that the
//                   operator confirms with Enter, Esc or a click
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/windows.h"

// The one open wait window, process-wide; empty while none is open.
struct WaitWindowState {
  std::unique_ptr<platform::ui::Window> CEKAJ_oD;
  int CEKAJ_oB = -1;   // the button's element (button variant)
  int CEKAJ_Txt = -1;  // the last text field made (text variant)
  bool CEKAJ_stani = false;
  std::unique_ptr<platform::ui::FocusHolder> CEKAJ_Focus;
};
WaitWindowState& CEKAJ();

// Defaults: title "SACEKAJ", text "OPERACIJA U TOKU".
void yc_cekaj(std::optional<std::string> C_naslov = std::nullopt, std::optional<std::string> C_ispis = std::nullopt);
int yc_cekaj_kraj();

// Defaults: title "SACEKAJ", caption "OPERACIJA U TOKU", C_stop true.
void xc_cekaj(std::optional<std::string> C_naslov = std::nullopt, std::optional<std::string> C_buton = std::nullopt,
              std::optional<bool> C_stop = std::nullopt);
int xc_cekaj_kraj();

// The position that centres aSize in aRefSize, each coordinate truncated
// toward zero (negative when the reference is the smaller).
platform::ui::Point CenterPos(platform::ui::Size aSize, platform::ui::Size aRefSize);

// The library's own demonstrations of the two variants.
void yc_cekaj_test();
void xc_cekaj_test(std::optional<bool> lStop = std::nullopt);
