#pragma once

#include "core/game_state.h"
#include "scoring/categories.h"

namespace pyxaro::testing {

// Whether a game could stand so after moves by the rules, as far as its own facts tell: dice
// thrown or not, scores within each category's reach, no more entries than throws.
inline bool LooksLegal(const GameState& state) {
  if (state.RollsLeft < 0 || state.RollsLeft > kRollPool) return false;
  for (const int face : state.Dice) {
    if (face < (state.Thrown() ? 1 : 0) || face > (state.Thrown() ? kDiceFaces : 0)) return false;
  }
  int entries = 0;
  for (const Category& category : kCategories) {
    const int score = state.Score[category.number];
    if (score < 0 || score > category.max) return false;
    entries += score > 0 ? 1 : 0;
  }
  return entries <= kRollPool - state.RollsLeft && (entries > 0 || !state.ThrowEntered);
}

}  // namespace pyxaro::testing
