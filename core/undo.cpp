#include "core/game.h"

namespace pyxaro {

void Game::Undo() {
  if (!main.UndoArea.Enabled) return;
  run.EffectNumber = 8;
  PlayEffect();
  // Every die that was picked up still shows the face of the last throw.
  for (Control& image : main.DieImages) image.Visible = true;
  for (int& lying : state.OnTable) lying = 1;
  main.ThrowArea.Enabled = false;
  main.UndoArea.Enabled = false;
}

}  // namespace pyxaro
