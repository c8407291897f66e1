#include <benchmark/benchmark.h>

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/application.h"
#include "ui/wave_player.h"

namespace {

std::string Wave(const char* name) {
  return (std::filesystem::path(PYXARO_WAVE_DIR) / name).string();
}

// From the game's request to the sound device having the effect started,
// for prepared effects that cut each other off as a quick game's roll,
// entry and roll again would. Needs a sound device.
void EffectStart(benchmark::State& state) {
  pyxaro::bench::StartApplication();
  if (QMediaDevices::audioOutputs().isEmpty()) {
    state.SkipWithError("no sound device");
    return;
  }
  const std::vector<std::string> waves{Wave("dice.wav"), Wave("points.wav"), Wave("pop.wav")};
  pyxaro::ui::WavePlayer player;
  player.Prepare(waves);
  QTest::qWait(500);
  std::size_t next = 0;
  for (auto _ : state) {
    player.Play(waves[next], false);
    next = (next + 1) % waves.size();
    state.PauseTiming();
    QTest::qWait(30);
    state.ResumeTiming();
  }
}
BENCHMARK(EffectStart)->Unit(benchmark::kMillisecond)->Iterations(60);

// A waited effect holds the game for the sound's own length (Yatzy.wav lasts
// one second), not for the longest wait allowed.
void WaitedEffect(benchmark::State& state) {
  pyxaro::bench::StartApplication();
  if (QMediaDevices::audioOutputs().isEmpty()) {
    state.SkipWithError("no sound device");
    return;
  }
  const std::vector<std::string> waves{Wave("Yatzy.wav")};
  pyxaro::ui::WavePlayer player;
  player.Prepare(waves);
  QTest::qWait(500);
  for (auto _ : state) player.Play(waves[0], true);
}
BENCHMARK(WaitedEffect)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
