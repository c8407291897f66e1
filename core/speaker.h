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
  // Shows a message for a while, such as advice: EndAside says again what
  // the display said before it, unless another message came meanwhile.
  virtual void SayAside(const std::string& message) = 0;
  virtual void EndAside() = 0;
};

}  // namespace pyxaro
