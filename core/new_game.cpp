#include <algorithm>
#include <string>

#include "core/game.h"
#include "core/text.h"

namespace pyxaro {

namespace {

std::string PlayerCaption(const Game& game) {
  const std::string name = game.Setting("Users", "user" + game.Setting("Users", "selected"));
  if (!name.empty()) return name;
  const std::string noUser = game.LangText("l23");
  return noUser.empty() ? "No user" : noUser;
}

}  // namespace

void Game::Restart() {
  main.Roll.Enabled = true;
  run.SoundId = 0;
  run.SoundFile.clear();
  run.SayPos = 1;
  main.Timer1.SetEnabled(false);

  state.UpperFilled = 0;
  state.UpperToBonus = -kBonusThreshold;
  main.Bonus.ForeColor = colour::LightRed;
  main.Bonus.Caption = std::to_string(state.UpperToBonus);
  state.UpperBonus = 0;
  state.TableCleared = 0;
  state.RollsLeft = kRollPool;
  state.CategoriesLeft = kCategoryCount;
  state.TotalScore = 0;
  main.Rolls.Caption = std::to_string(state.RollsLeft);
  main.Mrolls.Caption.clear();
  state.PlaySeconds = 0;

  ChooseLangFile();
  main.lb_User.ToolTip = ToolTipText("l18", " User profiles ");
  main.SoundPic.ToolTip = ToolTipText("l19", " Sound On/Off ");
  main.MovePic.ToolTip = ToolTipText("l26", "  ");
  main.Rolls.ToolTip = ToolTipText("l20", " Rolls ");
  main.Mrolls.ToolTip = ToolTipText("l21", " Rolls / Category ");
  main.btn[19].ToolTip = ToolTipText("l22", " Chance ");
  main.lb_User.Caption = PlayerCaption(*this);

  for (int k = 1; k <= kDiceCount; ++k) {
    state.OnTable[k] = 0;
    state.Dice[k] = 0;
    main.Image[k].Visible = false;
  }
  main.Indik.Visible = false;
  main.scr_Tot.Caption = std::to_string(state.TotalScore);
  for (int& score : state.Score) score = 0;
  run.Candidate.Points = "0";
  run.Candidate.Key = "0";
  run.Candidate.Date = "0";
  main.Undo.Enabled = false;

  main.ClearTopp.Caption = DropLastChar(LangText("l13"));
  main.ClearTopp.ToolTip = main.ClearTopp.Caption;
  UpdatTopp();
  main.ClearTopp.Visible = std::all_of(main.Topp.begin(), main.Topp.end(),
                                       [](const Control& row) { return !row.Caption.empty(); });
  PlaceAll();

  if (run.WelcomeShown != 1) {
    run.SayText = LangText("l0");
    run.WelcomeShown = 1;
  } else {
    run.SayText = LangText("l7");
  }
  Say();
}

void Game::NyttSpel() {
  if (!host_.Ask(LangText("l6"), LangText("l5"), false)) return;
  // A game that has just finished is waiting for its end: score it now rather
  // than throw it away, and let the end start the next game.
  if (main.TimerEnd.Enabled()) {
    TimerEndTick();
  } else {
    Restart();
  }
}

void Game::butt_End() {
  if (host_.Ask(LangText("l11"), LangText("l5"), false)) Avsluta();
}

void Game::Avsluta() {
  DelRes();
  host_.EndProgram();
}

void Game::TimerEndTick() {
  // Once per game end, even while the boxes of the end keep the player busy
  // long after the next tick would have come.
  if (!main.TimerEnd.Enabled()) return;
  main.TimerEnd.SetEnabled(false);
  GeKey();
  KollaScore();
}

}  // namespace pyxaro
