#include "core/game.h"

namespace pyxaro {

// The window stays where the desktop puts it until the placement rules for
// small screens are in.
void Game::PlaceWindow() {}

}  // namespace pyxaro
