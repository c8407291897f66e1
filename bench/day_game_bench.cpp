#include <benchmark/benchmark.h>

#include "core/calendar_day.h"
#include "scoring/advisor_correction.h"
#include "scoring/block_values.h"
#include "scoring/players.h"

namespace {

// What the end of a game of the day adds on the window's thread: the
// advisor's whole game on the day's dice, a new day each time, so that no
// position of the day before is planned already.
void BM_AdvisorOnTheDaysDice(benchmark::State& state) {
  pyxaro::Advisor advisor(pyxaro::blocks::Embedded(), pyxaro::kFittedCorrection);
  const pyxaro::SeededDice dice;
  int day = 0;
  for (auto _ : state) {
    const pyxaro::CalendarDay date{2027, 1 + day / 28 % 12, 1 + day % 28};
    ++day;
    benchmark::DoNotOptimize(pyxaro::AdvisorTotal(advisor, dice, pyxaro::DaySeed(date)));
  }
}
BENCHMARK(BM_AdvisorOnTheDaysDice)->Unit(benchmark::kMillisecond);

}  // namespace
