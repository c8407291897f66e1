// Reviews whole games as the coach does at a game's end: the processor time
// a review takes, and the mean loss per choice of two players who do not
// follow the advisor: one entering where the red marker points (throwing all
// six again where it points nowhere), one choosing at random among the
// choices the rules allow.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "scoring/block_values.h"
#include "tests/helpers/played_game.h"

namespace {

using namespace pyxaro;

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

Choice MarkersChoice(const GameState& state) {
  return {.category = HintedCategory(state), .kept = {}};
}

}  // namespace

int main() {
  constexpr int kGames = 1000;
  Advisor advisor(blocks::Embedded(), kFittedCorrection);
  std::mt19937 chance(1);
  const auto randomChoice = [&chance](const GameState& state) {
    const std::vector<Choice> choices = testing::EveryChoice(state);
    return choices[chance() % choices.size()];
  };
  std::vector<double> times;
  double markerLoss = 0, randomLoss = 0;
  int markerChoices = 0, randomChoices = 0;
  for (unsigned game = 1; game <= kGames; ++game) {
    const bool marker = game % 2 == 0;
    const MoveRecord record =
        marker ? testing::PlayedGame(game, MarkersChoice) : testing::PlayedGame(game, randomChoice);
    const double start = CpuMilliseconds();
    const GameReview review = ReviewGame(record, advisor);
    times.push_back(CpuMilliseconds() - start);
    (marker ? markerLoss : randomLoss) += review.totalLoss;
    (marker ? markerChoices : randomChoices) += review.choices;
  }
  std::sort(times.begin(), times.end());
  std::printf(
      "coach_bench: %d games reviewed: median %.2f ms, max %.2f ms a game; mean loss per choice: "
      "red marker %.2f, random %.2f\n",
      kGames, times[times.size() / 2], times.back(), markerLoss / std::max(markerChoices, 1),
      randomLoss / std::max(randomChoices, 1));
}
