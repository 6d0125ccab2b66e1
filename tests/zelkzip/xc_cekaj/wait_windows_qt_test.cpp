#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "platform/ui/qt/qt_backend.h"
#include "xc_lib/xc_cekaj/wait_windows.h"

namespace ui = platform::ui;

class QtWaitWindows : public ::testing::Test {
 protected:
  void SetUp() override { previous = ui::setDialogBackend(std::make_unique<ui::qt::QtBackend>()); }
  void TearDown() override { ui::setDialogBackend(std::move(previous)); }

  static QDialog* openDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "zelkWindow" && w->isVisible()) return static_cast<QDialog*>(w);
    return nullptr;
  }
  std::unique_ptr<ui::DialogBackend> previous;
};

TEST_F(QtWaitWindows, TextVariantIsShownModalWithItsTextAbovethePanel) {
  yc_cekaj("ARHIVIRA SE", "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP");
  QDialog* d = openDialog();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->windowTitle(), "ARHIVIRA SE");
  EXPECT_EQ(d->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(d->width(), 350);
  auto* text = d->findChild<QLabel*>("element0");
  auto* panel = d->findChild<QLabel*>("element1");
  ASSERT_TRUE(text && panel);
  EXPECT_EQ(text->text(), "C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP");
  EXPECT_TRUE(text->wordWrap());
  // (4, 4) from the lower left of a 60-pixel client area, 42 high.
  EXPECT_EQ(text->geometry(), QRect(4, 60 - 4 - 42, 334, 42));
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 350, 60));
  EXPECT_GT(d->children().indexOf(text), d->children().indexOf(panel)) << "the text must lie above the panel";
  yc_cekaj_kraj();
  QApplication::processEvents();
  EXPECT_EQ(openDialog(), nullptr);
}

TEST_F(QtWaitWindows, ButtonVariantEndsWithEnterAfterTheDoneState) {
  xc_cekaj("SACEKAJ", "OPERACIJA U TOKU", true);
  QDialog* d = openDialog();
  ASSERT_NE(d, nullptr);
  auto* b = d->findChild<QPushButton*>("element0");
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->isEnabled());
  xc_cekaj_kraj();
  EXPECT_EQ(d->windowTitle(), "GOTOVO");
  EXPECT_EQ(b->text(), "Pritisni Enter");
  EXPECT_TRUE(b->isEnabled());
  QTest::keyClick(b, Qt::Key_A);
  EXPECT_NE(CEKAJ().CEKAJ_oD, nullptr);
  QTest::keyClick(b, Qt::Key_Return);
  EXPECT_EQ(CEKAJ().CEKAJ_oD, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(openDialog(), nullptr);
}
