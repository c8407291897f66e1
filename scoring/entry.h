#pragma once

#include "core/finished_game.h"
#include "core/game_state.h"

namespace pyxaro {

enum class EntryResult {
  NotTaken,  // no such category, entered already, or the throw went in already
  Refused,   // the dice are worth nothing there
  Entered,
};

// What entering the dice in a category does to a game.
struct EntryOutcome {
  EntryResult Result = EntryResult::NotTaken;
  int Points = 0;
  GameState After;         // the game after the entry; as before unless entered
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

// Spends one roll: the dice not on the table take their new faces from
// faces (the others' entries are ignored) and every die lies on the table.
GameState AfterThrow(const GameState& state, const OneBased<int, kDiceCount>& faces);

bool AllAlike(const GameState& state);

// The record the keepers of games receive, the day given.
FinishedGame Finished(const GameState& state, int year, int month, int day);

}  // namespace pyxaro
