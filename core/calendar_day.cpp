#include "core/calendar_day.h"

#include <charconv>
#include <cstdio>

namespace pyxaro {

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The digits text[from, from + count) as a number, or -1.
int Digits(std::string_view text, std::size_t from, std::size_t count) {
  int value = 0;
  const char* begin = text.data() + from;
  const auto [end, error] = std::from_chars(begin, begin + count, value);
  return error == std::errc() && end == begin + count ? value : -1;
}

}  // namespace

std::string DayText(const CalendarDay& day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.Year, day.Month, day.Day);
  return text;
}

std::optional<CalendarDay> ParseDay(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const CalendarDay day{Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2)};
  if (day.Year < 2000 || day.Month < 1 || day.Month > 12 || day.Day < 1 ||
      day.Day > DaysInMonth(day.Year, day.Month)) {
    return std::nullopt;
  }
  return day;
}

std::uint64_t DaySeed(const CalendarDay& day) {
  // The dice mix every seed before they draw, so neighbouring days' seeds
  // still give unrelated dice.
  return static_cast<std::uint64_t>(day.Year * 10000 + day.Month * 100 + day.Day);
}

}  // namespace pyxaro
