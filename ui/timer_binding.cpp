#include "ui/timer_binding.h"

namespace pyxaro::ui {

TimerBinding::TimerBinding(QObject* owner, const Timer& data, Action tick) : data_(data) {
  timer_.setParent(owner);
  QObject::connect(&timer_, &QTimer::timeout, owner, [this, tick = std::move(tick)] {
    if (data_.Enabled()) tick();
  });
}

void TimerBinding::Sync() {
  if (!data_.Enabled()) {
    timer_.stop();
  } else if (!timer_.isActive() || seenStarts_ != data_.Starts()) {
    timer_.start(data_.Interval());
  }
  seenStarts_ = data_.Starts();
}

}  // namespace pyxaro::ui
