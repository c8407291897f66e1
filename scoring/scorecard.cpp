#include <string>

#include "core/game.h"
#include "core/rolls_per_category.h"
#include "scoring/categories.h"
#include "scoring/entry.h"
#include "settings/language_keys.h"

namespace pyxaro {

namespace {

constexpr int kMarkerTop = 1590;
constexpr int kRowStep = 315;

}  // namespace

void Game::EnterCategory(int k) {
  const EntryOutcome outcome = Enter(state, k);
  if (outcome.Result == EntryResult::NotTaken) return;
  if (outcome.Result == EntryResult::Refused) {
    PlayEffect(Effect::Doink);
    Say(LangText(lang::kWorthNothing));
    return;
  }
  // The score is told before the bonus is added to it; the bonus is told next.
  const int totalBeforeBonus = state.Total() + outcome.Points;
  state = outcome.After;
  PresentScorecard();
  PresentDice();
  Say(ScoreText(totalBeforeBonus));
  PlayEffect(Effect::Points);
  if (IsOver(state)) main.GameEndTimer.SetEnabled(true);
  if (outcome.BonusWon) {
    PlayEffect(Effect::Bonus);
    Say("bonus! + " + std::to_string(kUpperBonus));
  } else if (outcome.BonusLost) {
    const std::string noBonus = LangText(lang::kNoBonus);
    Say(noBonus.empty() ? "No bonus" : noBonus);
  }
  if (outcome.Yatzy) {
    PlayEffect(Effect::Yatzy);
    Say("yatzy! + " + std::to_string(outcome.Points));
  }
}

std::string Game::ScoreText(int total) const {
  return LangText(lang::kScore) + ": " + std::to_string(total);
}

void Game::PresentScorecard() {
  for (const Category& category : kCategories) {
    const int k = category.number;
    const int score = state.Score[k];
    main.CategoryRows[k].Enabled = state.IsOpen(k);
    main.CategoryScores[k].Caption = score == 0 ? "" : std::to_string(score);
    main.CategoryScores[k].ForeColor = score == category.max ? colour::White : colour::Gold;
  }
  main.TotalLabel.Caption = std::to_string(state.Total());
  switch (state.BonusState()) {
    case Bonus::Won:
      main.BonusLabel.ForeColor = colour::Gold;
      main.BonusLabel.Caption = std::to_string(kUpperBonus);
      break;
    case Bonus::Lost:
      main.BonusLabel.ForeColor = colour::Gold;
      main.BonusLabel.Caption = "0";
      break;
    case Bonus::Open:
      main.BonusLabel.ForeColor = colour::LightRed;
      main.BonusLabel.Caption = std::to_string(state.UpperSum() - kBonusThreshold);
      break;
  }

  main.RollsLeftLabel.Caption = std::to_string(state.RollsLeft);
  if (state.Thrown()) {
    // The counter stands as the last throw left it: the entry since then
    // does not count yet.
    const int openAtThrow = state.OpenCount() + (state.ThrowEntered ? 1 : 0);
    main.RollsPerCategoryLabel.Bold = false;
    main.RollsPerCategoryLabel.ForeColor = colour::LightBlue;
    main.RollsPerCategoryLabel.Caption = RollsPerCategoryText(state.RollsLeft, openAtThrow);
  } else {
    main.RollsPerCategoryLabel.Caption.clear();
  }

  const int hinted = HintedCategory(state);
  main.HintMarker.Visible = hinted != 0;
  if (hinted != 0) main.HintMarker.Top = kMarkerTop + kRowStep * (hinted - 1);
}

}  // namespace pyxaro
