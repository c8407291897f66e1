#include "core/game.h"

namespace pyxaro {

void Game::Roll() {}

void Game::PickUp(int) {}

void Game::RemoveAll() {}

void Game::Varje() {}

void Game::TimerPlayTick() {}

}  // namespace pyxaro
