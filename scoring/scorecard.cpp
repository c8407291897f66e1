#include <string>

#include "core/game.h"
#include "scoring/categories.h"

namespace pyxaro {

void Game::EnterCategory(int k) {
  const Category* category = FindCategory(k);
  if (category == nullptr) return;
  // An entered category, or a table cleared by the last entry, takes no
  // click at all: one throw is never entered twice.
  if (!main.CategoryRows[k].Enabled || state.TableCleared == 1) return;

  const int value = CategoryValue(k, state.Dice.items);
  if (value == 0) {
    RefuseEntry();
    return;
  }

  state.Score[k] = value;
  state.TotalScore += value;
  if (IsUpper(k)) state.UpperToBonus += value;

  main.CategoryScores[k].ForeColor = value == category->max ? colour::White : colour::Gold;
  main.CategoryScores[k].Caption = std::to_string(value);
  main.TotalLabel.Caption = std::to_string(state.TotalScore);
  main.CategoryRows[k].Enabled = false;

  AfterEntry();
  if (IsUpper(k)) UpdateUpperBonus();
  if (category->rule.kind == RuleKind::Yatzy) {
    run.EffectNumber = 5;
    PlayEffect();
    run.Message = "yatzy! + " + std::to_string(state.Score[k]);
    Say();
  }
}

void Game::RefuseEntry() {
  if (run.PlaySound == "Yes") host_.PlayWave(DataFile("doink.wav"), false);
  run.ScoreWord = LangText("l2");
  run.Message = run.ScoreWord;
  Say();
}

void Game::UpdateUpperBonus() {
  ++state.UpperFilled;
  if (state.UpperToBonus >= 0) {
    main.BonusLabel.ForeColor = colour::Gold;
    main.BonusLabel.Caption = std::to_string(kUpperBonus);
    if (state.UpperBonus == 0) {
      run.EffectNumber = 3;
      PlayEffect();
      state.TotalScore += kUpperBonus;
      main.TotalLabel.Caption = std::to_string(state.TotalScore);
      state.UpperBonus = 1;
      run.Message = "bonus! + " + std::to_string(kUpperBonus);
      Say();
    }
  } else if (state.UpperFilled != kUpperCategories) {
    main.BonusLabel.ForeColor = colour::LightRed;
    main.BonusLabel.Caption = std::to_string(state.UpperToBonus);
  } else {
    main.BonusLabel.ForeColor = colour::Gold;
    main.BonusLabel.Caption = "0";
    run.Message = LangText("l17");
    if (run.Message.empty()) run.Message = "No bonus";
    Say();
  }
}

}  // namespace pyxaro
