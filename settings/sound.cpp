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
      return {WaveFile(Wave::Dice), false};
    case Effect::Points:
      return {WaveFile(Wave::Points), false};
    case Effect::Bonus:
      return {WaveFile(Wave::Bonus), false};
    case Effect::Yahoo:
      return {WaveFile(Wave::Yahoo), false};
    case Effect::Yatzy:
      return {WaveFile(Wave::Yatzy), false};
    case Effect::Fanfare:
      return {WaveFile(Wave::Yatzy), true};
    case Effect::Laser:
      return {WaveFile(Wave::Laser), false};
    case Effect::Beep:
      return {WaveFile(Wave::Beep), false};
    case Effect::BeepToEnd:
      return {WaveFile(Wave::Beep), true};
    case Effect::Pop:
      return {WaveFile(Wave::Pop), false};
    case Effect::Doink:
      return {WaveFile(Wave::Doink), false};
  }
  return {WaveFile(Wave::Beep), false};
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
