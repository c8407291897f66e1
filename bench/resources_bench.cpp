#include <benchmark/benchmark.h>

#include <filesystem>

#include "tests/game_fixture.h"

namespace {

// The shipped package unpacked as the game window opens: nine wave files
// copied out and listed in the settings file.
class Unpacking : public pyxaro::testing::GameTest {
 public:
  void TestBody() override {}
  void Open() { game->OpenLanguagePicker(); }
  void Unpack() { game->UnpackResources(); }
};

void UnpackShippedPackage(benchmark::State& state) {
  Unpacking fixture;
  fixture.Open();
  for (auto _ : state) fixture.Unpack();
}
BENCHMARK(UnpackShippedPackage)->Unit(benchmark::kMillisecond);

}  // namespace
