#pragma once

#include <array>
#include <cstddef>

#include "core/effect.h"

namespace pyxaro {

// The sound effects' wave files, in the order the package holds them. They
// are named here alone: the build reads the names for the synthesiser and
// the package from kWaveFiles.
enum class Wave { Dice, Points, Bonus, Yahoo, Yatzy, Laser, Beep, Pop, Doink };
inline constexpr std::array<const char*, 9> kWaveFiles{"dice.wav",   "points.wav", "Bonus.wav",
                                                       "Yahoo2.wav", "Yatzy.wav",  "Laser.wav",
                                                       "beep.wav",   "pop.wav",    "doink.wav"};
static_assert(kWaveFiles.size() == static_cast<std::size_t>(Wave::Doink) + 1,
              "every wave has its file");

constexpr const char* WaveFile(Wave wave) { return kWaveFiles.at(static_cast<std::size_t>(wave)); }

struct EffectSound {
  const char* File;
  bool ToTheEnd;  // the game waits until it has played
};

EffectSound SoundOf(Effect effect);

}  // namespace pyxaro
