#include <array>
#include <string>

#include "core/game.h"

namespace pyxaro {

namespace {

constexpr int kWaitedFor = 100;

// The wave file of effect 1..8; numbers above 100 play the same files to
// their end.
std::string WaveFileOf(int effectNumber) {
  static const std::array<const char*, 8> kFiles{"dice.wav",   "points.wav", "Bonus.wav",
                                                 "Yahoo2.wav", "Yatzy.wav",  "Laser.wav",
                                                 "beep.wav",   "pop.wav"};
  const int effect = effectNumber > kWaitedFor ? effectNumber - kWaitedFor : effectNumber;
  if (effect < 1 || effect > static_cast<int>(kFiles.size())) return {};
  return kFiles.at(static_cast<std::size_t>(effect - 1));
}

}  // namespace

void Game::PlayEffect() {
  if (run.PlaySound != "Yes") return;
  if (const std::string file = WaveFileOf(run.EffectNumber); !file.empty()) run.EffectFile = file;
  host_.PlayWave(DataFile(run.EffectFile), run.EffectNumber > kWaitedFor);
}

void Game::ToggleSound() {
  run.PlaySound = run.PlaySound == "No" ? "Yes" : "No";
  main.SoundSwitch.Picture = run.PlaySound == "No" ? 68 : 67;
  StoreChoice({{"Options", "PlaySound", run.PlaySound}});
}

}  // namespace pyxaro
