#include "core/game.h"

namespace pyxaro {

void Game::Say() {}

void Game::Timer1Tick() {}

void Game::Bin2Scroll() {}

void Game::Abc2Bin(const std::string&) {}

}  // namespace pyxaro
