#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/game.h"
#include "core/roll_text.h"

namespace pyxaro {

namespace {

bool AllOnTable(const GameState& state) {
  for (const int lying : state.OnTable) {
    if (lying != 1) return false;
  }
  return true;
}

bool AllAlike(const GameState& state) {
  for (const double die : state.Dice) {
    if (die != state.Dice[1]) return false;
  }
  return true;
}

int DiePicture(int k, double face) { return 10 * k + static_cast<int>(face); }

}  // namespace

void Game::Roll() {
  if (!main.Roll.Enabled) return;
  main.Undo.Enabled = false;
  state.TableCleared = 0;

  --state.RollsLeft;
  if (state.RollsLeft == kRollPool - 1) main.TimerPlay.SetEnabled(true);

  chance_.Reseed(host_.Now().SecondsSinceMidnight);
  for (int k = 1; k <= kDiceCount; ++k) {
    if (state.OnTable[k] == 0) state.Dice[k] = std::trunc(chance_.Next() * 6) + 1;
  }

  for (Control& image : main.Image) image.Visible = true;
  // Dice that stayed on the table keep the picture they already show.
  for (int k = 1; k <= kDiceCount; ++k) {
    if (state.OnTable[k] == 0) {
      main.Image[k].Picture = DiePicture(k, state.Dice[k]);
      state.OnTable[k] = 1;
    }
  }

  main.Mrolls.Bold = false;
  main.Mrolls.ForeColor = colour::LightBlue;
  main.Mrolls.Caption = RollsPerCategoryText(state.RollsLeft, state.CategoriesLeft);
  main.Rolls.Bold = true;
  main.Rolls.ForeColor = colour::White;
  main.Rolls.Caption = std::to_string(state.RollsLeft);

  main.Roll.Enabled = !AllOnTable(state);

  run.SoundId = 1;
  sndA();
  if (AllAlike(state)) {
    run.SoundId = 4;
    sndA();
    run.SayText = LangText("l4");
    Say();
  }

  if (state.RollsLeft <= 0 || state.CategoriesLeft <= 0) {
    run.SayText = LangText("l3");
    Say();
    CheckKateg();
    // The last throw fits no open category: nothing more can happen.
    if (state.BestCategory == 0) main.TimerEnd.SetEnabled(true);
  }
  CheckKateg();
}

void Game::PickUp(int k) {
  if (k < 1 || k > kDiceCount) return;
  if (state.RollsLeft <= 0 || state.OnTable[k] != 1) return;
  main.Image[k].Visible = false;
  state.OnTable[k] = 0;
  main.Undo.Enabled = true;
  main.Roll.Enabled = true;
}

void Game::RemoveAll() {
  for (Control& image : main.Image) image.Visible = false;
  for (int& lying : state.OnTable) lying = 0;
  main.Undo.Enabled = false;
  state.TableCleared = 1;
  main.Roll.Enabled = true;
}

void Game::Varje() {
  run.ScoreWord = LangText("l1");
  run.SayText = run.ScoreWord + ": " + std::to_string(state.TotalScore);
  Say();
  --state.CategoriesLeft;
  run.SoundId = 2;
  sndA();
  RemoveAll();
  main.Indik.Visible = false;
  if (state.RollsLeft <= 0 || state.CategoriesLeft <= 0) {
    main.Roll.Enabled = false;
    main.TimerEnd.SetEnabled(true);
  }
}

void Game::TimerPlayTick() {
  // Nine hours of play fill the counter; it then stays full rather than
  // wrapping to a negative time.
  if (state.PlaySeconds < std::numeric_limits<std::int16_t>::max()) ++state.PlaySeconds;
}

}  // namespace pyxaro
