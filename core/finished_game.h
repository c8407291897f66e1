#pragma once

#include <functional>
#include <vector>

#include "core/game_state.h"
#include "settings/ini.h"

namespace pyxaro {

// One finished game, as every keeper of games (the top-ten list, the
// statistics) receives it at the game end.
struct FinishedGame {
  int Total = 0;                         // with the bonus
  OneBased<int, kCategoryCount> Scores;  // by category; 0 = left open
  bool BonusWon = false;
  int RollsUsed = 0;  // of the pool of kRollPool
  int PlaySeconds = 0;
  int Year = 2000;  // the day it ended
  int Month = 1;
  int Day = 1;
  bool operator==(const FinishedGame&) const = default;
};

// A keeper of games adds what it keeps of a finished game to the one write
// of the game end, worked out from the settings as they are under the lock.
using GameKeeper =
    std::function<std::vector<IniChange>(const FinishedGame& game, const IniReader& current)>;

}  // namespace pyxaro
