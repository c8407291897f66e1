#pragma once

#include <string>

#include "core/forms.h"
#include "core/host.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// Where the move button last took the window; the next press takes it on.
enum class MoveStep { Centred, Left, Bottom, Right };

// The game window as a whole: whether it stands, its place on the screen,
// its background and the buttons that lead elsewhere.
class GameWindow {
 public:
  GameWindow(Host& host, const SettingsStore& store, const Languages& texts);

  // A fresh window from its design, with the background the settings name.
  void Open();
  // The window is on the screen.
  void Show();
  // The window closes, and with it the game in progress.
  void Close();
  // Names the window's buttons in the player's language.
  void PresentTexts();
  // Places the window on its screen, as it opens and whenever the display
  // changes, and warns when the screen is too small for it.
  void Place();
  // Moves the window on to the next of its four places on the screen.
  void MoveOn();
  void Minimise();

  // The background picture the settings name, as they name it.
  std::string PictureName() const;

  const WindowView& View() const { return view_; }

 private:
  void ShowBackground();

  Host& host_;
  const SettingsStore& store_;
  const Languages& texts_;
  MoveStep step_ = MoveStep::Centred;
  WindowView view_;
};

}  // namespace pyxaro
