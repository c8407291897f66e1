#include "server/game_rules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/version.h"
#include "scoring/check_value.h"

namespace pyxaro {

namespace {

// A released version stays here when the game moves on, so that rows its
// players still send are taken.
constexpr std::array<std::string_view, 1> kKnownVersions{kAppVersion};

// The time zone furthest ahead of UTC (Kiribati's Line Islands).
constexpr int kFurthestAheadSeconds = 14 * 60 * 60;

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

}  // namespace pyxaro
