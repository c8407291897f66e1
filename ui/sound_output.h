#pragma once

#include <string>
#include <vector>

namespace pyxaro::ui {

// What the game asks of the sound device. The part that speaks to it lives
// in a module of its own, so that Qt Multimedia and the sound server's
// libraries are loaded when the first sound is prepared, not before the
// first window.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Loads the files that exist, so that each starts at once when played.
  virtual void Prepare(const std::vector<std::string>& paths) = 0;
  // Plays the file in the background, or to its end while the windows go
  // on painting and the game's timers go on ticking.
  virtual void Play(const std::string& path, bool waitForEnd) = 0;
};

// The module's one function: a new sound output, owned by the caller.
using MakeSoundOutput = SoundOutput* (*)();
inline constexpr char kMakeSoundOutput[] = "PyxaroMakeSoundOutput";

}  // namespace pyxaro::ui
