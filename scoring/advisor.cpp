#include "scoring/advisor.h"

#include <algorithm>

#include "scoring/block_values.h"

namespace pyxaro {

namespace {

constexpr std::uint32_t kAllOpen = (1U << kCategoryCount) - 1;
// A throw aims at the category the turn's points most likely come from,
// seen over the next few throws: the chance still undecided after them, or
// below this, no longer changes the answer.
constexpr int kAimThrows = 4;
constexpr float kUndecided = 0.02F;
// The entries of the turn's last layers are valued by planning the next turn
// too, over the layers it most likely ends in: all the next turns together
// over this many layers, each over this many at least, half of them for the
// entries of this turn and half for the throws of the next.
constexpr int kNextTurnLayers = 500;
constexpr int kShortestSpan = 12;

std::size_t EntrySlot(int rolls, int fullSet) {
  return static_cast<std::size_t>(rolls) * DiceSets::kFullSets +
         static_cast<std::size_t>(fullSet - DiceSets::kFirstFull);
}

bool AllThrown(const std::array<int, 6>& dice) {
  return std::all_of(dice.begin(), dice.end(), [](int face) { return face >= 1 && face <= 6; });
}

// The dice to pick up so that the table holds `keep`: dice already off the
// table go first, so the player clicks as little as possible.
std::array<bool, 6> DiceToPickUp(const AdvisorPosition& position, const FaceCounts& keep) {
  FaceCounts toKeep = keep;
  std::array<bool, 6> pickUp{};
  for (const bool lying : {true, false}) {
    for (std::size_t die = 0; die < 6; ++die) {
      if (position.onTable[die] != lying) continue;
      int& left = toKeep[static_cast<std::size_t>(position.dice[die] - 1)];
      if (left > 0) {
        --left;
      } else {
        pickUp[die] = true;
      }
    }
  }
  return pickUp;
}

// What an entry of `points` in category k is worth: the points with the
// bonus they win, and `after`, the worth of the game it leaves. The plan and
// the value of a single entry both take it from here, so that the advice is
// worth exactly the most of the choices.
float EntryWorth(int upperSum, int k, int points, float after) {
  return static_cast<float>(points +
                            (blocks::IsUpper(k) ? blocks::BonusWon(upperSum, points) : 0)) +
         after;
}

// Calls `use(k, count, left, sum)` for every entry an open category k can
// take: the count of k's face it holds (0 for a lower category), the
// categories left open and the upper sum after it. An entry scores more than
// nothing, so an upper one counts one face at least.
template <typename Use>
void ForEachEntryOutcome(std::uint32_t open, int upperSum, Use&& use) {
  for (int k = 1; k <= kCategoryCount; ++k) {
    const std::uint32_t bit = 1U << (k - 1);
    if ((open & bit) == 0) continue;
    const bool upper = blocks::IsUpper(k);
    for (int count = upper ? 1 : 0; count <= (upper ? kDiceCount : 0); ++count) {
      use(k, count, open & ~bit, blocks::SumAfter(upperSum, k * count));
    }
  }
}

}  // namespace

Advisor::Advisor(const float* blockValues, const correction::Weights& correction,
                 Foresight foresight)
    : blockValues_(blockValues), correction_(correction), foresight_(foresight) {}

float Advisor::TurnValue(std::uint32_t open, int upperSum, int rolls) {
  if (rolls <= 0 || open == 0) return 0.0F;
  PlanTurn(open, std::clamp(upperSum, 0, blocks::kBonusLine), rolls);
  return plan_.TurnValue(rolls);
}

float Advisor::StateValue(std::uint32_t open, int upperSum, int rolls) const {
  float value = 0.0F;
  StateValues(open, upperSum, rolls, rolls + 1, &value);
  return value;
}

void Advisor::StateValues(std::uint32_t open, int upperSum, int first, int last,
                          float* values) const {
  const int sum = std::clamp(upperSum, 0, blocks::kBonusLine);
  const float* upper = &blockValues_[blocks::UpperSlot(blocks::UpperPart(open), sum, 0)];
  const float* lower = &blockValues_[blocks::LowerSlot(blocks::LowerPart(open), 0)];
  float correction = 0.0F;
  for (int rolls = first; rolls < last; ++rolls) {
    float& value = values[rolls - first];
    if (rolls <= 0 || open == 0) {
      value = 0.0F;
      continue;
    }
    // The correction changes only from one step of rolls to the next.
    if (rolls == first || rolls % correction::kRollsPerStep == 0) {
      correction = correction::Value(correction_, open, sum, rolls);
    }
    float best = 0.0F;
    for (int toUpper = 0; toUpper <= rolls; ++toUpper) {
      best = std::max(best, upper[toUpper] + lower[rolls - toUpper]);
    }
    value = best + correction;
  }
}

void Advisor::Afterwards::Reset(int first, int layers) {
  first_ = first;
  width_ = layers - first;
  values_.assign(static_cast<std::size_t>(kSlots * width_), 0.0F);
}

void Advisor::ValueAfterwards(std::uint32_t open, int upperSum, int first, int layers,
                              Afterwards& afterwards) const {
  afterwards.Reset(first, layers);
  ForEachEntryOutcome(open, upperSum, [&](int k, int count, std::uint32_t left, int sum) {
    StateValues(left, sum, first, layers, afterwards.Of(Afterwards::Slot(k, count)));
  });
}

void Advisor::ListEntryOptions(std::uint32_t open, int upperSum) {
  const DiceSets& sets = DiceSets::Get();
  options_.clear();
  for (int d = DiceSets::kFirstFull; d < DiceSets::kSets; ++d) {
    optionsOf_[static_cast<std::size_t>(d - DiceSets::kFirstFull)] =
        static_cast<int>(options_.size());
    for (const auto [k, points] : sets.Fits(d)) {
      if ((open & (1U << (k - 1))) == 0) continue;
      options_.push_back({EntryWorth(upperSum, k, points, 0.0F),
                          static_cast<std::int16_t>(Afterwards::SlotOf(k, points)),
                          static_cast<std::int8_t>(k)});
    }
  }
  optionsOf_.back() = static_cast<int>(options_.size());
}

template <typename Record>
void Advisor::SolveTurn(TurnPlan& plan, std::uint32_t open, int upperSum, int first, int layers,
                        const Afterwards& afterwards, float rethrow, Record&& record) {
  ListEntryOptions(open, upperSum);
  plan.Solve(first, layers, [&](int rolls, std::vector<float>& best) {
    std::array<float, Afterwards::kSlots> after{};
    for (int slot = 0; slot < Afterwards::kSlots; ++slot)
      after[static_cast<std::size_t>(slot)] = afterwards.At(slot, rolls);
    for (int i = 0; i < DiceSets::kFullSets; ++i) {
      float value = rolls == first && first > 0 ? rethrow : kNoEntry;
      int category = 0;
      for (int o = optionsOf_[static_cast<std::size_t>(i)];
           o < optionsOf_[static_cast<std::size_t>(i) + 1]; ++o) {
        const EntryOption& option = options_[static_cast<std::size_t>(o)];
        const float worth = option.points + after[static_cast<std::size_t>(option.slot)];
        if (worth > value) {
          value = worth;
          category = option.category;
        }
      }
      best[static_cast<std::size_t>(i)] = value;
      record(rolls, i + DiceSets::kFirstFull, value, category);
    }
  });
}

void Advisor::LookAhead(std::uint32_t open, int upperSum, int layers) {
  int nextTurns = 0;
  ForEachEntryOutcome(open, upperSum, [&nextTurns](int, int, std::uint32_t, int) { ++nextTurns; });
  // The fewer categories are open, the longer a turn may last (a last
  // category is chased with every roll left), and the more layers each next
  // turn is planned over for the same work.
  const int span = std::max(kNextTurnLayers / std::max(nextTurns, 1), kShortestSpan);
  const int from = std::max(1, layers - span / 2);
  const int first = std::max(0, from - 1 - span / 2);
  ForEachEntryOutcome(open, upperSum, [&](int k, int count, std::uint32_t left, int sum) {
    // The last entry leaves no next turn: what follows it is worth nothing.
    if (left == 0) return;
    ValueAfterwards(left, sum, first, layers - 1, nextAfterwards_);
    SolveTurn(nextPlan_, left, sum, first, layers - 1, nextAfterwards_,
              StateValue(left, sum, first), [](int, int, float, int) {});
    float* values = afterwards_.Of(Afterwards::Slot(k, count));
    for (int rolls = from; rolls < layers; ++rolls) values[rolls] = nextPlan_.TurnValue(rolls);
  });
}

void Advisor::PlanTurn(std::uint32_t open, int upperSum, int layers) {
  if (planned_ && plannedOpen_ == open && plannedSum_ == upperSum && plan_.Layers() >= layers) {
    return;
  }
  ValueAfterwards(open, upperSum, 0, layers, afterwards_);
  if (foresight_ == Foresight::NextTurn) LookAhead(open, upperSum, layers);
  entryValue_.assign(static_cast<std::size_t>(layers) * DiceSets::kFullSets, kNoEntry);
  entryCategory_.assign(entryValue_.size(), 0);
  SolveTurn(plan_, open, upperSum, 0, layers, afterwards_, kNoEntry,
            [this](int rolls, int d, float value, int category) {
              entryValue_[EntrySlot(rolls, d)] = value;
              entryCategory_[EntrySlot(rolls, d)] = static_cast<std::int8_t>(category);
            });
  planned_ = true;
  plannedOpen_ = open;
  plannedSum_ = upperSum;
}

int Advisor::AimOf(int rolls, int keptSet) const {
  const DiceSets& sets = DiceSets::Get();
  std::array<float, kCategoryCount> expected{};
  std::vector<float> mass(DiceSets::kSets, 0.0F);
  mass[static_cast<std::size_t>(keptSet)] = 1.0F;
  for (int layer = rolls - 1; layer >= std::max(0, rolls - kAimThrows); --layer) {
    // The thrown dice land one at a time: spread each kept set over its
    // larger neighbours.
    for (int set = 0; set < DiceSets::kFirstFull; ++set) {
      const float m = mass[static_cast<std::size_t>(set)];
      if (m == 0.0F) continue;
      mass[static_cast<std::size_t>(set)] = 0.0F;
      for (int face = 1; face <= 6; ++face)
        mass[static_cast<std::size_t>(sets.With(set, face))] += m / 6.0F;
    }
    float undecided = 0.0F;
    for (int d = DiceSets::kFirstFull; d < DiceSets::kSets; ++d) {
      const float m = mass[static_cast<std::size_t>(d)];
      if (m == 0.0F) continue;
      mass[static_cast<std::size_t>(d)] = 0.0F;
      const TurnPlan::Keep keep = plan_.BestKeep(layer, d);
      const float enter = entryValue_[EntrySlot(layer, d)];
      if (enter >= keep.value) {
        const int k = entryCategory_[EntrySlot(layer, d)];
        if (k > 0)
          expected[static_cast<std::size_t>(k - 1)] += m * static_cast<float>(sets.Points(d, k));
      } else {
        mass[static_cast<std::size_t>(keep.set)] += m;
        undecided += m;
      }
    }
    if (undecided < kUndecided) break;
  }
  const auto richest = std::max_element(expected.begin(), expected.end());
  return *richest > 0.0F ? static_cast<int>(richest - expected.begin()) + 1 : 0;
}

float Advisor::KeepValue(const AdvisorPosition& position, const FaceCounts& kept) {
  const std::uint32_t open = position.open & kAllOpen;
  if (open == 0 || !position.thrown || !AllThrown(position.dice) || position.rollsLeft <= 0) {
    return kNoEntry;
  }
  const DiceSets& sets = DiceSets::Get();
  const FaceCounts thrown = FaceCount(position.dice);
  int keptDice = 0;
  for (std::size_t face = 0; face < thrown.size(); ++face) {
    if (kept[face] < 0 || kept[face] > thrown[face]) return kNoEntry;
    keptDice += kept[face];
  }
  if (keptDice == kDiceCount) return kNoEntry;
  const int layer = std::min(position.rollsLeft, blocks::kRolls - 1);
  PlanTurn(open, std::clamp(position.upperSum, 0, blocks::kBonusLine), layer + 1);
  return plan_.Value(layer - 1, sets.IndexOf(kept));
}

float Advisor::EntryValue(const AdvisorPosition& position, int category) {
  const std::uint32_t open = position.open & kAllOpen;
  if (category < 1 || category > kCategoryCount || (open & (1U << (category - 1))) == 0 ||
      !position.thrown || !AllThrown(position.dice)) {
    return kNoEntry;
  }
  const int points =
      DiceSets::Get().Points(DiceSets::Get().IndexOf(FaceCount(position.dice)), category);
  if (points == 0) return kNoEntry;
  const int sum = std::clamp(position.upperSum, 0, blocks::kBonusLine);
  const int layer = std::min(std::max(position.rollsLeft, 0), blocks::kRolls - 1);
  // What the entry leaves is valued as the plan values it, look-ahead included.
  PlanTurn(open, sum, layer + 1);
  return EntryWorth(sum, category, points,
                    afterwards_.At(Afterwards::SlotOf(category, points), layer));
}

Advice Advisor::Advise(const AdvisorPosition& position) {
  const std::uint32_t open = position.open & kAllOpen;
  Advice advice;
  if (open == 0) return advice;
  if (!position.thrown || !AllThrown(position.dice)) {
    if (position.rollsLeft > 0) advice.move = AdviceMove::Throw;
    return advice;
  }
  const int rolls = std::max(position.rollsLeft, 0);
  const int sum = std::clamp(position.upperSum, 0, blocks::kBonusLine);
  PlanTurn(open, sum, std::min(rolls, blocks::kRolls - 1) + 1);
  const int layer = std::min(rolls, blocks::kRolls - 1);
  const int d = DiceSets::Get().IndexOf(FaceCount(position.dice));
  const float enter = entryValue_[EntrySlot(layer, d)];
  const TurnPlan::Keep keep = plan_.BestKeep(layer, d);
  if (enter == kNoEntry && keep.set < 0) return advice;
  if (enter >= keep.value) {
    advice.move = AdviceMove::Enter;
    advice.category = entryCategory_[EntrySlot(layer, d)];
    return advice;
  }
  advice.move = AdviceMove::PickUp;
  advice.pickUp = DiceToPickUp(position, DiceSets::Get().Counts(keep.set));
  advice.category = AimOf(layer, keep.set);
  return advice;
}

}  // namespace pyxaro
