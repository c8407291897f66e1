// A second game on the same settings file, for the test that runs two at once:
//   store_child games <settings file> <first total> <step> <count> <name>
// ends <count> games from <first total> on; a row's name and check value carry its total.

#include <cstdlib>
#include <string>

#include "core/game.h"
#include "tests/fake_host.h"

namespace {

using pyxaro::Game;

int EndGames(const std::string& file, int total, int step, int count, const std::string& name) {
  pyxaro::testing::FakeHost host;
  pyxaro::testing::ScriptedDice dice;
  Game game(host, dice, ".");
  game.run.SettingsFile = file;
  for (int played = 0; played < count; ++played, total += step) {
    host.inputs = {name + std::to_string(total)};
    host.boxes.clear();
    game.run.Candidate.Key = "K" + std::to_string(total);
    game.RecordScore(pyxaro::testing::EndedGame(total));
    if (game.run.LastWrite != pyxaro::WriteResult::Stored) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "games" && argc == 7) {
    return EndGames(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), argv[6]);
  }
  return 2;
}
