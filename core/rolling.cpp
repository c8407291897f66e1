#include <cstdint>
#include <limits>
#include <string>

#include "core/game.h"
#include "core/pictures.h"
#include "scoring/entry.h"
#include "settings/language_keys.h"

namespace pyxaro {

void Game::Throw() {
  if (!CanThrow(state)) return;
  chance_.Reseed(host_.Now().SecondsSinceMidnight);
  OneBased<int, kDiceCount> faces;
  for (int k = 1; k <= kDiceCount; ++k) {
    if (!state.OnTable(k)) faces[k] = static_cast<int>(chance_.Next() * kDiceFaces) + 1;
  }
  EndAdvice();
  state = AfterThrow(state, faces);
  ++run.Throws;
  if (state.RollsLeft == kRollPool - 1) main.PlayClock.SetEnabled(true);
  PresentDice();
  PresentScorecard();
  // Before the throw's own messages, which the display then shows instead.
  if (run.ShowAdvice == "Yes") ShowAdvice();

  PlayEffect(Effect::Dice);
  if (AllAlike(state)) {
    PlayEffect(Effect::Yahoo);
    Say(LangText(lang::kSixAlike));
  }
  if (state.RollsLeft <= 0) {
    Say(LangText(lang::kNoMoreRolls));
    // The last throw fits no open category: nothing more can happen.
    if (IsOver(state)) main.GameEndTimer.SetEnabled(true);
  }
}

void Game::PickUp(int k) {
  if (!CanPickUp(state, k)) return;
  state.Lying[k] = false;
  EndAdvice();
  PresentDice();
}

void Game::PlayClockTick() {
  // Nine hours of play fill the counter; it then stays full rather than
  // wrapping to a negative time.
  if (state.PlaySeconds < std::numeric_limits<std::int16_t>::max()) ++state.PlaySeconds;
}

void Game::PresentDice() {
  for (int k = 1; k <= kDiceCount; ++k) {
    Control& image = main.DieImages[k];
    image.Visible = state.OnTable(k);
    // A die picked up keeps the face of the last throw for undo to show.
    if (state.Dice[k] != 0) image.Picture = DiePicture(k, state.Dice[k]);
  }
  main.ThrowArea.Enabled = CanThrow(state);
  main.UndoArea.Enabled = CanUndo(state);
}

}  // namespace pyxaro
