// A second game on the same settings file, for the test that runs two at once:
//   store_child games <folder>/Pyx4.ini <first total> <step> <count> <name>
// ends <count> games from <first total> on; a row's name and check value carry its total.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/game.h"
#include "highscores/highscore_rules.h"
#include "settings/numbered_key.h"
#include "tests/fake_host.h"

namespace {

using namespace pyxaro;

// The parent reads each row's total back out of its check value: "K" and the total stand in for the
// value the game makes, in the game end's one write.
class TotalAsCheckValue : public GameKeeper {
 public:
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) override {
    OneBased<int, kTopTenRows> points;
    for (int r = 1; r <= kTopTenRows; ++r)
      points[r] = StoredPoints(current("Highscore", NumberedKey("p", r)));
    const int row = EntryRow(points, game.Total);
    if (row == 0) return {};
    return {{"Highscore", NumberedKey("k", row), "K" + std::to_string(game.Total)}};
  }
};

int EndGames(const std::string& file, int total, int step, int count, const std::string& name) {
  const std::filesystem::path settings(file);
  if (settings.filename() != "Pyx4.ini") return 2;
  testing::FakeHost host;
  testing::ScriptedDice dice;
  TotalAsCheckValue keys;
  Game game(host, dice, settings.parent_path().string());
  game.KeepGames(keys);
  game.Start();
  GameState over;
  over.RollsLeft = 0;
  over.ThrowEntered = true;
  for (int played = 0; played < count; ++played, total += step) {
    host.inputs = {name + std::to_string(total)};
    host.boxes.clear();
    over.Score[kCategoryCount] = total;
    game.Continue(over);
    game.Do(Command::GameEndTick);
    if (game.Settings().LastWrite() != WriteResult::Stored) return 1;
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
