#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "scoring/categories.h"
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

// The longest record the rules allow. An entry lifts every die, so that the throw after it follows
// no pick-up: the longest game enters once, with its last throw. The first throw, then pick-ups
// each laid back by an undo up to the record's 2,000 moves (past them an undo takes its pick-ups
// back instead of being added), then all six dice picked up before each of the other 59 throws, and
// the last throw entered as a Yatzy: 60 throws (590 characters), 2,067 pick-ups (4,134), 286 undos,
// "E20=100" and the 2,413 spaces between the 2,414 moves.
constexpr std::size_t kLongestRecord = 7430;

// Plays the longest game there is: see kLongestRecord. On dice a test lays out its last throw is
// a Yatzy; on a seed's dice it goes where the rules take it, the record a character or two shorter.
class LongestPlayer : public Player {
 public:
  Move Choose(const GameState& state) override {
    ++moves_;
    if (!state.Thrown()) return Throw(state);
    if (moves_ <= kMostRecordedMoves) {
      for (int die = 1; die <= kDiceCount; ++die) {
        if (state.OnTable(die) && moves_ < kMostRecordedMoves) return Move::PickUp(die);
      }
      return Move::Undo();
    }
    return state.RollsLeft == 0 ? LastEntry(state) : Throw(state);
  }
  // The faces the dice are to show in the next throw: the last one six alike.
  static OneBased<int, kDiceCount> NextFaces(const GameState& state) {
    if (state.RollsLeft == 1) return {6, 6, 6, 6, 6, 6};
    return {1, 2, 3, 4, 5, 6};
  }

 private:
  // The Yatzy; on dice that are none, the last category on the card that takes them.
  static Move LastEntry(const GameState& state) {
    for (int k = kYatzy; k >= 1; --k) {
      const Move entry = EntryOf(state, k);
      if (pyxaro::Played(state, entry)) return entry;
    }
    return EntryOf(state, kYatzy);
  }
  // All six dice picked up one by one, then thrown.
  static Move Throw(const GameState& state) {
    for (int die = 1; die <= kDiceCount; ++die) {
      if (state.OnTable(die)) return Move::PickUp(die);
    }
    return Move::Throw({}, 0);
  }
  std::size_t moves_ = 0;
};

// A whole game on the dice of `seed`, played as ChoosingPlayer plays.
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

// One throw a category, each entered at once in card order: a game the advisor would often have
// played otherwise.
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
    std::ranges::copy(kOneThrowPerCategory[static_cast<std::size_t>(k - 1)], faces.begin());
    for (const bool entry : {false, true}) {
      moves.push_back(entry ? EntryOf(state, k) : ThrowOf(state, faces));
      state = *pyxaro::Played(state, moves.back());
    }
  }
  return moves;
}

}  // namespace pyxaro::testing
