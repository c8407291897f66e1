#include <benchmark/benchmark.h>

#include <filesystem>

#include "game/game.h"
#include "tests/game_fixture.h"

namespace {

// One throw of three picked-up dice and its hint, halfway through a game:
// eight categories entered, three dice kept on the table.
void BM_RollMidGame(benchmark::State& state) {
  pyxaro::testing::FakeHost host;
  pyxaro::testing::ScriptedChance chance;
  pyxaro::SeededDice dice;
  pyxaro::Game game(host, chance, dice, std::filesystem::temp_directory_path().string());
  pyxaro::GameState midGame;
  for (const int k : {1, 2, 7, 8, 10, 13, 16, 19}) midGame.Score[k] = 1;
  // The kept dice differ, so no throw is six alike and no message is read.
  midGame.Dice.items = {1, 2, 3, 4, 4, 4};
  midGame.Lying.items = {true, true, true, true, true, true};
  midGame.RollsLeft = 30;
  pyxaro::testing::GameSetUp::Continue(game, midGame);
  for (auto _ : state) {
    // Back to the middle, untimed, before the last roll would end the game.
    if (game.Turn().State().RollsLeft < 2) {
      state.PauseTiming();
      pyxaro::testing::GameSetUp::Continue(game, midGame);
      state.ResumeTiming();
    }
    game.PickUp({4});
    game.PickUp({5});
    game.PickUp({6});
    game.Do(pyxaro::Command::Throw);
    benchmark::DoNotOptimize(game.Turn().View().HintMarker.Top);
  }
}
BENCHMARK(BM_RollMidGame);

}  // namespace
