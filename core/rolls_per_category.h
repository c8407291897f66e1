#pragma once

#include <string>

namespace pyxaro {

// Rolls left per open category, as the counter beside the scorecard shows
// it: two decimals, a half going to the even neighbour, no trailing zeros
// ("3", "2.95", "0.5", "0.12" for 1/8). Empty once the rolls are spent below
// zero or no category is left.
std::string RollsPerCategoryText(int rollsLeft, int categoriesLeft);

}  // namespace pyxaro
