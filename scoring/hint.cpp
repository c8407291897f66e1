#include "core/game.h"
#include "scoring/categories.h"

namespace pyxaro {

namespace {

constexpr int kMarkerTop = 1590;
constexpr int kRowStep = 315;

}  // namespace

void Game::MarkBestCategory() {
  const FaceCounts counts = FaceCount(state.Dice.items);
  int best = 0;
  state.BestCategory = 0;
  for (const Category& category : kCategories) {
    if (!main.CategoryRows[category.number].Enabled) continue;
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
    main.HintMarker.Top = kMarkerTop + kRowStep * (state.BestCategory - 1);
    main.HintMarker.Visible = true;
  } else {
    main.HintMarker.Visible = false;
  }
}

}  // namespace pyxaro
