#pragma once

#include <array>
#include <string>

#include "scoring/advisor.h"

namespace pyxaro {

// The words the advice is told in, from the player's language.
struct AdviceWords {
  std::string keep;       // "KEEP", before the faces to keep
  std::string enter;      // "ENTER", before the category
  std::string throwAll;   // every die is to be thrown again
  std::string throwDice;  // the turn begins
  std::string none;       // nothing is left to do
};

// The advice as the dot display says it: "KEEP 5 5 5", "ENTER Hut".
std::string AdviceText(const Advice& advice, const std::array<int, 6>& dice,
                       const AdviceWords& words, const std::string& categoryName);

}  // namespace pyxaro
