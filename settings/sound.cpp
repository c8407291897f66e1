#include "settings/sound.h"

#include <string>

#include "core/game.h"
#include "core/pictures.h"

namespace pyxaro {

EffectSound SoundOf(Effect effect) {
  switch (effect) {
    case Effect::Dice:
      return {"dice.wav", false};
    case Effect::Points:
      return {"points.wav", false};
    case Effect::Bonus:
      return {"Bonus.wav", false};
    case Effect::Yahoo:
      return {"Yahoo2.wav", false};
    case Effect::Yatzy:
      return {"Yatzy.wav", false};
    case Effect::Fanfare:
      return {"Yatzy.wav", true};
    case Effect::Laser:
      return {"Laser.wav", false};
    case Effect::Beep:
      return {"beep.wav", false};
    case Effect::BeepToEnd:
      return {"beep.wav", true};
    case Effect::Pop:
      return {"pop.wav", false};
    case Effect::Doink:
      return {"doink.wav", false};
  }
  return {"beep.wav", false};
}

void Game::PlayEffect(Effect effect) {
  if (run.PlaySound != "Yes") return;
  const EffectSound sound = SoundOf(effect);
  host_.PlayWave(DataFile(sound.File), sound.ToTheEnd);
}

void Game::ToggleSound() {
  run.PlaySound = run.PlaySound == "No" ? "Yes" : "No";
  main.SoundSwitch.Picture = run.PlaySound == "No" ? kSoundOffPicture : kSoundOnPicture;
  StoreChoice({{"Options", "PlaySound", run.PlaySound}});
  PrepareSound();
}

void Game::PrepareSound() {
  if (run.PlaySound == "Yes") host_.PrepareWaves(run.Waves);
}

}  // namespace pyxaro
