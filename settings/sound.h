#pragma once

#include "core/effect.h"

namespace pyxaro {

struct EffectSound {
  const char* File;
  bool ToTheEnd;  // the game waits until it has played
};

EffectSound SoundOf(Effect effect);

}  // namespace pyxaro
