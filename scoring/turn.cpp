#include "scoring/turn.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "core/pictures.h"
#include "core/version.h"
#include "scoring/categories.h"
#include "scoring/check_value.h"
#include "scoring/entry.h"
#include "scoring/game_review.h"
#include "settings/language_keys.h"

namespace pyxaro {

Turn::Turn(Host& host, RandomSource& chance, Speaker& speaker, const Languages& texts,
           SettingsStore& store)
    : host_(host), chance_(chance), speaker_(speaker), texts_(texts), store_(store) {}

void Turn::OpenWindow() {
  view_ = TurnView{};
  showAdvice_ = store_.Setting("Options", "ShowAdvice");
}

void Turn::NewGame() {
  ++gamesStarted_;
  state_ = GameState{};
  ForgetRecord();
  record_.emplace();
  EndAdvice();
  PresentTexts();
  PlaceScorecard();
  PresentScorecard();
  PresentDice();
  speaker_.Say(texts_.LangText(welcomeShown_ ? lang::kNewGame : lang::kGreeting));
  welcomeShown_ = true;
}

void Turn::Continue(const GameState& state) {
  EndAdvice();
  state_ = state;
  // Moves from here on are not a game from its start.
  record_.reset();
  view_.PlayClock.SetEnabled(state_.Thrown());
  PresentScorecard();
  PresentDice();
  view_.GameEndTimer.SetEnabled(IsOver(state_));
}

void Turn::Throw() {
  if (!CanThrow(state_)) return;
  chance_.Reseed(host_.Now().SecondsSinceMidnight);
  OneBased<int, kDiceCount> faces;
  for (int k = 1; k <= kDiceCount; ++k) {
    if (!state_.OnTable(k)) faces[k] = static_cast<int>(chance_.Next() * kDiceFaces) + 1;
  }
  EndAdvice();
  state_ = AfterThrow(state_, faces);
  ++throws_;
  if (state_.RollsLeft == kRollPool - 1) view_.PlayClock.SetEnabled(true);
  PresentDice();
  PresentScorecard();
  // Before the throw's own messages, which the display then shows instead.
  if (showAdvice_ == "Yes") PresentAdvice();
  Record(Move::Throw(state_.Dice, state_.RollsLeft));

  speaker_.Play(Effect::Dice);
  if (AllAlike(state_)) {
    speaker_.Play(Effect::Yahoo);
    speaker_.Say(texts_.LangText(lang::kSixAlike));
  }
  if (state_.RollsLeft <= 0) {
    speaker_.Say(texts_.LangText(lang::kNoMoreRolls));
    // The last throw fits no open category: nothing more can happen.
    if (IsOver(state_)) view_.GameEndTimer.SetEnabled(true);
  }
}

void Turn::PickUp(int die) {
  if (!CanPickUp(state_, die)) return;
  state_.Lying[die] = false;
  EndAdvice();
  PresentDice();
  Record(Move::PickUp(die));
}

void Turn::Undo() {
  if (!CanUndo(state_)) return;
  EndAdvice();
  speaker_.Play(Effect::Pop);
  // Every die that was picked up still shows the face of the last throw.
  for (bool& lying : state_.Lying) lying = true;
  PresentDice();
  Record(Move::Undo());
}

void Turn::PlayClockTick() {
  // Nine hours of play fill the counter; it then stays full rather than
  // wrapping to a negative time.
  if (state_.PlaySeconds < std::numeric_limits<std::int16_t>::max()) ++state_.PlaySeconds;
}

std::optional<FinishedGame> Turn::Finish() {
  view_.GameEndTimer.SetEnabled(false);
  if (!IsOver(state_)) return std::nullopt;
  view_.PlayClock.SetEnabled(false);
  const LocalTime now = host_.Now();
  FinishedGame game = Finished(state_, now.Year, now.Month, now.Day);
  if (record_) {
    game.Moves = *record_;
    const GameReview& review = Review(*record_);
    if (review.choices > 0) game.MeanLoss = review.MeanLoss();
  }
  game.CheckValue = CheckValueOf(game.Total);
  return game;
}

const GameReview& Turn::Review(const MoveRecord& moves) {
  if (moves.empty() || moves != reviewedMoves_) {
    review_ = ReviewGame(moves, TheAdvisor());
    reviewedMoves_ = moves;
  }
  return review_;
}

std::string Turn::CheckValueOf(int total) {
  const LocalTime now = host_.Now();
  chance_.Reseed(now.SecondsSinceMidnight);
  const int digit = std::clamp(static_cast<int>(chance_.Next() * 9) + 1, 1, 9);
  return CheckValue(digit, total, GameMonth(now.Year, now.Month), VersionNumber(kAppVersion));
}

void Turn::Stop() {
  view_.PlayClock.SetEnabled(false);
  view_.GameEndTimer.SetEnabled(false);
}

void Turn::PresentDice() {
  for (int k = 1; k <= kDiceCount; ++k) {
    Control& image = view_.DieImages[k];
    image.Visible = state_.OnTable(k);
    // A die picked up keeps the face of the last throw for undo to show.
    if (state_.Dice[k] != 0) image.Picture = DiePicture(k, state_.Dice[k]);
  }
  view_.ThrowArea.Enabled = CanThrow(state_);
  view_.UndoArea.Enabled = CanUndo(state_);
}

void Turn::PresentTexts() {
  view_.RollsLeftLabel.ToolTip = texts_.ToolTipText(lang::kRollsTip, " Rolls ");
  view_.RollsPerCategoryLabel.ToolTip =
      texts_.ToolTipText(lang::kRollsPerCategoryTip, " Rolls / Category ");
  view_.CategoryRows[kChance].ToolTip = texts_.ToolTipText(lang::kChanceTip, " Chance ");
  view_.AdviceArea.ToolTip = texts_.ToolTipText(lang::kAdviceAsk, " Hint ");
}

}  // namespace pyxaro
