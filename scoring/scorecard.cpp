#include <string>

#include "core/game.h"
#include "scoring/categories.h"

namespace pyxaro {

namespace {

constexpr int kUpperBonus = 100;

}  // namespace

void Game::EnterKateg(int k) {
  const Category* category = FindCategory(k);
  if (category == nullptr) return;
  // An entered category, or a table cleared by the last entry, takes no
  // click at all: one throw is never entered twice.
  if (!main.btn[k].Enabled || state.TableCleared == 1) return;

  const int value = KategValue(k, state.Dice.items);
  if (value == 0) {
    NoAble();
    return;
  }

  state.Score[k] = value;
  state.TotalScore += value;
  if (IsUpper(k)) state.UpperToBonus += value;

  main.scr[k].ForeColor = value == category->max ? colour::White : colour::Gold;
  main.scr[k].Caption = std::to_string(value);
  main.scr_Tot.Caption = std::to_string(state.TotalScore);
  main.btn[k].Enabled = false;

  Varje();
  if (IsUpper(k)) bonusVarje();
  if (category->rule.kind == RuleKind::Yatzy) {
    run.SoundId = 5;
    sndA();
    run.SayText = "yatzy! + " + std::to_string(state.Score[k]);
    Say();
  }
}

void Game::NoAble() {
  if (run.PlaySound == "Yes") host_.PlayWave(AppFile("doink.wav"), false);
  run.ScoreWord = LangText("l2");
  run.SayText = run.ScoreWord;
  Say();
}

void Game::bonusVarje() {
  ++state.UpperFilled;
  if (state.UpperToBonus >= 0) {
    main.Bonus.ForeColor = colour::Gold;
    main.Bonus.Caption = std::to_string(kUpperBonus);
    if (state.UpperBonus == 0) {
      run.SoundId = 3;
      sndA();
      state.TotalScore += kUpperBonus;
      main.scr_Tot.Caption = std::to_string(state.TotalScore);
      state.UpperBonus = 1;
      run.SayText = "bonus! + " + std::to_string(kUpperBonus);
      Say();
    }
  } else if (state.UpperFilled != kUpperCategories) {
    main.Bonus.ForeColor = colour::LightRed;
    main.Bonus.Caption = std::to_string(state.UpperToBonus);
  } else {
    main.Bonus.ForeColor = colour::Gold;
    main.Bonus.Caption = "0";
    run.SayText = LangText("l17");
    if (run.SayText.empty()) run.SayText = "No bonus";
    Say();
  }
}

}  // namespace pyxaro
