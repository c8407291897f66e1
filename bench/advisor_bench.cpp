// Plays whole games by the rules of moves, as the game plays them: once
// following the advisor at every step, once entering where the red marker
// points and throwing all six again, both on the dice of the same seed.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "scoring/block_values.h"
#include "scoring/categories.h"
#include "scoring/entry.h"
#include "tests/helpers/played_game.h"

namespace {

using namespace pyxaro;

struct Options {
  int games = 10000;
  std::uint64_t seed = 1;
};

// The time the advisor itself takes: the processor time of this thread, so
// that other programs on a busy machine do not count.
double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// The advisor's player, timed at each decision a throw asks for: the pick-ups
// that carry a decision out are look-ups.
class TimedAdvisor : public Player {
 public:
  explicit TimedAdvisor(Advisor& advisor) : advisor_(advisor) {}
  Move Choose(const GameState& state) override {
    const double start = CpuMilliseconds();
    const Move move = advisor_.Choose(state);
    if (state.AllOnTable()) decisions.push_back(CpuMilliseconds() - start);
    return move;
  }
  std::vector<double> decisions;

 private:
  AdvisorPlayer advisor_;
};

Choice MarkersChoice(const GameState& state) {
  return {.category = HintedCategory(state), .kept = {}};
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
  Advisor advisor(blocks::Embedded(), kFittedCorrection);
  TimedAdvisor advised(advisor);
  testing::ChoosingPlayer marker(MarkersChoice);
  const SeededDice dice;
  std::vector<int> totals;
  std::vector<int> markerTotals;
  int bonuses = 0;
  int yatzies = 0;
  for (int n = 0; n < options.games; ++n) {
    const std::uint64_t seed = options.seed * 1000003ULL + static_cast<std::uint64_t>(n);
    const GameState game = PlayGame(advised, dice, seed).state;
    totals.push_back(game.Total());
    bonuses += game.BonusState() == Bonus::Won ? 1 : 0;
    yatzies += game.Score[kYatzy] > 0 ? 1 : 0;
    markerTotals.push_back(PlayGame(marker, dice, seed).state.Total());
  }

  const double mean = Mean(totals);
  double squares = 0;
  for (const int total : totals) squares += (total - mean) * (total - mean);
  const double sd = std::sqrt(squares / static_cast<double>(totals.size()));
  std::sort(totals.begin(), totals.end());
  const auto percentile = [&totals](int p) {
    return totals[std::min(totals.size() - 1, totals.size() * static_cast<std::size_t>(p) / 100)];
  };
  std::vector<double>& decisions = advised.decisions;
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
