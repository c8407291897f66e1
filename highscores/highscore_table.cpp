#include "core/game.h"

namespace pyxaro {

void Game::KollaScore() {}

void Game::UpdatTopp() {}

void Game::ClearTopp() {}

void Game::ToppClick(int) {}

}  // namespace pyxaro
