#include "platform/ui/qt/qt_backend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>
#include <string>

#include "platform/text/cp1252.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/terminal_backend.h"

namespace platform::ui::qt {
namespace {

QMessageBox::Icon iconOf(int icon) {
  switch (icon) {
    case kIconStop: return QMessageBox::Critical;
    case kIconQuestion: return QMessageBox::Question;
    case kIconExclamation: return QMessageBox::Warning;
    case kIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

bool envSet(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

}  // namespace

QtBackend::QtBackend() {
  if (!QApplication::instance()) {
    static int argc = 1;
    static char name[] = "zelk";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
  }
}

int QtBackend::messageBox(const MessageBoxRequest& r) {
  QMessageBox box;
  box.setObjectName("messageBox");
  box.setWindowTitle(qtText(r.title));
  box.setText(qtText(r.text));
  box.setIcon(iconOf(r.icon));
  if (r.foreground) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (r.buttons == kButtonsYesNo) {
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* no = box.addButton(QMessageBox::No);
    yes->setText("&Da");
    no->setText("&Ne");
    box.setDefaultButton(r.defaultAnswer() == kAnswerNo ? no : yes);
    // A Yes/No box has no cancel: Esc and the close box do not end it.
    box.setEscapeButton(static_cast<QAbstractButton*>(nullptr));
    box.exec();
    return box.clickedButton() == no ? kAnswerNo : kAnswerYes;
  }
  box.addButton(QMessageBox::Ok);
  box.exec();
  return kAnswerOk;
}

void QtBackend::alert(std::string_view text) {
  MessageBoxRequest r;
  r.text = std::string(text);
  r.icon = kIconExclamation;
  messageBox(r);
}

std::unique_ptr<Window> QtBackend::createWindow(const WindowSpec& layout) {
  return createQtWindow(layout, desktopSize());
}

Size QtBackend::desktopSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {1024, 768};
  return {screen->geometry().width(), screen->geometry().height()};
}

std::unique_ptr<FocusHolder> QtBackend::focusHolder() { return currentFocusHolder(); }

int QtBackend::waitForKey(double seconds) { return waitForKeyEvent(seconds); }

const char* installBackendFromEnvironment() {
  const char* ui = std::getenv("ZELK_UI");
  const bool terminal = ui && std::string(ui) == "terminal";
  const bool display = envSet("DISPLAY") || envSet("WAYLAND_DISPLAY") || envSet("QT_QPA_PLATFORM");
  if (terminal || !display) {
    setDialogBackend(std::make_unique<TerminalBackend>());
    return "terminal";
  }
  setDialogBackend(std::make_unique<QtBackend>());
  return "qt";
}

}  // namespace platform::ui::qt
