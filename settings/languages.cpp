#include "core/game.h"

namespace pyxaro {

void Game::List1Click(int) {}

void Game::ConfirmLanguage() {}

void Game::Langu() {}

void Game::ChooseLangFile() {}

}  // namespace pyxaro
