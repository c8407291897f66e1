#pragma once

#include <QWidget>

#include "core/forms.h"

namespace pyxaro::ui {

// A mark the advice sets on the game window: a ring around a die to pick
// up, an arrow beside the row the advice names. Clicks pass through to what
// it marks, which speaks for itself.
class AdviceMark : public QWidget {
 public:
  enum class Shape { Ring, Arrow };
  AdviceMark(QWidget* parent, Shape shape);
  void Apply(const Control& c);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Shape shape_;
};

}  // namespace pyxaro::ui
