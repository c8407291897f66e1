#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <functional>

#include "core/forms.h"
#include "ui/geometry.h"

namespace pyxaro::testing {

// Lets the event loop run until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition) {
  return QTest::qWaitFor(condition, 5000);
}

// A left click on whatever widget the player would hit at the control.
inline void ClickControl(QWidget* window, const Control& control) {
  const QPoint point = ui::PxRect(control).center();
  QWidget* target = window->childAt(point);
  ASSERT_NE(target, nullptr) << point.x() << "," << point.y();
  QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, point));
}

}  // namespace pyxaro::testing
