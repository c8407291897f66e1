#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "scoring/block_values.h"

namespace pyxaro {

// What the two blocks played apart miss in the whole game: a throw that
// fails one block can still score in the other, and the bonus is chased
// with every roll of the pool. Fitted offline over simulated games
// (tools/advisor_fit), one value per group of alike states.
namespace correction {

// How many upper and lower categories are open, 0 to all of them.
inline constexpr int kUpperCounts = kUpperCategories + 1;
inline constexpr int kLowerCounts = kLowerCategories + 1;
static_assert(
    kUpperCategories == 6 && kLowerCategories == 14,
    "kFittedCorrection (scoring/advisor_weights.cpp) was fitted for a card of 6 upper and "
    "14 lower categories: refit it with tools/advisor_fit for the new card");
// The bonus is decided (won, or out of reach), or how far the upper sum is
// behind three of each open face, in steps of four: from eight points ahead
// to twenty behind, which is where a game begins.
inline constexpr int kBonusStates = 10;
inline constexpr int kRollSteps = 16;
inline constexpr int kRollsPerStep = 4;
inline constexpr int kCells = kUpperCounts * kLowerCounts * kBonusStates * kRollSteps;
// Which categories are open matters beyond how many: one that takes many
// kinds of throw is worth more in the whole game than in its block alone.
inline constexpr int kOpenCounts = kCategoryCount + 1;
inline constexpr int kTerms = kOpenCounts * kCategoryCount * kRollSteps;
struct Weights {
  std::array<float, kCells> cells{};
  std::array<float, kTerms> terms{};  // what each open category adds
};

inline int RollStep(int rolls) { return std::min(rolls / kRollsPerStep, kRollSteps - 1); }

inline int BonusState(std::uint32_t open, int upperSum) {
  int reachable = 0;
  int par = 0;
  for (int face = 1; face <= kUpperCategories; ++face) {
    if ((open & (1U << (face - 1))) == 0) continue;
    reachable += kDiceCount * face;
    par += 3 * face;
  }
  const int missing = blocks::kBonusLine - upperSum;
  if (missing <= 0 || missing > reachable) return 0;
  return std::clamp((missing - par + 12) / 4, 0, kBonusStates - 2) + 1;
}

inline std::size_t Cell(std::uint32_t open, int upperSum, int rolls) {
  const int upper = std::popcount(static_cast<unsigned>(blocks::UpperPart(open)));
  const int lower = std::popcount(static_cast<unsigned>(blocks::LowerPart(open)));
  const int step = RollStep(rolls);
  return static_cast<std::size_t>(
      ((upper * kLowerCounts + lower) * kBonusStates + BonusState(open, upperSum)) * kRollSteps +
      step);
}

// What open category k adds in a state of `openCount` open categories.
inline std::size_t CategoryTerm(int openCount, int category, int rolls) {
  return static_cast<std::size_t>((openCount * kCategoryCount + category - 1) * kRollSteps +
                                  RollStep(rolls));
}

// Calls `use` with the place in Weights::terms of every term of the state.
template <typename Use>
void ForEachTerm(std::uint32_t open, int rolls, Use&& use) {
  const int openCount = std::popcount(open);
  for (std::uint32_t left = open; left != 0; left &= left - 1) {
    use(CategoryTerm(openCount, std::countr_zero(left) + 1, rolls));
  }
}

inline float Value(const Weights& weights, std::uint32_t open, int upperSum, int rolls) {
  float value = weights.cells[Cell(open, upperSum, rolls)];
  ForEachTerm(open, rolls, [&](std::size_t term) { value += weights.terms[term]; });
  return value;
}

}  // namespace correction

// The weights the fit made, kept in the sources.
extern const correction::Weights kFittedCorrection;

}  // namespace pyxaro
