#include <algorithm>
#include <string>

#include "core/game.h"
#include "core/text.h"

namespace pyxaro {

namespace {

// A hand-edited count must not make the picker list millions of empty rows.
constexpr int kMostLanguages = 999;

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

void Game::LanguageLoad() {
  run.AppVersion = "5.04";
  run.IniFile = AppFile("Pyx4.ini");
  const int count = std::clamp(LeadingNumber(Setting("Language", "antal")), 0, kMostLanguages);
  language.List1.Items.clear();
  for (int i = 1; i <= count; ++i) {
    language.List1.Items.push_back(Setting("Language", "l" + std::to_string(i) + "n"));
  }
  if (Setting("Options", "ShowLangu") == "No") {
    language.Visible = false;
    ShowSplash();
  } else {
    language.Visible = true;
  }
}

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
