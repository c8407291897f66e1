#pragma once

#include <string>

#include "core/host.h"

namespace pyxaro {

// The clock label: the hour without and the minute with a leading zero,
// "0:07", "14:30".
std::string ClockCaption(const LocalTime& now);

// The clock's tool tip: "6 December 2026", the month named in the system's
// language (in English when the system gives no name).
std::string ClockToolTip(const LocalTime& now);

}  // namespace pyxaro
