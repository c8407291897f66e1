// A second game on the settings file, for the test that runs two at once: store_child
// <folder>/Pyx4.ini <first total> ends 30 games of every second total from the first on, each
// named by its total, with the check value's digit the fixture's games end with.

#include <cstdlib>

#include "tests/game_fixture.h"

int main(int argc, char** argv) {
  using namespace pyxaro;
  if (argc != 3) return 2;
  pyxaro::testing::FakeHost host;
  pyxaro::testing::ScriptedChance chance;
  pyxaro::testing::ScriptedDice dice;
  Game game(host, chance, dice, std::filesystem::path(argv[1]).parent_path().string());
  game.Start();
  GameState over;
  over.RollsLeft = 0;
  over.ThrowEntered = true;
  for (int total = std::atoi(argv[2]), played = 0; played < 30; ++played, total += 2) {
    host.inputs = {"P" + std::to_string(total)};
    host.boxes.clear();
    chance.draws = {0.5};
    over.Score[kCategoryCount] = total;
    pyxaro::testing::GameSetUp::Continue(game, over);
    game.Do(Command::GameEndTick);
    if (game.Settings().LastWrite() != WriteResult::Stored) return 1;
  }
  return 0;
}
