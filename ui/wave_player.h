#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSoundEffect;

namespace pyxaro::ui {

// Plays the game's wave files. Each file is loaded once, when prepared or at
// its first play, and kept ready; a new sound cuts off the one still playing, as one voice
// would. Without a sound device the game stays silent.
class WavePlayer {
 public:
  WavePlayer();
  ~WavePlayer();

  // Loads the files that exist, so that each starts at once when played.
  void Prepare(const std::vector<std::string>& paths);
  // Plays the file in the background, or to its end while the windows go
  // on painting and the game's timers go on ticking.
  void Play(const std::string& path, bool waitForEnd);

 private:
  bool HasDevice();
  QSoundEffect& Loaded(const QString& path);
  void WaitForEnd(QSoundEffect& effect, const QString& path);

  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
  std::optional<bool> hasDevice_;
};

}  // namespace pyxaro::ui
