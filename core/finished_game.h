#pragma once

#include <optional>
#include <string>

#include "core/moves.h"

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
  std::string CheckValue;  // vouches for the total to the online list
  MoveRecord Moves;        // every move, for the coach; none for a game not played from its start
  // The expected points lost a choice against the advisor; none for a game
  // not played from its start.
  std::optional<double> MeanLoss;
  // A game of the day: its day ("2026-12-08") and what the advisor made on
  // its dice; none for any other game.
  std::string DayOfGame;
  std::optional<int> AdvisorTotal;
  bool operator==(const FinishedGame&) const = default;
};

}  // namespace pyxaro
