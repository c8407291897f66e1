#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pyxaro {

// A day of the calendar, as the player's clock or a list's address names it.
struct CalendarDay {
  int Year = 2000;
  int Month = 1;  // 1..12
  int Day = 1;    // 1..31
  auto operator<=>(const CalendarDay&) const = default;
};

// "2026-12-08": the day in the one form the game and the online list share.
std::string DayText(const CalendarDay& day);
// The day a text in that form names; nothing for any other text, or a day
// the calendar does not have (2026-02-29) or before the year 2000.
std::optional<CalendarDay> ParseDay(std::string_view text);

// The seed of the day's game: everyone's game of this day throws these dice,
// wherever they play it, and no other day's seed is the same.
std::uint64_t DaySeed(const CalendarDay& day);

}  // namespace pyxaro
