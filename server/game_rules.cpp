#include "server/game_rules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/dice.h"
#include "core/version.h"
#include "scoring/check_value.h"
#include "scoring/entry.h"
#include "scoring/move_record.h"
#include "scoring/moves.h"

namespace pyxaro {

namespace {

// A released version stays here when the game moves on, so that rows its
// players still send are taken.
constexpr std::array<std::string_view, 1> kKnownVersions{kAppVersion};

// The time zone furthest ahead of UTC (Kiribati's Line Islands).
constexpr int kFurthestAheadSeconds = 14 * 60 * 60;
// The time zone furthest behind (Baker Island).
constexpr int kFurthestBehindSeconds = 12 * 60 * 60;

bool IsCalendarMonth(int month) {
  const int monthOfYear = month % 100;
  return month >= 1 && monthOfYear >= 1 && monthOfYear <= 12;
}

}  // namespace

bool IsKnownVersion(int version) {
  return std::any_of(kKnownVersions.begin(), kKnownVersions.end(),
                     [version](std::string_view known) { return VersionNumber(known) == version; });
}

int LatestGameMonth(const QDateTime& nowUtc) {
  const QDate date = nowUtc.toUTC().addSecs(kFurthestAheadSeconds).date();
  return GameMonth(date.year(), date.month());
}

std::optional<Refusal> BrokenRule(const Submission& submission, const QDateTime& nowUtc) {
  if (!IsKnownVersion(submission.version)) {
    return Refusal{403, QString("Version number %1 is not a version of the game this list takes.")
                            .arg(submission.version)};
  }
  if (!IsCalendarMonth(submission.month) || submission.month > LatestGameMonth(nowUtc)) {
    return Refusal{
        400,
        QString("Month %1 is not a month between January 2000 and now.").arg(submission.month)};
  }
  if (submission.points < 1 || submission.points > kHighestTotal) {
    return Refusal{400, QString("%1 points is not a total a game can reach (1 to %2).")
                            .arg(submission.points)
                            .arg(kHighestTotal)};
  }
  const int digit = submission.key.isEmpty() ? 0 : submission.key.front().digitValue();
  if (digit < 1 || CheckValue(digit, submission.points, submission.month, submission.version) !=
                       submission.key.toStdString()) {
    return Refusal{403, "The key does not belong to these points, month and version."};
  }
  return std::nullopt;
}

OpenDays OpenDaysAt(const QDateTime& nowUtc) {
  const QDateTime utc = nowUtc.toUTC();
  return {utc.addSecs(-kFurthestBehindSeconds).date().addDays(-1),
          utc.addSecs(kFurthestAheadSeconds).date()};
}

QDate DateOf(const CalendarDay& day) { return {day.Year, day.Month, day.Day}; }

CalendarDay DayOf(const QDate& date) { return {date.year(), date.month(), date.day()}; }

std::variant<int, Refusal> ReplayedPoints(const DaySubmission& game, const QDateTime& nowUtc) {
  if (!IsKnownVersion(game.version)) {
    return Refusal{403, QString("Version number %1 is not a version of the game this list takes.")
                            .arg(game.version)};
  }
  const OpenDays open = OpenDaysAt(nowUtc);
  const QDate date = DateOf(game.day);
  if (date < open.earliest || date > open.latest) {
    return Refusal{400, QString("The list takes games of the days from %1 to %2, not of %3.")
                            .arg(open.earliest.toString(Qt::ISODate),
                                 open.latest.toString(Qt::ISODate), date.toString(Qt::ISODate))};
  }
  const std::optional<MoveRecord> record = ParseRecord(game.moves.toStdString());
  if (!record) return Refusal{400, "The moves are not a game's record."};
  const std::optional<GameState> replayed = Replay(*record, SeededDice(), DaySeed(game.day));
  if (!replayed) {
    return Refusal{403, QString("The moves are not a game the rules allow on the dice of %1.")
                            .arg(date.toString(Qt::ISODate))};
  }
  if (!IsOver(*replayed)) return Refusal{400, "The moves do not end the game."};
  const int points = replayed->Total();
  if (points != game.points) {
    return Refusal{403, QString("The moves make %1 points, not the %2 sent with them.")
                            .arg(points)
                            .arg(game.points)};
  }
  return points;
}

}  // namespace pyxaro
