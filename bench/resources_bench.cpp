#include <benchmark/benchmark.h>

#include <filesystem>

#include "settings/package_reader.h"
#include "tests/game_fixture.h"

namespace {

// The shipped package unpacked as the game window opens: nine wave files
// copied out and listed in the settings file.
class Unpacking : public pyxaro::testing::GameTest {
 public:
  Unpacking() { store.Open(); }
  void TestBody() override {}

  pyxaro::SettingsStore store{host, folder.Path().string(), std::nullopt};
  pyxaro::Languages texts{host, store};
  pyxaro::Sounds sounds{host, store, texts, [] { return std::string(); }};
};

void UnpackShippedPackage(benchmark::State& state) {
  Unpacking fixture;
  // As at every start, the last quit has removed the files.
  for (auto _ : state) {
    fixture.sounds.Unpack();
    state.PauseTiming();
    fixture.sounds.DeleteResources();
    state.ResumeTiming();
  }
}
BENCHMARK(UnpackShippedPackage)->Unit(benchmark::kMillisecond);

// The copying alone, without the settings writes that list the files.
void ExtractShippedPackage(benchmark::State& state) {
  pyxaro::testing::TempFolder folder;
  for (auto _ : state) {
    pyxaro::PackageReader reader;
    reader.SetPackage(PYXARO_SHIPPED_PACKAGE);
    reader.SetDestination(folder.Path().string());
    reader.Initialise();
    for (int i = 0; i < reader.FileCount(); ++i) reader.ExtractFile(reader.FileName(i));
    state.PauseTiming();
    for (int i = 0; i < reader.FileCount(); ++i)
      std::filesystem::remove(folder.Path() / reader.FileName(i));
    state.ResumeTiming();
  }
}
BENCHMARK(ExtractShippedPackage)->Unit(benchmark::kMillisecond);

}  // namespace
