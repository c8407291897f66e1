#include "scoring/turn.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "core/version.h"
#include "scoring/categories.h"
#include "scoring/check_value.h"
#include "scoring/entry.h"
#include "scoring/game_review.h"
#include "scoring/moves.h"
#include "scoring/players.h"

namespace pyxaro {

Turn::Turn(Host& host, RandomSource& chance, DiceSource& dice, Speaker& speaker,
           const Languages& texts, SettingsStore& store, Advisor& advisor, Reviewer& reviewer)
    : host_(host),
      chance_(chance),
      dice_(dice),
      speaker_(speaker),
      texts_(texts),
      store_(store),
      advisor_(advisor),
      reviewer_(reviewer) {}

void Turn::OpenWindow() {
  view_ = TurnView{};
  showAdvice_ = store_.Setting(kOptionsSection, kShowAdvice);
}

void Turn::NewGame(std::optional<CalendarDay> day) {
  ++gamesStarted_;
  state_ = GameState{};
  ForgetRecord();
  seed_ = day ? DaySeed(*day) : dice_.NewSeed(host_.Now().SecondsSinceMidnight);
  seedKept_ = true;
  day_ = day;
  record_.emplace();
  EndAdvice();
  PresentTexts();
  PlaceScorecard();
  Present();
  if (day) {
    // "12-08": the month and the day, as the display has room for.
    speaker_.Say(texts_.Text(text::kDayGameStarted, DayText(*day).substr(5)));
  } else {
    speaker_.Say(texts_.Text(welcomeShown_ ? text::kNewGameStarted : text::kGreeting));
  }
  welcomeShown_ = true;
}

void Turn::Continue(const GameState& state) {
  EndAdvice();
  state_ = state;
  // Moves from here on are not a game from its start, nor on its dice.
  record_.reset();
  seed_ = dice_.NewSeed(host_.Now().SecondsSinceMidnight);
  day_.reset();
  view_.PlayClock.SetEnabled(state_.Thrown());
  Present();
  view_.GameEndTimer.SetEnabled(IsOver(state_));
}

void Turn::Throw() {
  if (CanThrow(state_)) Play(NextThrow(state_, dice_, seed_));
}

void Turn::PickUp(int die) { Play(Move::PickUp(die)); }

void Turn::Undo() { Play(Move::Undo()); }

void Turn::Enter(int category) {
  const EntryOutcome outcome = pyxaro::Enter(state_, category);
  if (outcome.Result == EntryResult::Refused) {
    speaker_.Play(Effect::Doink);
    speaker_.Say(texts_.Text(text::kWorthNothing));
    return;
  }
  if (outcome.Result == EntryResult::Entered) Play(Move::Entry(category, outcome.Points));
}

void Turn::Play(const Move& move) {
  const std::optional<GameState> after = Played(state_, move);
  if (!after) return;
  const GameState before = state_;
  EndAdvice();
  state_ = *after;
  Present();
  // Before the throw's own messages, which the display then shows instead.
  if (move.kind == Move::Kind::Throw && showAdvice_ == "Yes") PresentAdvice();
  Announce(before, move);
  // After the announcement, so that a move the settings refused says so last.
  Record(move);
}

void Turn::Announce(const GameState& before, const Move& move) {
  switch (move.kind) {
    case Move::Kind::Throw:
      return AnnounceThrow();
    case Move::Kind::PickUp:
      return;
    case Move::Kind::Undo:
      return speaker_.Play(Effect::Pop);
    case Move::Kind::Enter:
      return AnnounceEntry(before, move);
  }
}

void Turn::AnnounceThrow() {
  ++throws_;
  if (state_.RollsLeft == kRollPool - 1) view_.PlayClock.SetEnabled(true);
  speaker_.Play(Effect::Dice);
  if (AllAlike(state_)) {
    speaker_.Play(Effect::Yahoo);
    speaker_.Say(texts_.Text(text::kSixAlike));
  }
  if (state_.RollsLeft <= 0) {
    speaker_.Say(texts_.Text(text::kNoMoreRolls));
    // The last throw fits no open category: nothing more can happen.
    if (IsOver(state_)) view_.GameEndTimer.SetEnabled(true);
  }
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
    const GameReview& review = reviewer_.Review(*record_);
    if (review.choices > 0) game.MeanLoss = review.MeanLoss();
  }
  if (day_) {
    game.DayOfGame = DayText(*day_);
    game.AdvisorTotal = AdvisorTotal(advisor_, dice_, seed_);
  }
  game.CheckValue = CheckValueOf(game.Total);
  return game;
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

void Turn::PresentTexts() {
  view_.RollsLeftLabel.ToolTip = texts_.ToolTip(text::kRollsLeftTip);
  view_.RollsPerCategoryLabel.ToolTip = texts_.ToolTip(text::kRollsPerCategoryTip);
  view_.HintMarker.ToolTip = texts_.ToolTip(text::kHintMarkerTip);
  // The rows' tool tips name them in the new language.
  Present();
  view_.AdviceArea.ToolTip = texts_.ToolTip(text::kHintTip);
}

}  // namespace pyxaro
