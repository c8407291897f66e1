#include "highscores/day_results.h"

#include <string>

#include "scoring/move_record.h"

namespace pyxaro {

DayResults::DayResults(SettingsStore& store, const Languages& texts, Speaker& speaker,
                       Profiles& profiles)
    : store_(store), texts_(texts), speaker_(speaker), profiles_(profiles) {}

void DayResults::Begin(const CalendarDay& day) {
  if (store_.Setting(kSection, kDay) == DayText(day)) {
    speaker_.Say(texts_.Text(text::kDayGameAgain, DayText(day).substr(5)));
  }
}

std::vector<IniChange> DayResults::Changes(const FinishedGame& game, const IniReader& current) {
  // Asked under the lock: a copy of the game that finished the day's game a
  // moment ago has the day's result. The result kept is the latest day's: a
  // game of an earlier day finished late does not take its place, or today's
  // game would count a second time. (The days' texts sort as the days.)
  first_ = !game.DayOfGame.empty() && game.DayOfGame > current(kSection, kDay);
  if (!first_) return {};
  return {{kSection, kDay, game.DayOfGame},
          {kSection, kPoints, std::to_string(game.Total)},
          {kSection, kMoves, RecordText(game.Moves)}};
}

void DayResults::Written(const FinishedGame& game, bool stored) {
  if (!first_ || !stored) return;
  profiles_.OfferDayGame({game.DayOfGame, game.Total, RecordText(game.Moves)});
}

}  // namespace pyxaro
