#pragma once

#include <cstdint>

#include "core/one_based.h"

namespace pyxaro {

inline constexpr int kDiceCount = 6;
inline constexpr int kDiceFaces = 6;
inline constexpr int kCategoryCount = 20;
inline constexpr int kUpperCategories = 6;  // categories 1..6, one per face
inline constexpr int kLowerCategories = kCategoryCount - kUpperCategories;
inline constexpr int kRollPool = 60;
inline constexpr int kBonusThreshold = 84;
inline constexpr int kUpperBonus = 100;

enum class Bonus { Open, Won, Lost };

// Every fact of one game, and nothing of how it looks. A category is open
// while its score is 0: an entry always scores more than 0.
struct GameState {
  OneBased<int, kDiceCount> Dice;       // faces 1..6; 0 = not thrown this game
  OneBased<bool, kDiceCount> Lying;     // on the table, as opposed to picked up
  OneBased<int, kCategoryCount> Score;  // 0 = open
  int RollsLeft = kRollPool;
  bool ThrowEntered = false;  // the last throw went into a category: no second entry
  std::int16_t PlaySeconds = 0;

  bool operator==(const GameState&) const = default;

  bool OnTable(int die) const { return Lying[die]; }
  bool AllOnTable() const {
    for (const bool lying : Lying) {
      if (!lying) return false;
    }
    return true;
  }
  bool Thrown() const { return Dice[1] != 0; }
  bool IsOpen(int category) const { return Score[category] == 0; }
  int OpenCount() const {
    int open = 0;
    for (const int score : Score) open += score == 0 ? 1 : 0;
    return open;
  }
  int UpperSum() const {
    int sum = 0;
    for (int k = 1; k <= kUpperCategories; ++k) sum += Score[k];
    return sum;
  }
  bool UpperFull() const {
    for (int k = 1; k <= kUpperCategories; ++k) {
      if (IsOpen(k)) return false;
    }
    return true;
  }
  Bonus BonusState() const {
    if (UpperSum() >= kBonusThreshold) return Bonus::Won;
    return UpperFull() ? Bonus::Lost : Bonus::Open;
  }
  // The points of the card, with the bonus once it is won.
  int Total() const {
    int total = BonusState() == Bonus::Won ? kUpperBonus : 0;
    for (const int score : Score) total += score;
    return total;
  }
};

}  // namespace pyxaro
