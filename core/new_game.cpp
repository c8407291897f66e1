#include <algorithm>
#include <string>

#include "core/game.h"
#include "core/text.h"

namespace pyxaro {

void Game::Restart() {
  ++run.GamesStarted;
  main.ThrowArea.Enabled = true;
  run.EffectNumber = 0;
  run.EffectFile.clear();
  run.PageStart = 1;
  main.PageTimer.SetEnabled(false);

  state.UpperFilled = 0;
  state.UpperToBonus = -kBonusThreshold;
  main.BonusLabel.ForeColor = colour::LightRed;
  main.BonusLabel.Caption = std::to_string(state.UpperToBonus);
  state.UpperBonus = 0;
  state.TableCleared = 0;
  state.RollsLeft = kRollPool;
  state.CategoriesLeft = kCategoryCount;
  state.TotalScore = 0;
  main.RollsLeftLabel.Caption = std::to_string(state.RollsLeft);
  main.RollsPerCategoryLabel.Caption.clear();
  state.PlaySeconds = 0;

  UseChosenLanguage();
  main.PlayerLabel.ToolTip = ToolTipText("l18", " User profiles ");
  main.SoundSwitch.ToolTip = ToolTipText("l19", " Sound On/Off ");
  main.MoveButton.ToolTip = ToolTipText("l26", "  ");
  main.RollsLeftLabel.ToolTip = ToolTipText("l20", " Rolls ");
  main.RollsPerCategoryLabel.ToolTip = ToolTipText("l21", " Rolls / Category ");
  main.CategoryRows[19].ToolTip = ToolTipText("l22", " Chance ");
  main.StatisticsArea.ToolTip = ToolTipText("stats_title", " Statistics ");
  ShowPlayer();

  for (int k = 1; k <= kDiceCount; ++k) {
    state.OnTable[k] = 0;
    state.Dice[k] = 0;
    main.DieImages[k].Visible = false;
  }
  main.HintMarker.Visible = false;
  main.TotalLabel.Caption = std::to_string(state.TotalScore);
  for (int& score : state.Score) score = 0;
  run.Candidate.Points = "0";
  run.Candidate.Key = "0";
  run.Candidate.Date = "0";
  main.UndoArea.Enabled = false;

  main.ClearTopTenLabel.Caption = DropLastChar(LangText("l13"));
  main.ClearTopTenLabel.ToolTip = main.ClearTopTenLabel.Caption;
  ShowTopTen();
  main.ClearTopTenLabel.Visible =
      std::all_of(main.TopTenRows.begin(), main.TopTenRows.end(),
                  [](const Control& row) { return !row.Caption.empty(); });
  PlaceScorecard();

  if (run.WelcomeShown != 1) {
    run.Message = LangText("l0");
    run.WelcomeShown = 1;
  } else {
    run.Message = LangText("l7");
  }
  Say();
}

void Game::NewGameClicked() {
  const int game = run.GamesStarted;
  if (!host_.Ask(LangText("l6"), LangText("l5"), false)) return;
  // The game end may have run while the question stood and already started
  // the next game.
  if (run.GamesStarted != game) return;
  // A game that has just finished is waiting for its end: score it now rather
  // than throw it away, and let the end start the next game.
  if (main.GameEndTimer.Enabled()) {
    EndGame();
  } else {
    Restart();
  }
}

void Game::QuitClicked() {
  if (host_.Ask(LangText("l11"), LangText("l5"), false)) CloseClicked();
}

void Game::CloseClicked() {
  DeleteResources();
  host_.EndProgram();
}

void Game::EndGame() {
  // Once per game end, even while the boxes of the end keep the player busy
  // long after the next tick would have come.
  if (!main.GameEndTimer.Enabled()) return;
  main.GameEndTimer.SetEnabled(false);
  MakeCheckValue();
  RecordScore();
}

}  // namespace pyxaro
