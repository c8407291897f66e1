#include "core/game.h"

namespace pyxaro {

void Game::SendX() {}

}  // namespace pyxaro
