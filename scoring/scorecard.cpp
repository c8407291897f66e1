#include "core/game.h"

namespace pyxaro {

void Game::EnterKateg(int) {}

void Game::NoAble() {}

void Game::bonusVarje() {}

}  // namespace pyxaro
