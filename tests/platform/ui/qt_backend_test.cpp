#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/ui/qt/qt_backend.h"

using namespace platform::ui;
using platform::ui::qt::QtBackend;

namespace {

// Presses a key on the box as soon as it is shown, as an operator would.
void pressOnNextBox(Qt::Key key, QString* title = nullptr, QString* text = nullptr, QString* defaultText = nullptr) {
  QTimer::singleShot(0, [=] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      if (title) *title = box->windowTitle();
      if (text) *text = box->text();
      if (defaultText && box->defaultButton()) *defaultText = box->defaultButton()->text();
      if (key == Qt::Key_Return) box->defaultButton() ? box->defaultButton()->click() : box->accept();
      else if (key == Qt::Key_Escape) box->reject();
      else if (key == Qt::Key_Y) box->buttons().front()->click();
      return;
    }
    pressOnNextBox(key, title, text, defaultText);  // not shown yet
  });
}

}  // namespace

TEST(QtBackend, EnterTakesTheDefaultButton) {
  QtBackend qt;
  QString title, text, def;
  pressOnNextBox(Qt::Key_Return, &title, &text, &def);
  auto no = MessageBoxRequest::fromStyle("Arhiviranje\r\nC:\\X.ZIP", "ARHIVIRANJE",
                                         kButtonsYesNo | kIconQuestion | kDefaultButton2 | kForeground);
  EXPECT_EQ(qt.messageBox(no), kAnswerNo);
  EXPECT_EQ(title, "ARHIVIRANJE");
  EXPECT_EQ(text, "Arhiviranje\nC:\\X.ZIP");
  EXPECT_EQ(def, "&Ne");

  pressOnNextBox(Qt::Key_Return);
  auto yes = MessageBoxRequest::fromStyle("q", "T", kButtonsYesNo | kIconQuestion);
  EXPECT_EQ(qt.messageBox(yes), kAnswerYes);
}

TEST(QtBackend, AnOkBoxShowsWindows1252Text) {
  QtBackend qt;
  QString text;
  pressOnNextBox(Qt::Key_Return, nullptr, &text);
  EXPECT_EQ(qt.messageBox(MessageBoxRequest::fromStyle("\x8A" "ifra \x80", "T", kButtonsOk)), kAnswerOk);
  EXPECT_EQ(text, QString::fromUtf8("\u0160ifra \u20AC"));
}
