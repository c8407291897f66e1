#include "core/game.h"
#include "scoring/entry.h"

namespace pyxaro {

void Game::Undo() {
  if (!CanUndo(state)) return;
  PlayEffect(Effect::Pop);
  // Every die that was picked up still shows the face of the last throw.
  for (bool& lying : state.Lying) lying = true;
  PresentDice();
}

}  // namespace pyxaro
