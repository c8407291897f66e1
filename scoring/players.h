#pragma once

#include <cstdint>

#include "core/dice.h"
#include "core/moves.h"
#include "scoring/advisor.h"

namespace pyxaro {

// Someone who plays whole games move by move: the advisor here; a random
// and a scripted player in the tests, the hint's follower in the benchmark.
class Player {
 public:
  virtual ~Player() = default;
  // The next move in a game that is not over. For a throw any throw will
  // do: its faces are the dice's to give.
  virtual Move Choose(const GameState& state) = 0;
};

struct PlayedGame {
  MoveRecord moves;
  GameState state;
};

// The game the player makes of the dice this seed describes, each move
// played by the rules, up to its end or to a move the rules refuse.
PlayedGame PlayGame(Player& player, const DiceSource& dice, std::uint64_t seed);

// The total the advisor makes following its own advice on the dice this
// seed describes.
int AdvisorTotal(Advisor& advisor, const DiceSource& dice, std::uint64_t seed);

// Follows the advisor's advice: the dice it would have off the table picked
// up one by one, then thrown.
class AdvisorPlayer : public Player {
 public:
  explicit AdvisorPlayer(Advisor& advisor) : advisor_(advisor) {}
  Move Choose(const GameState& state) override;

 private:
  Advisor& advisor_;
};

}  // namespace pyxaro
