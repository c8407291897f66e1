#pragma once

#include <limits>
#include <vector>

#include "scoring/dice_sets.h"

namespace pyxaro {

inline constexpr float kNoEntry = -std::numeric_limits<float>::infinity();

// The best play of one category's turn, solved backwards from the last roll
// of the pool. Layer r is "r rolls left after this throw"; for each layer it
// keeps the value of every set of dice on the table (a full set: the best of
// entering and throwing again; a smaller set: the mean over what the thrown
// dice show). A layer depends only on the layers below it, so one plan serves
// every throw of a turn whatever the rolls were when it began.
class TurnPlan {
 public:
  // `enter(r, best)` fills best[d - kFirstFull] with the value of the best
  // entry of full set d with r rolls left (points now and the worth of what
  // follows), kNoEntry when the dice fit no open category.
  template <typename Enter>
  void Solve(int layers, Enter&& enter) {
    Solve(0, layers, enter);
  }
  // The same from layer `first` up only: the layers below it are left
  // unsolved, so in layer `first` a full set cannot be thrown again, and
  // `enter` should offer there what a throw of all six is worth.
  template <typename Enter>
  void Solve(int first, int layers, Enter&& enter);

  int Layers() const { return layers_; }
  // The worth of set `set` on the table in layer `rolls`: for a kept set,
  // before the picked-up dice are thrown with `rolls` left afterwards.
  float Value(int rolls, int set) const { return values_[Slot(rolls, set)]; }
  // The worth of a turn that begins with `rolls` in the pool.
  float TurnValue(int rolls) const { return rolls <= 0 ? 0.0F : Value(rolls - 1, 0); }
  // The best set to keep from full set d before a throw that leaves
  // `rolls - 1`, with its worth.
  struct Keep {
    int set = -1;
    float value = kNoEntry;
  };
  Keep BestKeep(int rolls, int fullSet) const;

 private:
  static std::size_t Slot(int rolls, int set) {
    return static_cast<std::size_t>(rolls) * DiceSets::kSets + static_cast<std::size_t>(set);
  }
  void FinishLayer(int rolls, bool canThrow, const std::vector<float>& enter);

  int layers_ = 0;
  std::vector<float> values_;
  std::vector<float> bestKeep_;  // the best kept subset of each set, this layer
  std::vector<float> keepBefore_;
  std::vector<float> best_;
};

template <typename Enter>
void TurnPlan::Solve(int first, int layers, Enter&& enter) {
  layers_ = layers;
  values_.resize(Slot(layers, 0));
  best_.resize(DiceSets::kFullSets);
  for (int rolls = first; rolls < layers; ++rolls) {
    enter(rolls, best_);
    FinishLayer(rolls, rolls > first, best_);
  }
}

}  // namespace pyxaro
