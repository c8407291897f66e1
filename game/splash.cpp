#include "game/splash.h"

#include <string>
#include <utility>

#include "core/version.h"

namespace pyxaro {

Splash::Splash(const Languages& texts, Sounds& sounds) : texts_(texts), sounds_(sounds) {}

void Splash::Show() {
  view_ = SplashForm{};
  view_.Visible = true;
  view_.VersionLabel.Caption = std::string(kAppVersion);
  view_.Tagline = texts_.Painted().Tagline;
  view_.CloseTimer.SetEnabled(true);
  standing_ = true;
}

void Splash::PrepareGameWindow() {
  if (standing_ && !unpackedAhead_) unpackedAhead_ = sounds_.UnpackPackage();
}

bool Splash::TimeUp() {
  view_.CloseTimer.SetEnabled(false);
  standing_ = false;
  return std::exchange(unpackedAhead_, false);
}

void Splash::Close() { view_.Visible = false; }

}  // namespace pyxaro
