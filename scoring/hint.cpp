#include "core/game.h"
#include "scoring/categories.h"

namespace pyxaro {

namespace {

constexpr int kIndikTop = 1590;
constexpr int kRowStep = 315;

}  // namespace

void Game::CheckKateg() {
  const FaceCounts counts = FaceCount(state.Dice.items);
  int best = 0;
  state.BestCategory = 0;
  for (const Category& category : kCategories) {
    if (!main.btn[category.number].Enabled) continue;
    // Chance takes any dice, so proposing it while rolls remain would only
    // waste it; at the end of the pool it competes like any other.
    if (category.rule.kind == RuleKind::Chance && state.RollsLeft > 0) continue;
    const int value = ValueOfCounts(category.rule, counts);
    // Strictly greater: a tie keeps the category higher up the card.
    if (value > best) {
      best = value;
      state.BestCategory = category.number;
    }
  }
  if (state.BestCategory != 0) {
    main.Indik.Top = kIndikTop + kRowStep * (state.BestCategory - 1);
    main.Indik.Visible = true;
  } else {
    main.Indik.Visible = false;
  }
}

}  // namespace pyxaro
