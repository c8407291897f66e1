#include "scoring/entry.h"

#include "scoring/categories.h"

namespace pyxaro {

EntryOutcome Enter(const GameState& state, int category) {
  EntryOutcome outcome;
  const Category* row = FindCategory(category);
  if (row == nullptr || !state.IsOpen(category) || state.ThrowEntered) return outcome;
  outcome.Points = CategoryValue(category, state.Dice.items);
  if (outcome.Points == 0) {
    outcome.Result = EntryResult::Refused;
    return outcome;
  }
  outcome.Result = EntryResult::Entered;
  if (category <= kUpperCategories && state.BonusState() == Bonus::Open) {
    const bool reaches = state.UpperSum() + outcome.Points >= kBonusThreshold;
    int openUpper = 0;
    for (int k = 1; k <= kUpperCategories; ++k) openUpper += state.IsOpen(k) ? 1 : 0;
    outcome.BonusWon = reaches;
    outcome.BonusLost = !reaches && openUpper == 1;
  }
  outcome.Yatzy = row->rule.kind == RuleKind::Yatzy;
  return outcome;
}

int BestCategory(const GameState& state) {
  const FaceCounts counts = FaceCount(state.Dice.items);
  int best = 0;
  int bestValue = 0;
  for (const Category& category : kCategories) {
    if (!state.IsOpen(category.number)) continue;
    // Chance takes any dice, so proposing it while rolls remain would only
    // waste it; at the end of the pool it competes like any other.
    if (category.rule.kind == RuleKind::Chance && state.RollsLeft > 0) continue;
    const int value = ValueOfCounts(category.rule, counts);
    if (value > bestValue) {
      bestValue = value;
      best = category.number;
    }
  }
  return best;
}

int HintedCategory(const GameState& state) { return state.ThrowEntered ? 0 : BestCategory(state); }

bool IsOver(const GameState& state) {
  if (state.OpenCount() == 0) return true;
  return state.RollsLeft <= 0 && (state.ThrowEntered || BestCategory(state) == 0);
}

bool CanThrow(const GameState& state) {
  return state.RollsLeft > 0 && !state.AllOnTable() && !IsOver(state);
}

bool CanPickUp(const GameState& state, int die) {
  return die >= 1 && die <= kDiceCount && state.RollsLeft > 0 && state.OnTable(die);
}

bool CanUndo(const GameState& state) {
  return state.Thrown() && !state.ThrowEntered && !state.AllOnTable();
}

bool AllAlike(const GameState& state) {
  for (const int die : state.Dice) {
    if (die != state.Dice[1]) return false;
  }
  return true;
}

FinishedGame Finished(const GameState& state, int year, int month, int day) {
  FinishedGame game;
  game.Total = state.Total();
  game.Scores = state.Score;
  game.BonusWon = state.BonusState() == Bonus::Won;
  game.RollsUsed = kRollPool - state.RollsLeft;
  game.PlaySeconds = state.PlaySeconds;
  game.Year = year;
  game.Month = month;
  game.Day = day;
  return game;
}

}  // namespace pyxaro
