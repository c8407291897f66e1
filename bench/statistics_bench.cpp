#include <benchmark/benchmark.h>

#include <QPixmap>
#include <map>
#include <random>
#include <string>

#include "bench/application.h"
#include "highscores/statistics.h"
#include "highscores/statistics_form.h"
#include "ui/statistics_window.h"

namespace {

using Stored = std::map<std::string, std::string>;

// The statistics section as 100,000 varied games leave it.
const Stored& HundredThousandGames() {
  static const Stored stored = [] {
    std::mt19937 random(1);
    pyxaro::Statistics statistics;
    for (int g = 0; g < 100'000; ++g) {
      pyxaro::FinishedGame game;
      for (int k = 1; k <= pyxaro::kCategoryCount; ++k) {
        game.Scores[k] = static_cast<int>(random() % (pyxaro::CategoryMax(k) + 1));
        game.Total += game.Scores[k];
      }
      game.RollsUsed = 50 + static_cast<int>(random() % 11);
      game.PlaySeconds = 300;
      statistics = pyxaro::AddGame(std::move(statistics), game);
    }
    Stored keys;
    for (const auto& change : pyxaro::StatisticsChanges(statistics))
      keys[change.Key] = change.Value;
    return keys;
  }();
  return stored;
}

pyxaro::StatisticsForm Form() {
  const Stored& stored = HundredThousandGames();
  const auto read = [&stored](const std::string&, const std::string& key) {
    const auto found = stored.find(key);
    return found == stored.end() ? std::string() : found->second;
  };
  return pyxaro::PresentStatistics(pyxaro::ReadStatistics(read), [](const pyxaro::TextKey& text) {
    return std::string(text.english);
  });
}

// From the stored keys to the window's data.
void BM_StatisticsFigures(benchmark::State& state) {
  HundredThousandGames();
  for (auto _ : state) benchmark::DoNotOptimize(Form());
}
BENCHMARK(BM_StatisticsFigures)->Unit(benchmark::kMicrosecond);

// From the stored keys to the window made and painted once.
void BM_OpenStatisticsWindow(benchmark::State& state) {
  pyxaro::bench::StartApplication();
  HundredThousandGames();
  for (auto _ : state) {
    pyxaro::ui::StatisticsWindow window(
        nullptr, [] {}, [] {}, [] {});
    window.Sync(Form());
    benchmark::DoNotOptimize(window.grab());
  }
}
BENCHMARK(BM_OpenStatisticsWindow)->Unit(benchmark::kMillisecond);

}  // namespace
