#pragma once

#include <QTimer>

#include "core/forms.h"
#include "ui/widgets.h"

namespace pyxaro::ui {

// Keeps one QTimer in step with a timer of the game's data: it runs while the
// data says enabled, restarts its interval when the data was switched on
// afresh, and on a tick calls the routine only while the data still says
// enabled.
class TimerBinding {
 public:
  TimerBinding(QObject* owner, const Timer& data, Action tick);
  void Sync();

 private:
  const Timer& data_;
  QTimer timer_;
  unsigned seenStarts_ = 0;
};

}  // namespace pyxaro::ui
