#include "core/game.h"

namespace pyxaro {

void Game::Timer3Tick() {}

}  // namespace pyxaro
