#include "core/game.h"

namespace pyxaro {

void Game::Undo() {}

}  // namespace pyxaro
