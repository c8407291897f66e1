#pragma once

#include "core/finished_game.h"
#include "core/game_state.h"

namespace pyxaro {

enum class EntryResult {
  NotTaken,  // no such category, entered already, or the throw went in already
  Refused,   // the dice are worth nothing there
  Entered,
};

// What entering the dice in a category would do to a game; the move that
// makes it is played by the one rule of moves (scoring/moves.h).
struct EntryOutcome {
  EntryResult Result = EntryResult::NotTaken;
  int Points = 0;
  bool BonusWon = false;   // this entry took the upper sum to the threshold
  bool BonusLost = false;  // this entry filled the upper section short of it
  bool Yatzy = false;
};

EntryOutcome Enter(const GameState& state, int category);

// The open category worth most for the dice, 0 when none is worth anything.
// Chance is held back while rolls remain; a tie goes to the higher row.
int BestCategory(const GameState& state);
// The category the hint marks: the best one, until the throw is entered.
int HintedCategory(const GameState& state);

// The pool of rolls or the open categories are used up, and the last throw
// can go nowhere more.
bool IsOver(const GameState& state);

bool CanThrow(const GameState& state);
bool CanPickUp(const GameState& state, int die);
// Dice picked up since the last throw can be laid back.
bool CanUndo(const GameState& state);

bool AllAlike(const GameState& state);

// The record the keepers of games receive, the day given.
FinishedGame Finished(const GameState& state, int year, int month, int day);

}  // namespace pyxaro
