#include <string>

#include "core/pictures.h"
#include "core/rolls_per_category.h"
#include "core/text.h"
#include "scoring/categories.h"
#include "scoring/entry.h"
#include "scoring/scorecard_layout.h"
#include "scoring/turn.h"
#include "settings/language_keys.h"

namespace pyxaro {

void Turn::AnnounceEntry(const GameState& before, const Move& move) {
  const EntryOutcome outcome = pyxaro::Enter(before, move.category);
  // The score is told before the bonus is added to it; the bonus is told next.
  speaker_.Say(ScoreText(before.Total() + outcome.Points));
  speaker_.Play(Effect::Points);
  if (IsOver(state_)) view_.GameEndTimer.SetEnabled(true);
  if (outcome.BonusWon) {
    speaker_.Play(Effect::Bonus);
    speaker_.Say("bonus! + " + std::to_string(kUpperBonus));
  } else if (outcome.BonusLost) {
    speaker_.Say(texts_.Text({lang::kNoBonus, "No bonus"}));
  }
  if (outcome.Yatzy) {
    speaker_.Play(Effect::Yatzy);
    speaker_.Say("yatzy! + " + std::to_string(outcome.Points));
  }
}

std::string Turn::ScoreText(int total) const {
  return texts_.Text(text::kScore) + ": " + std::to_string(total);
}

void Turn::Present() {
  for (int k = 1; k <= kDiceCount; ++k) {
    Control& image = view_.DieImages[k];
    image.Visible = state_.OnTable(k);
    // A die picked up keeps the face of the last throw for undo to show.
    if (state_.Dice[k] != 0) image.Picture = DiePicture(k, state_.Dice[k]);
  }
  view_.ThrowArea.Enabled = CanThrow(state_);
  view_.UndoArea.Enabled = CanUndo(state_);

  for (const Category& category : kCategories) {
    const int k = category.number;
    const int score = state_.Score[k];
    view_.CategoryRows[k].Enabled = state_.IsOpen(k);
    view_.CategoryRows[k].ToolTip = RowTip(k);
    view_.CategoryScores[k].Caption = score == 0 ? "" : std::to_string(score);
    view_.CategoryScores[k].ForeColor = score == category.max ? colour::White : colour::Gold;
  }
  view_.TotalLabel.Caption = std::to_string(state_.Total());
  switch (state_.BonusState()) {
    case Bonus::Won:
      view_.BonusLabel.ForeColor = colour::Gold;
      view_.BonusLabel.Caption = std::to_string(kUpperBonus);
      break;
    case Bonus::Lost:
      view_.BonusLabel.ForeColor = colour::Gold;
      view_.BonusLabel.Caption = "0";
      break;
    case Bonus::Open:
      view_.BonusLabel.ForeColor = colour::LightRed;
      view_.BonusLabel.Caption = std::to_string(state_.UpperSum() - kBonusThreshold);
      break;
  }

  view_.RollsLeftLabel.Caption = std::to_string(state_.RollsLeft);
  if (state_.Thrown()) {
    // The counter stands as the last throw left it: the entry since then
    // does not count yet.
    const int openAtThrow = state_.OpenCount() + (state_.ThrowEntered ? 1 : 0);
    view_.RollsPerCategoryLabel.Bold = false;
    view_.RollsPerCategoryLabel.ForeColor = colour::LightBlue;
    view_.RollsPerCategoryLabel.Caption = RollsPerCategoryText(state_.RollsLeft, openAtThrow);
  } else {
    view_.RollsPerCategoryLabel.Caption.clear();
  }

  const int hinted = Hinted();
  view_.HintMarker.Visible = hinted != 0;
  if (hinted != 0) view_.HintMarker.Top = HintMarkerTop(hinted);
}

std::string Turn::RowTip(int k) const {
  // Chance's name is its own tool tip's text, which the language files had
  // before the other rows had one.
  const std::string name = k == kChance ? texts_.Text(text::kChanceTip) : CategoryTitle(k);
  if (!state_.IsOpen(k)) {
    return FillIn(texts_.Text(text::kRowEntered), {name, std::to_string(state_.Score[k])});
  }
  if (!state_.Thrown() || state_.ThrowEntered) return name + ": " + texts_.Text(text::kOpen);
  const int points = pyxaro::Enter(state_, k).Points;
  if (points == 0) return FillIn(texts_.Text(text::kRowNoFit), {name});
  return FillIn(texts_.Text(text::kRowWouldScore), {name, std::to_string(points)});
}

int Turn::Hinted() const { return HintedCategory(state_); }

void Turn::SayScore() { speaker_.Say(ScoreText(state_.Total())); }

void Turn::SayRow(int k) {
  if (FindCategory(k) != nullptr) speaker_.Say(RowTip(k));
}

}  // namespace pyxaro
