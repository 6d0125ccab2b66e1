#include "platform/ui/qt/qt_backend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>
#include <string>

#include "platform/text/cp1252.h"
#include "platform/ui/terminal_backend.h"

namespace platform::ui::qt {
namespace {

QString toQt(std::string_view cp1252) {
  std::string s;
  // CR LF is one line break in a window.
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    if (cp1252[i] == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') continue;
    s += cp1252[i];
  }
  return QString::fromStdString(text::cp1252ToUtf8(s));
}

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
  box.setWindowTitle(toQt(r.title));
  box.setText(toQt(r.text));
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
