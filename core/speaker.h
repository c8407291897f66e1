#pragma once

#include <string>

#include "core/effect.h"

namespace pyxaro {

// What a subsystem needs to tell the player something: the dot display and
// the sound effects.
class Speaker {
 public:
  virtual ~Speaker() = default;
  // Shows a message on the dot display, paging through it when it is long.
  virtual void Say(const std::string& message) = 0;
  // Plays a sound effect when sound is on.
  virtual void Play(Effect effect) = 0;
  // The message on the display, as the last Say gave it.
  virtual const std::string& Saying() const = 0;
};

}  // namespace pyxaro
