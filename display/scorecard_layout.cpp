#include "core/game.h"

namespace pyxaro {

void Game::PlaceAll() {}

}  // namespace pyxaro
