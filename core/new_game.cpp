#include <algorithm>
#include <string>

#include "core/game.h"
#include "core/text.h"
#include "scoring/categories.h"
#include "scoring/entry.h"
#include "settings/language_keys.h"

namespace pyxaro {

void Game::Restart() {
  ++run.GamesStarted;
  run.PageStart = 1;
  main.PageTimer.SetEnabled(false);
  state = GameState{};

  UseChosenLanguage();
  main.PlayerLabel.ToolTip = ToolTipText(lang::kProfiles, " User profiles ");
  main.SoundSwitch.ToolTip = ToolTipText(lang::kSoundTip, " Sound On/Off ");
  main.MoveButton.ToolTip = ToolTipText(lang::kMoveTip, "  ");
  main.RollsLeftLabel.ToolTip = ToolTipText(lang::kRollsTip, " Rolls ");
  main.RollsPerCategoryLabel.ToolTip =
      ToolTipText(lang::kRollsPerCategoryTip, " Rolls / Category ");
  main.CategoryRows[kChance].ToolTip = ToolTipText(lang::kChanceTip, " Chance ");
  main.StatisticsArea.ToolTip = ToolTipText("stats_title", " Statistics ");
  ShowPlayer();

  run.Candidate.Points = "0";
  run.Candidate.Key = "0";
  run.Candidate.Date = "0";

  main.ClearTopTenLabel.Caption = DropLastChar(LangText(lang::kAskClearTopTen));
  main.ClearTopTenLabel.ToolTip = main.ClearTopTenLabel.Caption;
  ShowTopTen();
  main.ClearTopTenLabel.Visible =
      std::all_of(main.TopTenRows.begin(), main.TopTenRows.end(),
                  [](const Control& row) { return !row.Caption.empty(); });
  PlaceScorecard();
  PresentScorecard();
  PresentDice();

  Say(LangText(run.WelcomeShown ? lang::kNewGame : lang::kGreeting));
  run.WelcomeShown = true;
}

void Game::NewGameClicked() {
  const int game = run.GamesStarted;
  if (!host_.Ask(LangText(lang::kAskNewGame), LangText(lang::kQuestionTitle), false)) return;
  // The game end may have run while the question stood and already started
  // the next game.
  if (run.GamesStarted != game) return;
  // A game that has just finished is waiting for its end: score it now rather
  // than throw it away, and let the end start the next game.
  if (IsOver(state)) {
    EndGame();
  } else {
    Restart();
  }
}

void Game::QuitClicked() {
  if (host_.Ask(LangText(lang::kAskQuit), LangText(lang::kQuestionTitle), false)) CloseClicked();
}

void Game::CloseClicked() {
  DeleteResources();
  host_.EndProgram();
}

void Game::EndGame() {
  main.GameEndTimer.SetEnabled(false);
  if (!IsOver(state)) return;
  const LocalTime now = host_.Now();
  MakeCheckValue(state.Total());
  RecordScore(Finished(state, now.Year, now.Month, now.Day));
}

void Game::KeepGames(GameKeeper keeper) { keepers_.push_back(std::move(keeper)); }

}  // namespace pyxaro
