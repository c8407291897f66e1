#include <cstdint>
#include <limits>
#include <string>

#include "core/game.h"
#include "core/rolls_per_category.h"

namespace pyxaro {

namespace {

bool AllOnTable(const GameState& state) {
  for (const int lying : state.OnTable) {
    if (lying != 1) return false;
  }
  return true;
}

bool AllAlike(const GameState& state) {
  for (const int die : state.Dice) {
    if (die != state.Dice[1]) return false;
  }
  return true;
}

int DiePicture(int k, int face) { return 10 * k + face; }

}  // namespace

void Game::Throw() {
  if (!main.ThrowArea.Enabled) return;
  main.UndoArea.Enabled = false;
  state.TableCleared = 0;

  --state.RollsLeft;
  if (state.RollsLeft == kRollPool - 1) main.PlayClock.SetEnabled(true);

  chance_.Reseed(host_.Now().SecondsSinceMidnight);
  for (int k = 1; k <= kDiceCount; ++k) {
    if (state.OnTable[k] == 0) state.Dice[k] = static_cast<int>(chance_.Next() * kDiceFaces) + 1;
  }

  for (Control& image : main.DieImages) image.Visible = true;
  // Dice that stayed on the table keep the picture they already show.
  for (int k = 1; k <= kDiceCount; ++k) {
    if (state.OnTable[k] == 0) {
      main.DieImages[k].Picture = DiePicture(k, state.Dice[k]);
      state.OnTable[k] = 1;
    }
  }

  main.RollsPerCategoryLabel.Bold = false;
  main.RollsPerCategoryLabel.ForeColor = colour::LightBlue;
  main.RollsPerCategoryLabel.Caption = RollsPerCategoryText(state.RollsLeft, state.CategoriesLeft);
  main.RollsLeftLabel.Bold = true;
  main.RollsLeftLabel.ForeColor = colour::White;
  main.RollsLeftLabel.Caption = std::to_string(state.RollsLeft);

  main.ThrowArea.Enabled = !AllOnTable(state);

  run.EffectNumber = 1;
  PlayEffect();
  if (AllAlike(state)) {
    run.EffectNumber = 4;
    PlayEffect();
    run.Message = LangText("l4");
    Say();
  }

  if (state.RollsLeft <= 0 || state.CategoriesLeft <= 0) {
    run.Message = LangText("l3");
    Say();
    MarkBestCategory();
    // The last throw fits no open category: nothing more can happen.
    if (state.BestCategory == 0) main.GameEndTimer.SetEnabled(true);
  }
  MarkBestCategory();
}

void Game::PickUp(int k) {
  if (k < 1 || k > kDiceCount) return;
  if (state.RollsLeft <= 0 || state.OnTable[k] != 1) return;
  main.DieImages[k].Visible = false;
  state.OnTable[k] = 0;
  main.UndoArea.Enabled = true;
  main.ThrowArea.Enabled = true;
}

void Game::ClearTable() {
  for (Control& image : main.DieImages) image.Visible = false;
  for (int& lying : state.OnTable) lying = 0;
  main.UndoArea.Enabled = false;
  state.TableCleared = 1;
  main.ThrowArea.Enabled = true;
}

void Game::AfterEntry() {
  run.ScoreWord = LangText("l1");
  run.Message = run.ScoreWord + ": " + std::to_string(state.TotalScore);
  Say();
  --state.CategoriesLeft;
  run.EffectNumber = 2;
  PlayEffect();
  ClearTable();
  main.HintMarker.Visible = false;
  if (state.RollsLeft <= 0 || state.CategoriesLeft <= 0) {
    main.ThrowArea.Enabled = false;
    main.GameEndTimer.SetEnabled(true);
  }
}

void Game::PlayClockTick() {
  // Nine hours of play fill the counter; it then stays full rather than
  // wrapping to a negative time.
  if (state.PlaySeconds < std::numeric_limits<std::int16_t>::max()) ++state.PlaySeconds;
}

}  // namespace pyxaro
