#include <string>

#include "core/game.h"

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
  SplashLoad();
}

void Game::SplashLoad() {
  splash.lbl_Version.Caption = run.AppVersion;
  splash.sTimer2.SetEnabled(true);
}

void Game::sTimer2Tick() {
  splash.sTimer2.SetEnabled(false);
  MainLoad();
  main.Visible = true;
  splash.Visible = false;
}

void Game::MainLoad() {
  // Every load starts from the window's design: returning from the picker
  // brings a fresh game window.
  main = MainForm{};
  main.Loaded = true;
  Unpack();
  ScreenKoll();
  main.Logo.ToolTip = " Pyxaro  v. " + run.AppVersion + " ";
  run.MoveState = "0";
  for (auto& row : main.Topp) row.Caption.clear();
  run.PlaySound = Setting("Options", "PlaySound");
  main.SoundPic.Picture = run.PlaySound == "No" ? 68 : 67;
  main.BackgrPic.Top = 0;
  main.BackgrPic.Left = 0;

  // A background the player named but that cannot be shown is dropped
  // silently: the game looks as designed and starts all the same.
  const std::string name = Setting("Options", "picture");
  if (EndsWith(name, ".jpg") || EndsWith(name, ".gif")) {
    const std::string path = AppFile(name);
    if (host_.IsPicture(path)) {
      main.BackgrPic.Width = 12000;
      main.BackgrPic.Height = 19000;
      main.BackgrFile = path;
      main.BackgrPic.Visible = true;
    } else {
      main.BackgrPic.Visible = false;
      main.BackgrPic.Width = 500;
      main.BackgrPic.Height = 500;
      main.BackgrFile.clear();
    }
  }
  Restart();
}

}  // namespace pyxaro
