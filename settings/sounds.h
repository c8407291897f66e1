#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/effect.h"
#include "core/forms.h"
#include "core/host.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// The sound effects and the package they come in: unpacked beside the
// settings while the game runs, deleted again at the quit.
class Sounds {
 public:
  // `picture` names the background picture the game window shows, one of
  // the game's own files, which a package never overwrites.
  Sounds(Host& host, SettingsStore& store, const Languages& texts,
         std::function<std::string()> picture);

  // Plays a sound effect when sound is on.
  void Play(Effect effect);
  // Switches sound on or off and remembers the choice.
  void Toggle();
  // Takes the player's choice of sound from the settings, for a fresh game window.
  void LoadChoice();
  // Names the switch in the player's language.
  void PresentTexts();
  // Unpacks the sounds into the data folder, telling the player when there
  // is no package.
  void Unpack();
  // The same, telling nobody; false when there is no package to unpack.
  bool UnpackPackage();
  // Deletes the unpacked sounds again.
  void DeleteResources();

  // The player has switched the sound off.
  bool SwitchedOff() const { return playSound_ == "No"; }
  const SoundView& View() const { return view_; }

 private:
  // Has the desktop load the unpacked waves while sound is on, so the first
  // effect does not wait for them; with sound off nothing is loaded.
  void Prepare();
  void ShowSwitch();

  Host& host_;
  SettingsStore& store_;
  const Languages& texts_;
  std::function<std::string()> picture_;
  std::string playSound_;
  // The resource files this run unpacked, or took on from a game before it:
  // the quit deletes them, whether or not the settings could list them.
  std::vector<std::string> unpacked_;
  // The wave files there to play: the sound module loads them only while the
  // sound is on.
  std::vector<std::string> waves_;
  SoundView view_;
};

}  // namespace pyxaro
