#pragma once

#include <QDateTime>
#include <optional>
#include <variant>

#include "highscores/statistics.h"
#include "server/refusal.h"
#include "server/submission_query.h"

namespace pyxaro {

// Whether the game of this version number ("5.04" is 504) sends rows the list
// takes.
bool IsKnownVersion(int version);

// The newest game month anyone can be playing in at `nowUtc`: the month
// already begun in the time zone furthest ahead.
int LatestGameMonth(const QDateTime& nowUtc);

// Why the game's own rules forbid the row, or nothing when the version is
// known, the month lies between January 2000 and now, the points between 1
// and kHighestTotal, and the key is the check value the game computes
// for them.
std::optional<Refusal> BrokenRule(const Submission& submission, const QDateTime& nowUtc);

// The days whose game anyone can be playing, or have just finished, at
// `nowUtc`: from yesterday where the day is furthest behind (UTC-12) to
// today where it is furthest ahead (UTC+14).
struct OpenDays {
  QDate earliest;
  QDate latest;
};
OpenDays OpenDaysAt(const QDateTime& nowUtc);

QDate DateOf(const CalendarDay& day);
CalendarDay DayOf(const QDate& date);

// The points the moves make when the game's own rules replay them on the
// day's dice, or why the list does not take the game: a version it does not
// take, a day that is not open, moves that are not a record, do not replay
// on that day's dice or do not end a game, or stated points that are not
// those the replay makes.
std::variant<int, Refusal> ReplayedPoints(const DaySubmission& game, const QDateTime& nowUtc);

}  // namespace pyxaro
