#pragma once

#include "core/forms.h"
#include "settings/languages.h"
#include "settings/sounds.h"

namespace pyxaro {

// The splash that stands between the picker and the game window, and the
// work done while it stands.
class Splash {
 public:
  Splash(const Languages& texts, Sounds& sounds);

  // Shows the splash with the version and starts the two seconds it stands.
  void Show();
  // While the splash stands: unpacks what the game window needs, so that it
  // opens at the splash's end with no wait. A missing package is told when
  // the window opens, as it would be without this.
  void PrepareGameWindow();
  // The splash has stood long enough. True when the package was unpacked
  // while it stood, which the opening window then takes.
  bool TimeUp();
  // The game window stands in its place: the splash goes.
  void Close();

  const SplashForm& View() const { return view_; }

 private:
  const Languages& texts_;
  Sounds& sounds_;
  bool standing_ = false;
  bool unpackedAhead_ = false;
  SplashForm view_;
};

}  // namespace pyxaro
