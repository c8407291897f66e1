#include "core/game.h"

namespace pyxaro {

void Game::Unpack() {}

void Game::DelRes() {}

}  // namespace pyxaro
