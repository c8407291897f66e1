#pragma once

#include <string>

#include "core/speaker.h"
#include "display/message_display.h"
#include "settings/sounds.h"

namespace pyxaro {

// The dot display and the sound effects, as the subsystems that tell the
// player something see them.
class GameSpeaker : public Speaker {
 public:
  GameSpeaker(MessageDisplay& display, Sounds& sounds) : display_(display), sounds_(sounds) {}

  void Say(const std::string& message) override { display_.Say(message); }
  void Play(Effect effect) override { sounds_.Play(effect); }
  void SayAside(const std::string& message) override { display_.SayAside(message); }
  void EndAside() override { display_.EndAside(); }

 private:
  MessageDisplay& display_;
  Sounds& sounds_;
};

}  // namespace pyxaro
