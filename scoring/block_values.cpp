#include "scoring/block_values.h"

#include <algorithm>
#include <bit>
#include <thread>
#include <utility>

#include "scoring/turn_plan.h"

namespace pyxaro::blocks {

namespace {

// Solves every set of open categories after the sets one category smaller,
// which are all its entries can lead to; the sets of one size are shared
// between two threads.
template <typename SolveSet>
void SolveBySize(int sets, SolveSet solveSet) {
  for (int size = 1; (1 << size) <= sets; ++size) {
    std::vector<int> group;
    for (int open = 1; open < sets; ++open) {
      if (std::popcount(static_cast<unsigned>(open)) == size) group.push_back(open);
    }
    const auto solveShare = [&group, &solveSet](std::size_t first) {
      TurnPlan plan;
      for (std::size_t i = first; i < group.size(); i += 2) solveSet(group[i], plan);
    };
    std::thread other(solveShare, 1);
    solveShare(0);
    other.join();
  }
}

void BuildUpper(std::vector<float>& values) {
  const DiceSets& sets = DiceSets::Get();
  SolveBySize(kUpperSets, [&](int open, TurnPlan& plan) {
    for (int sum = 0; sum < kUpperSums; ++sum) {
      plan.Solve(kRolls - 1, [&](int rolls, std::vector<float>& best) {
        for (int d = DiceSets::kFirstFull; d < DiceSets::kSets; ++d) {
          float value = kNoEntry;
          for (const auto [k, points] : sets.Fits(d)) {
            const int bit = 1 << (k - 1);
            if (k > kUpperCategories || (open & bit) == 0) continue;
            const float after = values[UpperSlot(open & ~bit, SumAfter(sum, points), rolls)];
            value = std::max(value, static_cast<float>(points + BonusWon(sum, points)) + after);
          }
          best[static_cast<std::size_t>(d - DiceSets::kFirstFull)] = value;
        }
      });
      for (int rolls = 0; rolls < kRolls; ++rolls) {
        values[UpperSlot(open, sum, rolls)] = plan.TurnValue(rolls);
      }
    }
  });
}

void BuildLower(std::vector<float>& values) {
  const DiceSets& sets = DiceSets::Get();
  SolveBySize(kLowerSets, [&](int open, TurnPlan& plan) {
    plan.Solve(kRolls - 1, [&](int rolls, std::vector<float>& best) {
      for (int d = DiceSets::kFirstFull; d < DiceSets::kSets; ++d) {
        float value = kNoEntry;
        for (const auto [k, points] : sets.Fits(d)) {
          const int bit = 1 << (k - kUpperCategories - 1);
          if (k <= kUpperCategories || (open & bit) == 0) continue;
          value =
              std::max(value, static_cast<float>(points) + values[LowerSlot(open & ~bit, rolls)]);
        }
        best[static_cast<std::size_t>(d - DiceSets::kFirstFull)] = value;
      }
    });
    for (int rolls = 0; rolls < kRolls; ++rolls) {
      values[LowerSlot(open, rolls)] = plan.TurnValue(rolls);
    }
  });
}

}  // namespace

std::vector<float> Build() {
  std::vector<float> values(kValues, 0.0F);
  BuildUpper(values);
  BuildLower(values);
  return values;
}

}  // namespace pyxaro::blocks
