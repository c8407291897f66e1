// Plays whole games through the game's own routines, as a player's clicks
// would: once following the advisor at every step, once entering where the
// red marker points and throwing all six again, both from the same dice.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "game/game.h"
#include "scoring/advice_position.h"
#include "scoring/advisor.h"
#include "scoring/block_values.h"
#include "scoring/entry.h"
#include "tests/game_fixture.h"

namespace {

using namespace pyxaro;

// Each game's dice come from its own seed, so both ways of playing see the
// same faces as long as they throw alike.
class SeededDice : public RandomSource {
 public:
  void Start(std::uint64_t seed) { engine_.seed(seed); }
  void Reseed(double) override {}
  double Next() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

struct Options {
  int games = 10000;
  std::uint64_t seed = 1;
};

struct Result {
  int total = 0;
  bool bonus = false;
  bool yatzy = false;
};

// The time the advisor itself takes: the processor time of this thread, so
// that other programs on a busy machine do not count.
double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

Result Finish(const GameState& state) {
  return {state.Total(), state.BonusState() == Bonus::Won, state.Score[kCategoryCount] > 0};
}

Result PlayAdvised(Game& game, Advisor& advisor, std::vector<double>& decisions) {
  const GameState& state = game.Turn().State();
  game.Continue(GameState{});
  while (!IsOver(state)) {
    const double start = CpuMilliseconds();
    const Advice advice = advisor.Advise(PositionOf(state));
    decisions.push_back(CpuMilliseconds() - start);
    switch (advice.move) {
      case AdviceMove::Throw:
        game.Do(Command::Throw);
        break;
      case AdviceMove::PickUp:
        for (int die = 1; die <= kDiceCount; ++die) {
          if (advice.pickUp[static_cast<std::size_t>(die - 1)] && state.OnTable(die)) {
            game.Do(Command::PickUp, die);
          }
        }
        game.Do(Command::Throw);
        break;
      case AdviceMove::Enter:
        game.Do(Command::Enter, advice.category);
        break;
      case AdviceMove::None:
        return Finish(state);
    }
  }
  return Finish(state);
}

Result PlayMarker(Game& game) {
  const GameState& state = game.Turn().State();
  game.Continue(GameState{});
  game.Do(Command::Throw);
  while (!IsOver(state)) {
    const int marked = game.Turn().Hinted();
    if (marked != 0) {
      game.Do(Command::Enter, marked);
    } else {
      for (int die = 1; die <= kDiceCount; ++die) game.Do(Command::PickUp, die);
    }
    if (!IsOver(state)) game.Do(Command::Throw);
  }
  return Finish(state);
}

double Mean(const std::vector<int>& values) {
  double sum = 0;
  for (const int value : values) sum += value;
  return values.empty() ? 0.0 : sum / static_cast<double>(values.size());
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--games") options.games = std::max(1, std::stoi(argv[i + 1]));
    if (name == "--seed") options.seed = std::stoull(argv[i + 1]);
  }
  pyxaro::testing::TempFolder folder;
  folder.Write("Pyx4.ini",
               "[Options]\nPlaySound=No\nShowLangu=No\n"
               "[Language]\nantal=1\nl1n=English\nl1p=english.lng\nselected=1\n");
  folder.Write("english.lng", "[Language]\nl1=Score\n");
  std::filesystem::copy_file(PYXARO_SHIPPED_PACKAGE, folder.File("Res.pac"));
  pyxaro::testing::FakeHost host;
  SeededDice dice;
  Game game(host, dice, folder.Path().string());
  game.Start();
  game.Do(Command::SplashTimeUp);

  Advisor advisor(blocks::Embedded(), kFittedCorrection);
  std::vector<int> totals;
  std::vector<int> markerTotals;
  std::vector<double> decisions;
  int bonuses = 0;
  int yatzies = 0;
  for (int n = 0; n < options.games; ++n) {
    dice.Start(options.seed * 1000003ULL + static_cast<std::uint64_t>(n));
    const Result advised = PlayAdvised(game, advisor, decisions);
    totals.push_back(advised.total);
    bonuses += advised.bonus ? 1 : 0;
    yatzies += advised.yatzy ? 1 : 0;
    dice.Start(options.seed * 1000003ULL + static_cast<std::uint64_t>(n));
    markerTotals.push_back(PlayMarker(game).total);
  }

  const double mean = Mean(totals);
  double squares = 0;
  for (const int total : totals) squares += (total - mean) * (total - mean);
  const double sd = std::sqrt(squares / static_cast<double>(totals.size()));
  std::sort(totals.begin(), totals.end());
  const auto percentile = [&totals](int p) {
    return totals[std::min(totals.size() - 1, totals.size() * static_cast<std::size_t>(p) / 100)];
  };
  std::sort(decisions.begin(), decisions.end());
  const double games = static_cast<double>(options.games);
  std::printf(
      "advisor: mean %.1f sd %.1f p5 %d p50 %d p95 %d bonus %.1f%% yatzy %.1f%% over %d games; "
      "marker: mean %.1f; decision median %.3f ms, max %.2f ms\n",
      mean, sd, percentile(5), percentile(50), percentile(95), 100.0 * bonuses / games,
      100.0 * yatzies / games, options.games, Mean(markerTotals), decisions[decisions.size() / 2],
      decisions.back());
  return 0;
}
