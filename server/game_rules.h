#pragma once

#include <QDateTime>
#include <optional>

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

}  // namespace pyxaro
