#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scoring/advisor_correction.h"
#include "scoring/turn_plan.h"

namespace pyxaro {

static_assert(kCategoryCount < 32, "the open categories are the bits of one 32-bit word");

// What the advisor needs to know of a game, and nothing more.
struct AdvisorPosition {
  std::array<int, 6> dice{};  // the faces of the last throw
  std::array<bool, 6> onTable{};
  std::uint32_t open = 0;  // bit k - 1 set while category k is open
  int rollsLeft = 0;
  int upperSum = 0;
  bool thrown = false;  // the dice on the table were thrown in this category's turn
};

enum class AdviceMove {
  None,    // the game is over: nothing is left to do
  Throw,   // the turn begins: throw all six
  PickUp,  // pick these dice up and throw them again
  Enter,   // enter the dice in this category now
};

struct Advice {
  AdviceMove move = AdviceMove::None;
  std::array<bool, 6> pickUp{};  // the dice to have off the table for the throw
  int category = 0;              // the category to enter, or the one the throw aims at
  bool operator==(const Advice&) const = default;
};

// Plays like an expert: the turn is planned exactly, and what comes after an
// entry is valued by planning the next turn too, and beyond it from the
// block tables the build solved. It keeps the plan of the turn in progress,
// so every throw after the first is a look-up.
class Advisor {
 public:
  // How far the advisor looks: this turn, its entries valued from the
  // tables; or the next turn too, planned exactly for the entries this turn
  // most likely ends with.
  enum class Foresight { ThisTurn, NextTurn };
  Advisor(const float* blockValues, const correction::Weights& correction,
          Foresight foresight = Foresight::NextTurn);
  Advice Advise(const AdvisorPosition& position);

  // What each choice in a position just thrown is worth: the points still
  // to come when the player keeps these faces on the table and throws the
  // other dice again, or enters the dice in this category; kNoEntry for a
  // choice the rules do not allow there. The advice is a choice worth most.
  float KeepValue(const AdvisorPosition& position, const FaceCounts& kept);
  float EntryValue(const AdvisorPosition& position, int category);

  // The worth of the rest of a game whose next turn begins in this state.
  float StateValue(std::uint32_t open, int upperSum, int rolls) const;
  // The same for every count of rolls from `first` to `last` - 1.
  void StateValues(std::uint32_t open, int upperSum, int first, int last, float* values) const;
  // The same worth seen one turn deeper: the turn planned exactly, the
  // state after it valued as above.
  float TurnValue(std::uint32_t open, int upperSum, int rolls);

 private:
  // What an entry of each open category leaves behind: the worth of the
  // rest of the game for every count of rolls from `first` to `layers` - 1.
  // Upper entries differ by the points they add to the upper sum.
  class Afterwards {
   public:
    static constexpr int kSlots = kCategoryCount * (kDiceCount + 1);
    static int Slot(int category, int count) { return (category - 1) * (kDiceCount + 1) + count; }
    // The slot of an entry of `points` in category k: an upper one by the
    // count of k's face it holds.
    static int SlotOf(int category, int points) {
      return Slot(category, blocks::IsUpper(category) ? points / category : 0);
    }
    void Reset(int first, int layers);
    float* Of(int slot) { return &values_[static_cast<std::size_t>(slot * width_)]; }
    float At(int slot, int rolls) const {
      return values_[static_cast<std::size_t>(slot * width_ + rolls - first_)];
    }

   private:
    int first_ = 0;
    int width_ = 0;
    std::vector<float> values_;
  };
  // An entry a full set of dice allows: its points with the bonus they win,
  // and what it leaves behind.
  struct EntryOption {
    float points;
    std::int16_t slot;
    std::int8_t category;
  };

  void PlanTurn(std::uint32_t open, int upperSum, int layers);
  void ValueAfterwards(std::uint32_t open, int upperSum, int first, int layers,
                       Afterwards& afterwards) const;
  void LookAhead(std::uint32_t open, int upperSum, int layers);
  // Solves `plan` from layer `first`: in that layer a full set that is not
  // entered is thrown again whole, worth `rethrow`.
  template <typename Record>
  void SolveTurn(TurnPlan& plan, std::uint32_t open, int upperSum, int first, int layers,
                 const Afterwards& afterwards, float rethrow, Record&& record);
  int AimOf(int rolls, int keptSet) const;
  void ListEntryOptions(std::uint32_t open, int upperSum);

  const float* blockValues_;
  const correction::Weights& correction_;
  Foresight foresight_;
  TurnPlan plan_;
  Afterwards afterwards_;
  // The next turn, planned over the few layers this turn may end in.
  TurnPlan nextPlan_;
  Afterwards nextAfterwards_;
  // The entries of each full set, listed from `optionsOf_[d - kFirstFull]`.
  std::vector<EntryOption> options_;
  std::array<int, DiceSets::kFullSets + 1> optionsOf_{};
  bool planned_ = false;
  std::uint32_t plannedOpen_ = 0;
  int plannedSum_ = 0;
  // The best entry of every full set in every layer, and its category.
  std::vector<float> entryValue_;
  std::vector<std::int8_t> entryCategory_;
};

}  // namespace pyxaro
