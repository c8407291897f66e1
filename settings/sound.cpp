#include "settings/sound.h"

#include <string>
#include <utility>

#include "core/pictures.h"
#include "settings/sounds.h"

namespace pyxaro {

namespace {

// Whether sound is on, among the options: "Yes", "No", or nothing yet.
constexpr char kPlaySound[] = "PlaySound";

}  // namespace

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

Sounds::Sounds(Host& host, SettingsStore& store, const Languages& texts,
               std::function<std::string()> picture)
    : host_(host), store_(store), texts_(texts), picture_(std::move(picture)) {}

void Sounds::Play(Effect effect) {
  if (playSound_ != "Yes") return;
  const EffectSound sound = SoundOf(effect);
  host_.PlayWave(store_.DataFile(sound.File), sound.ToTheEnd);
}

void Sounds::Toggle() {
  playSound_ = playSound_ == "No" ? "Yes" : "No";
  ShowSwitch();
  if (!store_.StoreChoice({{kOptionsSection, kPlaySound, playSound_}})) {
    texts_.TellNotSaved(text::kNotSavedChoice);
  }
  Prepare();
}

void Sounds::LoadChoice() {
  view_ = SoundView{};
  playSound_ = store_.Setting(kOptionsSection, kPlaySound);
  ShowSwitch();
  Prepare();
}

void Sounds::PresentTexts() { view_.Switch.ToolTip = texts_.ToolTip(text::kSoundSwitchTip); }

void Sounds::ShowSwitch() {
  view_.Switch.Picture = playSound_ == "No" ? kSoundOffPicture : kSoundOnPicture;
}

void Sounds::Prepare() {
  if (playSound_ == "Yes") host_.PrepareWaves(waves_);
}

}  // namespace pyxaro
