#pragma once

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "scoring/dice_sets.h"
#include "scoring/entry.h"
#include "scoring/game_review.h"

namespace pyxaro::testing {

// Throws the dice off the table, as a move of the record.
inline Move ThrowRandom(GameState& state, std::mt19937& chance) {
  OneBased<int, kDiceCount> faces;
  for (int& face : faces) face = static_cast<int>(chance() % kDiceFaces) + 1;
  state = AfterThrow(state, faces);
  return Move::Throw(state.Dice, state.RollsLeft);
}

// A whole game in which the player picks, after every throw, the choice `pick` makes of the
// advisor's advice and the position.
inline MoveRecord PlayedGame(unsigned seed, const std::function<Choice(const GameState&)>& pick) {
  std::mt19937 chance(seed);
  GameState state;
  MoveRecord record;
  while (!IsOver(state) && state.RollsLeft > 0) {
    if (!state.Thrown() || state.ThrowEntered) {
      record.push_back(ThrowRandom(state, chance));
      continue;
    }
    const Choice choice = pick(state);
    if (choice.category > 0) {
      const EntryOutcome outcome = Enter(state, choice.category);
      record.push_back(Move::Entry(choice.category, outcome.Points));
      state = outcome.After;
      continue;
    }
    FaceCounts kept = choice.kept;
    for (int die = 1; die <= kDiceCount; ++die) {
      int& left = kept[static_cast<std::size_t>(state.Dice[die] - 1)];
      if (left > 0) {
        --left;
      } else {
        state.Lying[die] = false;
        record.push_back(Move::PickUp(die));
      }
    }
    record.push_back(ThrowRandom(state, chance));
  }
  return record;
}

// Every choice the rules allow after a throw.
inline std::vector<Choice> EveryChoice(const GameState& state) {
  std::vector<Choice> choices;
  for (int k = 1; k <= kCategoryCount; ++k) {
    if (Enter(state, k).Result == EntryResult::Entered) choices.push_back({k, {}});
  }
  if (state.RollsLeft > 0) {
    const DiceSets& sets = DiceSets::Get();
    std::array<int, 6> dice{};
    for (int die = 1; die <= kDiceCount; ++die)
      dice[static_cast<std::size_t>(die - 1)] = state.Dice[die];
    for (const int kept : sets.Keeps(sets.IndexOf(FaceCount(dice)))) {
      choices.push_back({0, sets.Counts(kept)});
    }
  }
  return choices;
}

// A whole game of one throw a category, each entered at once in card order: a game the advisor
// would often have played otherwise.
inline const std::vector<std::vector<int>> kOneThrowPerCategory{
    {1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2}, {3, 3, 3, 3, 3, 3}, {4, 4, 4, 4, 4, 4},
    {5, 5, 5, 5, 5, 5}, {6, 6, 6, 6, 6, 6}, {1, 1, 2, 3, 4, 6}, {1, 1, 2, 2, 3, 4},
    {1, 1, 2, 2, 3, 3}, {1, 1, 1, 2, 3, 4}, {1, 1, 1, 1, 2, 3}, {1, 1, 1, 1, 1, 2},
    {1, 2, 3, 4, 5, 5}, {2, 3, 4, 5, 6, 6}, {1, 2, 3, 4, 5, 6}, {1, 1, 1, 2, 2, 3},
    {1, 1, 1, 2, 2, 2}, {1, 1, 1, 1, 2, 2}, {6, 5, 4, 3, 2, 1}, {2, 2, 2, 2, 2, 2}};

inline MoveRecord OneThrowPerCategory() {
  GameState state;
  MoveRecord moves;
  for (int k = 1; k <= kCategoryCount; ++k) {
    OneBased<int, kDiceCount> faces;
    std::copy_n(kOneThrowPerCategory[static_cast<std::size_t>(k - 1)].begin(), kDiceCount,
                faces.begin());
    state = AfterThrow(state, faces);
    moves.push_back(Move::Throw(state.Dice, state.RollsLeft));
    const EntryOutcome entry = Enter(state, k);
    moves.push_back(Move::Entry(k, entry.Points));
    state = entry.After;
  }
  return moves;
}

}  // namespace pyxaro::testing
