#pragma once

#include <cstddef>
#include <vector>

#include "core/game_state.h"

namespace pyxaro {

// One thing the player did in a game, as the game's rules took it.
struct Move {
  enum class Kind { Throw, PickUp, Undo, Enter };
  Kind kind = Kind::Throw;
  OneBased<int, kDiceCount> faces;  // a throw: every die's face after it
  int rollsLeft = 0;                // a throw: the pool after it
  int die = 0;                      // a pick-up
  int category = 0;                 // an entry
  int points = 0;                   // an entry

  bool operator==(const Move&) const = default;

  static Move Throw(const OneBased<int, kDiceCount>& faces, int rollsLeft) {
    Move move;
    move.faces = faces;
    move.rollsLeft = rollsLeft;
    return move;
  }
  static Move PickUp(int die) {
    Move move;
    move.kind = Kind::PickUp;
    move.die = die;
    return move;
  }
  static Move Undo() {
    Move move;
    move.kind = Kind::Undo;
    return move;
  }
  static Move Entry(int category, int points) {
    Move move;
    move.kind = Kind::Enter;
    move.category = category;
    move.points = points;
    return move;
  }
};

// Every move of a game in order, kept beside its state so that the game can
// be continued after the program ends and reviewed after the game does.
using MoveRecord = std::vector<Move>;

// No game needs more moves than this, however often dice are picked up and
// laid back: beyond it an undo takes back the pick-ups instead of adding to
// the record.
inline constexpr std::size_t kMostRecordedMoves = 2000;

}  // namespace pyxaro
