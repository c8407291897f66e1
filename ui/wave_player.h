#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/sound_output.h"

class QSoundEffect;

namespace pyxaro::ui {

// Plays the game's wave files. Each file is loaded once, when prepared or at
// its first play, and kept ready; a new sound cuts off the one still playing, as one voice
// would. Without a sound device the game stays silent.
class WavePlayer : public SoundOutput {
 public:
  WavePlayer();
  ~WavePlayer() override;
  WavePlayer(const WavePlayer&) = delete;
  WavePlayer& operator=(const WavePlayer&) = delete;

  void Prepare(const std::vector<std::string>& paths) override;
  void Play(const std::string& path, bool waitForEnd) override;

 private:
  bool HasDevice();
  QSoundEffect& Loaded(const QString& path);
  void WaitForEnd(QSoundEffect& effect, const QString& path);

  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
  std::optional<bool> hasDevice_;
};

}  // namespace pyxaro::ui
