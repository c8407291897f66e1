#include "scoring/advice_position.h"

namespace pyxaro {

AdvisorPosition PositionOf(const GameState& state) {
  AdvisorPosition position;
  for (int die = 1; die <= kDiceCount; ++die) {
    position.dice[static_cast<std::size_t>(die - 1)] = state.Dice[die];
    position.onTable[static_cast<std::size_t>(die - 1)] = state.OnTable(die);
  }
  for (int k = 1; k <= kCategoryCount; ++k) {
    if (state.IsOpen(k)) position.open |= 1U << (k - 1);
  }
  position.rollsLeft = state.RollsLeft;
  position.upperSum = state.UpperSum();
  // After an entry the dice of the last throw are spent: the next turn
  // begins with a throw of all six.
  position.thrown = state.Thrown() && !state.ThrowEntered;
  return position;
}

}  // namespace pyxaro
