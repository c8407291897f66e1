#include "core/rolls_per_category.h"

namespace pyxaro {

std::string RollsPerCategoryText(int rollsLeft, int categoriesLeft) {
  if (rollsLeft < 0 || categoriesLeft <= 0) return {};
  // Whole hundredths, rounded in integers so that a quotient like 0.125 is
  // seen as the exact half it is.
  const long long scaled = 100LL * rollsLeft;
  long long hundredths = scaled / categoriesLeft;
  const long long twiceRest = 2 * (scaled % categoriesLeft);
  if (twiceRest > categoriesLeft || (twiceRest == categoriesLeft && hundredths % 2 != 0)) {
    ++hundredths;
  }
  std::string text = std::to_string(hundredths / 100);
  const long long cents = hundredths % 100;
  if (cents != 0) {
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
  }
  return text;
}

}  // namespace pyxaro
