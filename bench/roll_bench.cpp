#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>

#include "game/game.h"
#include "tests/fake_host.h"

namespace {

// A few instructions per number: the benchmark measures the game, not the
// generator.
class CheapRandom : public pyxaro::RandomSource {
 public:
  void Reseed(double) override {}
  double Next() override {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) * 0x1.0p-53;
  }

 private:
  std::uint64_t state_ = 42;
};

// One throw of three picked-up dice and its hint, halfway through a game:
// eight categories entered, three dice kept on the table.
void BM_RollMidGame(benchmark::State& state) {
  pyxaro::testing::FakeHost host;
  CheapRandom chance;
  pyxaro::Game game(host, chance, std::filesystem::temp_directory_path().string());
  pyxaro::GameState midGame;
  for (const int k : {1, 2, 7, 8, 10, 13, 16, 19}) midGame.Score[k] = 1;
  // The kept dice differ, so no throw is six alike and no message is read.
  midGame.Dice.items = {1, 2, 3, 4, 4, 4};
  midGame.Lying.items = {true, true, true, true, true, true};
  midGame.RollsLeft = 30;
  game.Continue(midGame);
  for (auto _ : state) {
    // Back to the middle, untimed, before the last roll would end the game.
    if (game.Turn().State().RollsLeft < 2) {
      state.PauseTiming();
      game.Continue(midGame);
      state.ResumeTiming();
    }
    game.Do(pyxaro::Command::PickUp, 4);
    game.Do(pyxaro::Command::PickUp, 5);
    game.Do(pyxaro::Command::PickUp, 6);
    game.Do(pyxaro::Command::Throw);
    benchmark::DoNotOptimize(game.Turn().View().HintMarker.Top);
  }
}
BENCHMARK(BM_RollMidGame);

}  // namespace
