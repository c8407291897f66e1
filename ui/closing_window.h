#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <utility>

namespace pyxaro::ui {

// A window over the game window that Escape closes, and that tells its owner
// when it closes by any means, the desktop's own included.
class ClosingWindow : public QWidget {
 public:
  ClosingWindow(QWidget* owner, std::function<void()> closed)
      : QWidget(owner, Qt::Dialog), closed_(std::move(closed)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      close();
      return;
    }
    QWidget::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    closed_();
  }

 private:
  std::function<void()> closed_;
};

}  // namespace pyxaro::ui
