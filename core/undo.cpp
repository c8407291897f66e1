#include "core/game.h"

namespace pyxaro {

void Game::Undo() {
  if (!main.Undo.Enabled) return;
  run.SoundId = 8;
  sndA();
  // Every die that was picked up still shows the face of the last throw.
  for (Control& image : main.Image) image.Visible = true;
  for (int& lying : state.OnTable) lying = 1;
  main.Roll.Enabled = false;
  main.Undo.Enabled = false;
}

}  // namespace pyxaro
