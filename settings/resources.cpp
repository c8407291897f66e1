#include "core/game.h"

namespace pyxaro {

// The wave files come out of the resource package when the window opens and
// go again when the player quits; the package reader is not here yet, so
// there is nothing to unpack and nothing to delete.
void Game::UnpackResources() {}

void Game::DeleteResources() {}

}  // namespace pyxaro
