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
// entry is valued from the block tables the build solved. It keeps the plan
// of the turn in progress, so every throw after the first is a look-up.
class Advisor {
 public:
  Advisor(const float* blockValues, const correction::Weights& correction);
  Advice Advise(const AdvisorPosition& position);

  // What each choice in a position just thrown is worth: the points still
  // to come when the player keeps these faces on the table and throws the
  // other dice again, or enters the dice in this category; kNoEntry for a
  // choice the rules do not allow there. The advice is a choice worth most.
  float KeepValue(const AdvisorPosition& position, const FaceCounts& kept);
  float EntryValue(const AdvisorPosition& position, int category) const;

  // The worth of the rest of a game whose next turn begins in this state.
  float StateValue(std::uint32_t open, int upperSum, int rolls) const;
  // The same worth seen one turn deeper: the turn planned exactly, the
  // state after it valued as above.
  float TurnValue(std::uint32_t open, int upperSum, int rolls);

 private:
  void PlanTurn(std::uint32_t open, int upperSum, int layers);
  int AimOf(int rolls, int keptSet) const;

  const float* blockValues_;
  const correction::Weights& correction_;
  TurnPlan plan_;
  bool planned_ = false;
  std::uint32_t plannedOpen_ = 0;
  int plannedSum_ = 0;
  // The best entry of every full set in every layer, and its category.
  std::vector<float> entryValue_;
  std::vector<std::int8_t> entryCategory_;
};

}  // namespace pyxaro
