#include <string>
#include <utility>

#include "core/game.h"
#include "core/pictures.h"

namespace pyxaro {

namespace {

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

void Game::ShowSplash() {
  splash = SplashForm{};
  splash.Visible = true;
  splash.VersionLabel.Caption = run.AppVersion;
  splash.Tagline = main.Painted.Tagline;
  splash.CloseTimer.SetEnabled(true);
}

void Game::PrepareGameWindow() {
  if (splash.Visible && !run.UnpackedAhead) run.UnpackedAhead = UnpackPackage();
}

void Game::SplashTimeUp() {
  splash.CloseTimer.SetEnabled(false);
  OpenGameWindow();
  main.Visible = true;
  splash.Visible = false;
}

void Game::OpenGameWindow() {
  // Every load starts from the window's design: returning from the picker
  // brings a fresh game window.
  main = MainForm{};
  main.Loaded = true;
  // The boxes of the opening speak the chosen language too.
  UseChosenLanguage();
  if (!std::exchange(run.UnpackedAhead, false)) UnpackResources();
  PlaceWindow();
  main.Logo.ToolTip = " Pyxaro  v. " + run.AppVersion + " ";
  run.WindowPlace = MoveStep::Centred;
  for (auto& row : main.TopTenRows) row.Caption.clear();
  run.PlaySound = Setting("Options", "PlaySound");
  run.ShowAdvice = Setting("Options", "ShowAdvice");
  main.SoundSwitch.Picture = run.PlaySound == "No" ? kSoundOffPicture : kSoundOnPicture;
  PrepareSound();
  main.BackgroundPicture.Top = 0;
  main.BackgroundPicture.Left = 0;

  // A background the player named but that cannot be shown is dropped
  // silently: the game looks as designed and starts all the same.
  const std::string name = Setting("Options", "picture");
  if (EndsWith(name, ".jpg") || EndsWith(name, ".gif")) {
    const std::string path = AppFile(name);
    if (host_.IsPicture(path)) {
      main.BackgroundPicture.Width = 12000;
      main.BackgroundPicture.Height = 19000;
      main.BackgroundFile = path;
      main.BackgroundPicture.Visible = true;
    } else {
      main.BackgroundPicture.Visible = false;
      main.BackgroundPicture.Width = 500;
      main.BackgroundPicture.Height = 500;
      main.BackgroundFile.clear();
    }
  }
  Restart();
}

}  // namespace pyxaro
