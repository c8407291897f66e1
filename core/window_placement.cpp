#include "core/game.h"

namespace pyxaro {

void Game::ScreenKoll() {}

}  // namespace pyxaro
