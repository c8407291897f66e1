#pragma once

#include <cstdint>
#include <vector>

#include "core/game_state.h"

namespace pyxaro {

// The worth of playing the upper block alone (the six face categories and
// their bonus) and the lower block alone (the other fourteen), each with a
// given number of rolls, solved exactly turn by turn. Together they value
// a game state: the best split of the rolls between the two blocks.
namespace blocks {

inline constexpr int kRolls = kRollPool + 1;  // 0..60 rolls left
// The upper sum is counted up to the bonus line, where the bonus is won.
inline constexpr int kBonusLine = kBonusThreshold;
inline constexpr int kUpperSums = kBonusLine + 1;
static_assert(kRollPool == 60 && kBonusThreshold == 84 && kUpperBonus == 100,
              "kFittedCorrection (scoring/advisor_weights.cpp) was fitted for 60 rolls and a "
              "bonus of 100 at 84: refit it with tools/advisor_fit for the new card");
inline constexpr int kUpperSets = 1 << kUpperCategories;
inline constexpr int kLowerSets = 1 << kLowerCategories;
inline constexpr std::size_t kUpperValues = std::size_t{kUpperSets} * kUpperSums * kRolls;
inline constexpr std::size_t kLowerValues = std::size_t{kLowerSets} * kRolls;
inline constexpr std::size_t kValues = kUpperValues + kLowerValues;

inline constexpr bool IsUpper(int category) {
  return category >= 1 && category <= kUpperCategories;
}

// A set of open categories: bit k - 1 for category k.
inline int UpperPart(std::uint32_t open) { return static_cast<int>(open) & (kUpperSets - 1); }
inline int LowerPart(std::uint32_t open) {
  return static_cast<int>(open >> kUpperCategories) & (kLowerSets - 1);
}

// The bonus an upper entry of `points` wins from upper sum `sum`.
inline int BonusWon(int sum, int points) {
  return sum < kBonusLine && sum + points >= kBonusLine ? kUpperBonus : 0;
}
inline int SumAfter(int sum, int points) {
  return sum + points < kBonusLine ? sum + points : kBonusLine;
}

inline std::size_t UpperSlot(int openUpper, int sum, int rolls) {
  return (static_cast<std::size_t>(openUpper) * kUpperSums + static_cast<std::size_t>(sum)) *
             kRolls +
         static_cast<std::size_t>(rolls);
}
inline std::size_t LowerSlot(int openLower, int rolls) {
  return kUpperValues + static_cast<std::size_t>(openLower) * kRolls +
         static_cast<std::size_t>(rolls);
}

// Solves both blocks; the upper block's values come first, then the lower.
std::vector<float> Build();

// The values the build made, in the program itself.
const float* Embedded();

}  // namespace blocks

}  // namespace pyxaro
