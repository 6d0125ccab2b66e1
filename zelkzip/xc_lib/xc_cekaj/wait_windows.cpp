#include "xc_lib/xc_cekaj/wait_windows.h"

#include "platform/ui/dialogs.h"

namespace ui = platform::ui;

namespace {
const std::string kDefaultTitle = "SACEKAJ";
const std::string kDefaultText = "OPERACIJA U TOKU";
}  // namespace

WaitWindowState& CEKAJ() {
  static WaitWindowState state;
  return state;
}

namespace {
// Both variants end alike: modeless, destroyed, focus back, state cleared.
// With nothing open there is nothing to close.
void closeWaitWindow() {
  WaitWindowState& s = CEKAJ();
  if (!s.CEKAJ_oD) return;
  s.CEKAJ_oD->setModal(false);
  auto focus = std::move(s.CEKAJ_Focus);
  s.CEKAJ_oD.reset();
  if (focus) focus->restore();
  s = WaitWindowState{};
}
}  // namespace

ui::Point CenterPos(ui::Size aSize, ui::Size aRefSize) {
  return {(aRefSize.width - aSize.width) / 2, (aRefSize.height - aSize.height) / 2};
}

void yc_cekaj(std::optional<std::string> C_naslov, std::optional<std::string> C_ispis) {
  if (!C_naslov) C_naslov = kDefaultTitle;
  if (!C_ispis) C_ispis = kDefaultText;
  // A window still open is closed first: replacing it would leave it on
  // screen with nothing able to close it.
  if (CEKAJ().CEKAJ_oD) yc_cekaj_kraj();
  WaitWindowState& s = CEKAJ();
  s = WaitWindowState{};

  ui::ElementSpec panel;
  panel.kind = ui::ElementSpec::Kind::Text;
  panel.foreground = ui::kColorDefaultBackground;
  panel.background = ui::kColorDarkRed;
  panel.font = ui::kFontStandardDialog;
  panel.wordWrap = true;

  ui::WindowSpec d;
  d.title = *C_naslov;
  d.size = {350, 82};
  d.position = CenterPos(d.size, ui::dialogs().desktopSize());
  d.taskbar = true;
  d.systemMenu = false;
  d.font = ui::kFontStandardDialog;
  ui::ElementSpec text = panel;
  text.position = {4, 4};
  text.size = {334, 42};
  text.caption = *C_ispis;
  ui::ElementSpec back = panel;
  back.position = {0, 0};
  back.size = {350, 60};
  d.elements = {text, back};

  s.CEKAJ_Focus = ui::dialogs().focusHolder();
  s.CEKAJ_oD = ui::dialogs().createWindow(d);
  s.CEKAJ_Txt = 1;
  s.CEKAJ_oD->setModal(true);
}

int yc_cekaj_kraj() {
  closeWaitWindow();
  return 0;
}

void xc_cekaj(std::optional<std::string> C_naslov, std::optional<std::string> C_buton, std::optional<bool> C_stop) {
  if (!C_naslov) C_naslov = kDefaultTitle;
  if (!C_buton) C_buton = kDefaultText;
  if (!C_stop) C_stop = true;
  if (CEKAJ().CEKAJ_oD) {
    CEKAJ().CEKAJ_stani = false;
    xc_cekaj_kraj();
  }
  WaitWindowState& s = CEKAJ();
  s = WaitWindowState{};
  s.CEKAJ_stani = *C_stop;

  ui::WindowSpec d;
  d.title = *C_naslov;
  d.size = {350, 62};
  d.position = CenterPos(d.size, ui::dialogs().desktopSize());
  d.taskbar = true;
  d.systemMenu = false;
  d.font = ui::kFontStandardDialog;
  ui::ElementSpec button;
  button.kind = ui::ElementSpec::Kind::Button;
  button.position = {12, 2};
  button.size = {320, 24};
  button.caption = *C_buton;
  button.onDrawingArea = true;
  d.elements = {button};

  s.CEKAJ_Focus = ui::dialogs().focusHolder();
  s.CEKAJ_oD = ui::dialogs().createWindow(d);
  s.CEKAJ_oB = 0;
  s.CEKAJ_oD->onActivate(s.CEKAJ_oB, [] { xc_cekaj_kraj(); });
  s.CEKAJ_oD->onKey(s.CEKAJ_oB, [](int key) {
    if (key == ui::kKeyEnter || key == ui::kKeyEsc) xc_cekaj_kraj();
  });
  s.CEKAJ_oD->setModal(true);
  s.CEKAJ_oD->setFocus(s.CEKAJ_oB);
  // The operator cannot end the wait while the work runs.
  s.CEKAJ_oD->setEnabled(s.CEKAJ_oB, false);
}

int xc_cekaj_kraj() {
  WaitWindowState& s = CEKAJ();
  if (!s.CEKAJ_oD) return 0;
  if (s.CEKAJ_stani) {
    s.CEKAJ_stani = false;
    s.CEKAJ_oD->setTitle("GOTOVO");
    s.CEKAJ_oD->setEnabled(s.CEKAJ_oB, true);
    s.CEKAJ_oD->setCaption(s.CEKAJ_oB, "Pritisni Enter");
    s.CEKAJ_oD->setFocus(s.CEKAJ_oB);
    return 0;
  }
  closeWaitWindow();
  return 0;
}

void yc_cekaj_test() {
  yc_cekaj("CEKAJ",
           "Operacija je u toku, uskoro ce se zavrsiti. Morate sacekati poruku za kraj operacije i zatim "
           "pritisnuti taster Enter.   U slucaju da se operacija ne zavrsi restartujte vas racunar.");
  ui::dialogs().waitForKey(3);
  yc_cekaj_kraj();
}

void xc_cekaj_test(std::optional<bool> lStop) {
  if (!lStop) lStop = true;
  xc_cekaj("SACEKAJ", "OPERACIJA U TOKU", *lStop);
  ui::dialogs().waitForKey(2);
  xc_cekaj_kraj();
}
