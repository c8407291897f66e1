#include "core/game.h"

namespace pyxaro {

void Game::CheckKateg() {}

}  // namespace pyxaro
