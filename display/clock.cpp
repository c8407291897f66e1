#include "display/clock.h"

#include <array>

#include "display/message_display.h"

namespace pyxaro {

namespace {

constexpr std::array<const char*, 12> kEnglishMonths{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

}  // namespace

std::string ClockCaption(const LocalTime& now) {
  const std::string minute = std::to_string(now.Minute);
  return std::to_string(now.Hour) + (now.Minute < 10 ? ":0" : ":") + minute;
}

std::string ClockToolTip(const LocalTime& now) {
  std::string month = now.MonthName;
  if (month.empty() && now.Month >= 1 && now.Month <= 12) {
    month = kEnglishMonths.at(static_cast<std::size_t>(now.Month - 1));
  }
  return std::to_string(now.Day) + " " + month + " " + std::to_string(now.Year);
}

// Runs every 1.5 s for as long as the window is open: it sets the label and
// nothing else.
void MessageDisplay::ClockTick() {
  const LocalTime now = host_.Now();
  view_.Clock.Caption = ClockCaption(now);
  view_.Clock.ToolTip = ClockToolTip(now);
  view_.ClockTold = true;
}

}  // namespace pyxaro
