#include "core/game.h"

namespace pyxaro {

void Game::GeKey() {}

}  // namespace pyxaro
