#include "core/game.h"

namespace pyxaro {

void Game::sndA() {}

void Game::SoundPicClick() {}

}  // namespace pyxaro
