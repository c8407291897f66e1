#include "scoring/advice_position.h"
#include "scoring/advice_text.h"
#include "scoring/categories.h"
#include "scoring/scorecard_layout.h"
#include "scoring/turn.h"
#include "settings/language_keys.h"

namespace pyxaro {

void Turn::ShowAdvice() {
  PresentAdvice();
  // A game continued later shows the advice it showed.
  if (state_.Thrown()) SaveRecord();
}

void Turn::PresentAdvice() {
  const Advice advice = advisor_.Advise(PositionOf(state_));
  // The rings stand round the dice to keep, the faces the words name.
  for (int die = 1; die <= kDiceCount; ++die) {
    view_.AdviceDieMarks[die].Visible = advice.move == AdviceMove::PickUp &&
                                        !advice.pickUp[static_cast<std::size_t>(die - 1)] &&
                                        state_.OnTable(die);
  }
  const Category* named = FindCategory(advice.category);
  view_.AdviceRowMark.Visible = named != nullptr;
  if (named != nullptr) view_.AdviceRowMark.Top = AdviceArrowTop(advice.category);

  const AdviceWords words{
      texts_.Text({lang::kAdviceKeep, "KEEP"}), texts_.Text({lang::kAdviceEnter, "ENTER"}),
      texts_.Text({lang::kAdviceThrowAll, "THROW ALL"}), texts_.Text({lang::kAdviceThrow, "THROW"}),
      texts_.Text({lang::kAdviceNone, "NO MOVE LEFT"})};
  adviceShown_ = true;
  speaker_.SayAside(AdviceText(advice, state_.Dice.items, words,
                               named == nullptr ? "" : CategoryTitle(advice.category)));
}

void Turn::ToggleAdviceShown() {
  showAdvice_ = showAdvice_ == "Yes" ? "No" : "Yes";
  if (!store_.StoreChoice({{kOptionsSection, kShowAdvice, showAdvice_}})) {
    texts_.TellNotSaved(text::kNotSavedChoice);
  }
  if (showAdvice_ == "Yes") {
    PresentAdvice();
  } else {
    EndAdvice();
  }
}

void Turn::EndAdvice() {
  for (Control& mark : view_.AdviceDieMarks) mark.Visible = false;
  view_.AdviceRowMark.Visible = false;
  // The display no longer holds advice that the move has made stale: it says
  // again what it said before, as the move would have left it unadvised.
  if (adviceShown_) speaker_.EndAside();
  adviceShown_ = false;
}

std::string Turn::CategoryTitle(int k) const {
  // The player's language names the category as the screen reader says it.
  return texts_.Text({"category" + std::to_string(k), CategoryRow(k).spoken});
}

}  // namespace pyxaro
