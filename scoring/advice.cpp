#include "core/game.h"
#include "scoring/advice_position.h"
#include "scoring/advice_text.h"
#include "scoring/block_values.h"
#include "scoring/categories.h"
#include "settings/language_keys.h"

namespace pyxaro {

namespace {

// Rows are 315 twips apart; the arrow sits level with the row's middle.
constexpr int kRowMarkDrop = 15;

}  // namespace

void Game::ShowAdvice() {
  if (!advisor_) advisor_ = std::make_unique<Advisor>(blocks::Embedded(), kFittedCorrection);
  const Advice advice = advisor_->Advise(PositionOf(state));
  for (int die = 1; die <= kDiceCount; ++die) {
    main.AdviceDieMarks[die].Visible = advice.move == AdviceMove::PickUp &&
                                       advice.pickUp[static_cast<std::size_t>(die - 1)] &&
                                       state.OnTable(die);
  }
  const Category* named = FindCategory(advice.category);
  main.AdviceRowMark.Visible = named != nullptr;
  if (named != nullptr) main.AdviceRowMark.Top = named->rowTop + kRowMarkDrop;

  const auto word = [this](const char* key, const char* english) {
    const std::string text = LangText(key);
    return text.empty() ? std::string(english) : text;
  };
  const AdviceWords words{word(lang::kAdviceKeep, "KEEP"), word(lang::kAdviceEnter, "ENTER"),
                          word(lang::kAdviceThrowAll, "THROW ALL"),
                          word(lang::kAdviceThrow, "THROW"),
                          word(lang::kAdviceNone, "NO MOVE LEFT")};
  adviceSaid_ = AdviceText(advice, state.Dice.items, words,
                           named == nullptr ? "" : CategoryTitle(advice.category));
  Say(adviceSaid_);
}

void Game::ToggleAdviceShown() {
  run.ShowAdvice = run.ShowAdvice == "Yes" ? "No" : "Yes";
  StoreChoice({{"Options", "ShowAdvice", run.ShowAdvice}});
  if (run.ShowAdvice == "Yes") {
    ShowAdvice();
  } else {
    EndAdvice();
  }
}

void Game::EndAdvice() {
  for (Control& mark : main.AdviceDieMarks) mark.Visible = false;
  main.AdviceRowMark.Visible = false;
  // The display no longer holds advice that the move has made stale.
  if (!adviceSaid_.empty() && run.Said == adviceSaid_) Say("");
  adviceSaid_.clear();
}

std::string Game::CategoryTitle(int k) const {
  // The player's language names the category as the screen reader says it.
  const std::string& title = main.Spoken.Categories[k];
  return title.empty() ? std::string(CategoryRow(k).spoken) : title;
}

}  // namespace pyxaro
