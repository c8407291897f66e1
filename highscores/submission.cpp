#include "core/game.h"

namespace pyxaro {

void Game::OfferToSend() {}

}  // namespace pyxaro
