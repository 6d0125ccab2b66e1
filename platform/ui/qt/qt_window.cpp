#include "platform/ui/qt/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <vector>

#include "platform/text/cp1252.h"

namespace platform::ui::qt {
namespace {

int keyCode(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEsc;
    default: break;
  }
  const QString t = e->text();
  return t.isEmpty() ? e->key() : t.at(0).unicode();
}

// A dialog without a close box that Esc does not end: the program decides
// when it closes.
class FixedDialog : public QDialog {
 public:
  FixedDialog() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

class KeyFilter : public QObject {
 public:
  std::function<void(int)> handler;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || !handler) return false;
    auto h = handler;  // the handler may close the window
    h(keyCode(static_cast<QKeyEvent*>(e)));
    return true;
  }
};

class QtWindow : public Window {
 public:
  QtWindow(const WindowSpec& layout, Size desktop) {
    dialog_ = new FixedDialog;
    dialog_->setObjectName("zelkWindow");
    dialog_->setWindowTitle(qtText(layout.title));
    if (!layout.font.empty()) dialog_->setFont(presetFont(layout.font));
    const int clientW = layout.size.width;
    const int clientH = layout.size.height - kTitleBarHeight;
    dialog_->setFixedSize(clientW, clientH);
    dialog_->move(layout.position.x, topFromBottom(desktop.height, layout.position.y, layout.size.height));
    if (!layout.taskbar) dialog_->setWindowFlag(Qt::Tool);
    int index = 0;
    for (const auto& e : layout.elements) {
      QWidget* w = nullptr;
      if (e.kind == ElementSpec::Kind::Button) {
        auto* b = new QPushButton(qtText(e.caption), dialog_);
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, [this, index] {
          if (activate_[index]) {
            auto h = activate_[index];
            h();
          }
        });
        w = b;
      } else {
        auto* l = new QLabel(qtText(e.caption), dialog_);
        l->setWordWrap(e.wordWrap);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setAutoFillBackground(e.background >= 0);
        QPalette pal = l->palette();
        if (e.foreground >= 0) pal.setColor(QPalette::WindowText, paletteColor(e.foreground));
        if (e.background >= 0) pal.setColor(QPalette::Window, paletteColor(e.background));
        l->setPalette(pal);
        w = l;
      }
      w->setObjectName(QString("element%1").arg(index));
      if (!e.font.empty()) w->setFont(presetFont(e.font));
      // Elements on the frame and on the drawing area both land in the
      // client area; the frame has no room of its own in Qt.
      w->setGeometry(e.position.x, topFromBottom(clientH, e.position.y, e.size.height), e.size.width,
                     e.size.height);
      widgets_.push_back(w);
      activate_.emplace_back();
      auto* f = new KeyFilter;
      f->setParent(w);
      w->installEventFilter(f);
      filters_.push_back(f);
      ++index;
    }
    // An empty text with a colour is a panel: it lies behind the others.
    for (std::size_t i = 0; i < layout.elements.size(); ++i) {
      const auto& e = layout.elements[i];
      if (e.kind == ElementSpec::Kind::Text && e.caption.empty() && e.background >= 0) widgets_[i]->lower();
    }
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
    // The caller works on this thread next without handling events: paint
    // the window now.
    dialog_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

  ~QtWindow() override {
    if (!dialog_) return;
    dialog_->hide();
    dialog_->deleteLater();  // safe when a handler of this window closed it
  }

  void setTitle(const std::string& title) override {
    dialog_->setWindowTitle(qtText(title));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  void setCaption(int element, const std::string& caption) override {
    QWidget* w = widgets_.at(element);
    if (auto* b = qobject_cast<QPushButton*>(w)) b->setText(qtText(caption));
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(qtText(caption));
    w->repaint();
  }
  void setEnabled(int element, bool enabled) override { widgets_.at(element)->setEnabled(enabled); }
  void setFocus(int element) override {
    dialog_->activateWindow();
    widgets_.at(element)->setFocus();
  }
  void setModal(bool modal) override {
    if (!modal) dialog_->setWindowModality(Qt::NonModal);
  }
  void onActivate(int element, std::function<void()> handler) override {
    activate_.at(element) = std::move(handler);
  }
  void onKey(int element, std::function<void(int)> handler) override {
    filters_.at(element)->handler = std::move(handler);
  }

 private:
  QPointer<QDialog> dialog_;
  std::vector<QWidget*> widgets_;
  std::vector<std::function<void()>> activate_;
  std::vector<KeyFilter*> filters_;
};

class QtFocus : public FocusHolder {
 public:
  explicit QtFocus(QWidget* w) : widget_(w) {}
  void restore() override {
    if (widget_) widget_->setFocus();
  }

 private:
  QPointer<QWidget> widget_;
};

class KeyWaiter : public QObject {
 public:
  QEventLoop loop;
  int key = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && key == 0) {
      key = keyCode(static_cast<QKeyEvent*>(e));
      loop.quit();
    }
    return false;
  }
};

}  // namespace

QString qtText(std::string_view cp1252) {
  std::string s;
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    if (cp1252[i] == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') continue;
    s += cp1252[i];
  }
  return QString::fromStdString(text::cp1252ToUtf8(s));
}

int topFromBottom(int parentHeight, int y, int height) { return parentHeight - y - height; }

QFont presetFont(const std::string& preset) {
  // Presets name sizes of one small proportional interface face; ".108"
  // appends the bold style.
  QFont f = QApplication::font();
  const std::string base = preset.substr(0, preset.find('.'));
  int points = 9;
  if (base == "123") points = 12;
  else if (base == "122" || base == "126") points = 10;
  else if (base == "114") points = 8;
  f.setPointSize(points);
  f.setBold(preset.find(".108") != std::string::npos || base == "123");
  return f;
}

QColor paletteColor(int index) {
  static const QColor table[16] = {
      QColor(),            QColor(0, 0, 255),     QColor(0, 160, 0),   QColor(0, 160, 160),
      QColor(200, 0, 0),   QColor(160, 0, 160),   QColor(160, 160, 0), QColor(192, 192, 192),
      QColor(128, 128, 128), QColor(0, 0, 128),   QColor(128, 0, 0),   QColor(0, 128, 128),
      QColor(255, 255, 0), QColor(255, 0, 255),   QColor(0, 255, 255), QColor(255, 255, 255)};
  if (index == kColorDefaultBackground) return QApplication::palette().color(QPalette::Window);
  if (index < 0 || index > 15) return QColor();
  return table[index];
}

std::unique_ptr<Window> createQtWindow(const WindowSpec& layout, Size desktop) {
  return std::make_unique<QtWindow>(layout, desktop);
}

std::unique_ptr<FocusHolder> currentFocusHolder() {
  return std::make_unique<QtFocus>(QApplication::focusWidget());
}

int waitForKeyEvent(double seconds) {
  KeyWaiter waiter;
  qApp->installEventFilter(&waiter);
  QTimer::singleShot(static_cast<int>(seconds * 1000), &waiter.loop, &QEventLoop::quit);
  waiter.loop.exec();
  qApp->removeEventFilter(&waiter);
  return waiter.key;
}

}  // namespace platform::ui::qt
