#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "scoring/dice_sets.h"
#include "scoring/entry.h"
#include "scoring/game_review.h"
#include "scoring/moves.h"
#include "scoring/players.h"

namespace pyxaro::testing {

// Plays, after every throw, the choice `pick` makes of the position: enters the dice, or picks up
// those it does not keep one by one and throws them.
class ChoosingPlayer : public Player {
 public:
  explicit ChoosingPlayer(std::function<Choice(const GameState&)> pick) : pick_(std::move(pick)) {}
  Move Choose(const GameState& state) override {
    if (!state.Thrown() || state.ThrowEntered) return Move::Throw({}, 0);
    if (state.AllOnTable()) {
      const Choice choice = pick_(state);
      if (choice.category > 0) return EntryOf(state, choice.category);
      kept_ = choice.kept;
    }
    FaceCounts left = kept_;
    for (int die = 1; die <= kDiceCount; ++die) {
      if (!state.OnTable(die)) continue;
      int& keep = left[static_cast<std::size_t>(state.Dice[die] - 1)];
      if (keep == 0) return Move::PickUp(die);
      --keep;
    }
    return Move::Throw({}, 0);
  }

 private:
  std::function<Choice(const GameState&)> pick_;
  FaceCounts kept_{};
};

// A move of any kind at random, whether the rules allow it or not.
inline Move AnyMove(std::mt19937& chance, const GameState& state) {
  switch (chance() % 4) {
    case 0:
      return Move::Throw({}, 0);
    case 1:
      return Move::PickUp(static_cast<int>(chance() % kDiceCount) + 1);
    case 2:
      return Move::Undo();
    default:
      return EntryOf(state, static_cast<int>(chance() % kCategoryCount) + 1);
  }
}

// Any move the rules allow, at random: throws, pick-ups, undos and entries alike.
class RandomPlayer : public Player {
 public:
  explicit RandomPlayer(unsigned seed) : chance_(seed) {}
  Move Choose(const GameState& state) override {
    for (;;) {
      const Move move = AnyMove(chance_, state);
      if (move.kind == Move::Kind::Throw ? CanThrow(state)
                                         : pyxaro::Played(state, move).has_value())
        return move;
    }
  }

 private:
  std::mt19937 chance_;
};

// A whole game on the dice of `seed` in which the player picks, after every throw, the choice
// `pick` makes of the position.
inline MoveRecord PlayedGame(unsigned seed, std::function<Choice(const GameState&)> pick) {
  ChoosingPlayer player(std::move(pick));
  return PlayGame(player, SeededDice(), seed).moves;
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
    for (const int kept : sets.Keeps(sets.IndexOf(FaceCount(dice))))
      choices.push_back({0, sets.Counts(kept)});
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
    const Move thrown = ThrowOf(state, faces);
    state = *pyxaro::Played(state, thrown);
    const Move entered = EntryOf(state, k);
    state = *pyxaro::Played(state, entered);
    moves.insert(moves.end(), {thrown, entered});
  }
  return moves;
}

}  // namespace pyxaro::testing
