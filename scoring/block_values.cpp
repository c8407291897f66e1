#include "scoring/block_values.h"

#include <algorithm>
#include <utility>

#include "scoring/turn_plan.h"

namespace pyxaro::blocks {

namespace {

// The categories six dice fit, with their points: the only entries a turn
// plan ever weighs for them.
struct Fit {
  int category;
  int points;
};
using Fits = std::vector<std::vector<Fit>>;

Fits FitsOf(int firstCategory, int lastCategory) {
  const DiceSets& sets = DiceSets::Get();
  Fits fits(DiceSets::kFullSets);
  for (int d = DiceSets::kFirstFull; d < DiceSets::kSets; ++d) {
    for (int k = firstCategory; k <= lastCategory; ++k) {
      const int points = sets.Points(d, k);
      if (points > 0)
        fits[static_cast<std::size_t>(d - DiceSets::kFirstFull)].push_back({k, points});
    }
  }
  return fits;
}

void BuildUpper(std::vector<float>& values) {
  const Fits fits = FitsOf(1, 6);
  TurnPlan plan;
  for (int open = 1; open < kUpperSets; ++open) {
    for (int sum = 0; sum < kUpperSums; ++sum) {
      plan.Solve(kRolls - 1, [&](int rolls, std::vector<float>& best) {
        for (std::size_t i = 0; i < fits.size(); ++i) {
          float value = kNoEntry;
          for (const auto [k, points] : fits[i]) {
            const int bit = 1 << (k - 1);
            if ((open & bit) == 0) continue;
            const float after = values[UpperSlot(open & ~bit, SumAfter(sum, points), rolls)];
            value = std::max(value, static_cast<float>(points + BonusWon(sum, points)) + after);
          }
          best[i] = value;
        }
      });
      for (int rolls = 0; rolls < kRolls; ++rolls) {
        values[UpperSlot(open, sum, rolls)] = plan.TurnValue(rolls);
      }
    }
  }
}

void BuildLower(std::vector<float>& values) {
  const Fits fits = FitsOf(7, 20);
  TurnPlan plan;
  for (int open = 1; open < kLowerSets; ++open) {
    plan.Solve(kRolls - 1, [&](int rolls, std::vector<float>& best) {
      for (std::size_t i = 0; i < fits.size(); ++i) {
        float value = kNoEntry;
        for (const auto [k, points] : fits[i]) {
          const int bit = 1 << (k - 7);
          if ((open & bit) == 0) continue;
          value =
              std::max(value, static_cast<float>(points) + values[LowerSlot(open & ~bit, rolls)]);
        }
        best[i] = value;
      }
    });
    for (int rolls = 0; rolls < kRolls; ++rolls)
      values[LowerSlot(open, rolls)] = plan.TurnValue(rolls);
  }
}

}  // namespace

std::vector<float> Build() {
  std::vector<float> values(kValues, 0.0F);
  BuildUpper(values);
  BuildLower(values);
  return values;
}

}  // namespace pyxaro::blocks
