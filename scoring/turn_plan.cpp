#include "scoring/turn_plan.h"

#include <algorithm>

namespace pyxaro {

void TurnPlan::FinishLayer(int rolls, bool canThrow, const std::vector<float>& enter) {
  const DiceSets& sets = DiceSets::Get();
  const std::int16_t* with = sets.WithAll();
  const std::int16_t* without = sets.WithoutAll();
  float* value = &values_[Slot(rolls, 0)];
  keepBefore_.resize(DiceSets::kFullSets);
  bestKeep_.resize(DiceSets::kSets + 1);
  // No entry and no roll left: the game ends with nothing more scored.
  const float floor = rolls > 0 ? kNoEntry : 0.0F;
  for (int i = 0; i < DiceSets::kFullSets; ++i) {
    const float keep = canThrow ? keepBefore_[static_cast<std::size_t>(i)] : kNoEntry;
    value[DiceSets::kFirstFull + i] =
        std::max(std::max(enter[static_cast<std::size_t>(i)], keep), floor);
  }
  // Sets are numbered by size, so every set's larger neighbours are done
  // before it: throwing the missing dice one at a time gives the same mean.
  for (int set = DiceSets::kFirstFull - 1; set >= 0; --set) {
    const std::int16_t* next = with + set * 6;
    const float sum = value[next[0]] + value[next[1]] + value[next[2]] + value[next[3]] +
                      value[next[4]] + value[next[5]];
    value[set] = sum * (1.0F / 6.0F);
  }
  // The best keep of each set is its own worth or the best keep of a set
  // one die smaller; full sets must give up at least one die. A face the set
  // does not show leads to the place past the last set, which holds nothing.
  float* bestKeep = bestKeep_.data();
  bestKeep[DiceSets::kSets] = kNoEntry;
  for (int set = 0; set < DiceSets::kSets; ++set) {
    const std::int16_t* smaller = without + set * 6;
    const float own = set < DiceSets::kFirstFull ? value[set] : kNoEntry;
    bestKeep[set] = std::max(
        std::max(std::max(own, bestKeep[smaller[0]]),
                 std::max(bestKeep[smaller[1]], bestKeep[smaller[2]])),
        std::max(std::max(bestKeep[smaller[3]], bestKeep[smaller[4]]), bestKeep[smaller[5]]));
  }
  std::copy(bestKeep_.begin() + DiceSets::kFirstFull, bestKeep_.begin() + DiceSets::kSets,
            keepBefore_.begin());
}

TurnPlan::Keep TurnPlan::BestKeep(int rolls, int fullSet) const {
  Keep best;
  if (rolls <= 0 || rolls > layers_) return best;
  for (const int set : DiceSets::Get().Keeps(fullSet)) {
    const float value = Value(rolls - 1, set);
    if (value > best.value) best = {set, value};
  }
  return best;
}

}  // namespace pyxaro
