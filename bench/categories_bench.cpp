#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "scoring/categories.h"

namespace {

// A spread of throws, so the branches are not all predicted from one.
std::vector<std::array<int, 6>> Throws() {
  std::vector<std::array<int, 6>> throws;
  unsigned x = 12345;
  for (int n = 0; n < 1024; ++n) {
    std::array<int, 6> dice{};
    for (int& die : dice) {
      x = x * 1103515245U + 12345U;
      die = static_cast<int>((x >> 16) % 6 + 1);
    }
    throws.push_back(dice);
  }
  return throws;
}

void BM_AllTwentyValues(benchmark::State& state) {
  const auto throws = Throws();
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& dice = throws[i++ & 1023];
    int sum = 0;
    for (int category = 1; category <= 20; ++category) {
      sum += pyxaro::CategoryValue(category, dice);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_AllTwentyValues);

void BM_AllTwentyValuesCountedOnce(benchmark::State& state) {
  const auto throws = Throws();
  std::size_t i = 0;
  for (auto _ : state) {
    const pyxaro::FaceCounts counts = pyxaro::FaceCount(throws[i++ & 1023]);
    int sum = 0;
    for (const pyxaro::Category& category : pyxaro::kCategories) {
      sum += pyxaro::ValueOfCounts(category.rule, counts);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_AllTwentyValuesCountedOnce);

}  // namespace
