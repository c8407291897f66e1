// A second game on the same settings file, for the tests that kill it or
// run two at once. Usage:
//   store_child games <settings file> <first total> <step> <count> <name>
//     ends <count> games whose totals start at <first total>; each row's
//     name and check value carry its total, so a torn row shows.
//     A <count> of 0 runs until killed, starting above the stored list.
//   store_child keys <settings file> <key prefix> <count>
//     stores the keys <prefix>1 .. <prefix><count> one by one.

#include <cstdlib>
#include <string>

#include "core/game.h"
#include "core/text.h"
#include "settings/ini.h"
#include "tests/fake_host.h"

namespace {

using pyxaro::Game;
using pyxaro::GetINI;
using pyxaro::LeadingNumber;
using pyxaro::SetINI;

int EndGames(const std::string& file, int total, int step, int count, const std::string& name) {
  pyxaro::testing::FakeHost host;
  pyxaro::testing::ScriptedDice dice;
  Game game(host, dice, ".");
  game.run.SettingsFile = file;
  if (count == 0) total = LeadingNumber(GetINI("Highscore", "p1", file)) + 1;
  for (int played = 0; count == 0 || played < count; ++played, total += step) {
    host.inputs = {name + std::to_string(total)};
    host.boxes.clear();
    game.run.Candidate.Key = "K" + std::to_string(total);
    game.RecordScore(pyxaro::testing::EndedGame(total));
    if (game.run.LastWrite != pyxaro::WriteResult::Stored) return 1;
  }
  return 0;
}

int StoreKeys(const std::string& file, const std::string& prefix, int count) {
  for (int i = 1; i <= count; ++i) {
    if (SetINI("Keys", prefix + std::to_string(i), std::to_string(i), file) != -1) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "games" && argc == 7) {
    return EndGames(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), argv[6]);
  }
  if (mode == "keys" && argc == 5) return StoreKeys(argv[2], argv[3], std::atoi(argv[4]));
  return 2;
}
