#include "scoring/advice_text.h"

#include <algorithm>
#include <vector>

namespace pyxaro {

std::string AdviceText(const Advice& advice, const std::array<int, 6>& dice,
                       const AdviceWords& words, const std::string& categoryName) {
  switch (advice.move) {
    case AdviceMove::Throw:
      return words.throwDice;
    case AdviceMove::Enter:
      return words.enter + " " + categoryName;
    case AdviceMove::PickUp: {
      std::vector<int> kept;
      for (std::size_t die = 0; die < dice.size(); ++die) {
        if (!advice.pickUp[die]) kept.push_back(dice[die]);
      }
      if (kept.empty()) return words.throwAll;
      std::sort(kept.begin(), kept.end());
      // The faces side by side ("KEEP 22356"): the word and five faces fit
      // one page of the display in every language.
      std::string text = words.keep + " ";
      for (const int face : kept) text += std::to_string(face);
      return text;
    }
    case AdviceMove::None:
      break;
  }
  return words.none;
}

}  // namespace pyxaro
