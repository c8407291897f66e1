#include "core/game.h"

namespace pyxaro {

void Game::LanguageLoad() {}

void Game::SplashLoad() {}

void Game::sTimer2Tick() {}

void Game::MainLoad() {}

void Game::MainClosedByWindowSystem() {}

}  // namespace pyxaro
