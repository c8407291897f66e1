#pragma once

#include <vector>

#include "core/calendar_day.h"
#include "core/speaker.h"
#include "highscores/profiles.h"
#include "settings/game_keeper.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// The player's result of each day's game: the first game of a day finished
// is that day's, kept with its moves and offered to the online list of the
// day. The day's game may be played again, as any game, but counts for the
// day no more.
class DayResults : public GameKeeper {
 public:
  DayResults(SettingsStore& store, const Languages& texts, Speaker& speaker, Profiles& profiles);

  // The section of the day's result, read at any length for its moves.
  static constexpr char kSection[] = "Day";

  // A game of this day begins: when the day has its result already, the
  // display says that this one will not count for it.
  void Begin(const CalendarDay& day);

  // The first finished game of its day is kept, in the game end's one write.
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) override;
  // A day's result is offered to the online list of the day once kept.
  void Written(const FinishedGame& game, bool stored) override;

 private:
  static constexpr char kDay[] = "day";
  static constexpr char kPoints[] = "points";
  static constexpr char kMoves[] = "moves";

  SettingsStore& store_;
  const Languages& texts_;
  Speaker& speaker_;
  Profiles& profiles_;
  // The game being written is its day's result.
  bool first_ = false;
};

}  // namespace pyxaro
