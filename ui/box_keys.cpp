#include "ui/box_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace pyxaro::ui {

namespace {

// Sees the keys the box's controls leave unanswered: a list, a check box or
// a read-only field passes Enter and Escape on to the window.
class BoxKeys : public QObject {
 public:
  BoxKeys(QWidget* box, QPushButton* enter, QPushButton* escape)
      : QObject(box), enter_(enter), escape_(escape) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    QPushButton* pressed = nullptr;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Only the box's own controls pass their keys up to it.
      auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
      pressed = focused ? focused : enter_;
    } else if (key == Qt::Key_Escape) {
      pressed = escape_;
    }
    if (!pressed) return false;
    if (pressed->isEnabled()) pressed->click();
    return true;
  }

 private:
  QPushButton* enter_;
  QPushButton* escape_;
};

}  // namespace

void AnswerBoxKeys(QWidget* box, QPushButton* enter, QPushButton* escape) {
  enter->setDefault(true);
  box->installEventFilter(new BoxKeys(box, enter, escape));
}

}  // namespace pyxaro::ui
