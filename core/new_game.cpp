#include "core/game.h"

namespace pyxaro {

void Game::Restart() {}

void Game::NyttSpel() {}

void Game::butt_End() {}

void Game::Avsluta() {}

void Game::TimerEndTick() {}

}  // namespace pyxaro
