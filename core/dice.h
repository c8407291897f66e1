#pragma once

#include <cstdint>

#include "core/game_state.h"

namespace pyxaro {

// Where a game's faces come from. The face of die k on roll n depends on the
// game's seed, n and k alone, never on which dice were kept before: two
// games from one seed see the same faces on every roll both throw, and a
// game is told in full by its seed and its moves.
class DiceSource {
 public:
  virtual ~DiceSource() = default;
  // The faces of roll n of the game this seed describes (1 for its first
  // throw); a throw takes those of the dice it throws.
  virtual OneBased<int, kDiceCount> Roll(std::uint64_t seed, int roll) const = 0;
  // A seed for a new game, mixed from the time of day.
  virtual std::uint64_t NewSeed(double secondsSinceMidnight) = 0;
};

// The dice of every real game: each face a hash of the seed, the roll and
// the die. New seeds mix the clock into a state begun from the program's
// start, so that two games begun in one tick of the clock still differ.
class SeededDice final : public DiceSource {
 public:
  SeededDice();
  OneBased<int, kDiceCount> Roll(std::uint64_t seed, int roll) const override;
  std::uint64_t NewSeed(double secondsSinceMidnight) override;

 private:
  std::uint64_t state_;
};

// The roll the game's next throw will be.
inline int NextRoll(const GameState& state) { return kRollPool - state.RollsLeft + 1; }

}  // namespace pyxaro
