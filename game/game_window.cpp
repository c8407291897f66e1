#include "game/game_window.h"

#include <string>

#include "core/pictures.h"
#include "core/version.h"

namespace pyxaro {

namespace {

// The work area the window was laid out for: 800 pixels wide, and tall
// enough for the game's rows above a task bar.
constexpr int kFitWidth = 12000;
constexpr int kFitHeight = 8580;
// The move button keeps the window this far from the left, right and bottom.
constexpr int kMargin = 270;
// The background picture the player names, among the options.
constexpr char kPicture[] = "picture";

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

GameWindow::GameWindow(Host& host, const SettingsStore& store, const Languages& texts)
    : host_(host), store_(store), texts_(texts) {}

void GameWindow::Open() {
  // Every load starts from the window's design: returning from the picker
  // brings a fresh game window.
  view_ = WindowView{};
  view_.Loaded = true;
  step_ = MoveStep::Centred;
  view_.Logo.ToolTip = " Pyxaro  v. " + std::string(kAppVersion) + " ";
  ShowBackground();
}

void GameWindow::Show() { view_.Visible = true; }

void GameWindow::Close() {
  view_.Visible = false;
  view_.Loaded = false;
}

void GameWindow::PresentTexts() {
  view_.MoveButton.ToolTip = texts_.ToolTip(text::kMoveTip);
  view_.StatisticsArea.ToolTip = texts_.ToolTip(text::kStatistics);
}

void GameWindow::ShowBackground() {
  view_.BackgroundPicture.Top = 0;
  view_.BackgroundPicture.Left = 0;
  // A background the player named but that cannot be shown is dropped
  // silently: the game looks as designed and starts all the same.
  const std::string name = PictureName();
  if (!EndsWith(name, ".jpg") && !EndsWith(name, ".gif")) return;
  const std::string path = store_.AppFile(name);
  if (host_.IsPicture(path)) {
    view_.BackgroundPicture.Width = 12000;
    view_.BackgroundPicture.Height = 19000;
    view_.BackgroundFile = path;
    view_.BackgroundPicture.Visible = true;
  } else {
    view_.BackgroundPicture.Visible = false;
    view_.BackgroundPicture.Width = 500;
    view_.BackgroundPicture.Height = 500;
    view_.BackgroundFile.clear();
  }
}

std::string GameWindow::PictureName() const { return store_.Setting(kOptionsSection, kPicture); }

void GameWindow::Place() {
  const WorkArea area = host_.ScreenWorkArea();
  host_.RestoreGameWindow();
  if (area.Width == kFitWidth && area.Height == kFitHeight) {
    host_.MoveGameWindow({0, 0});
    view_.MoveButton.Visible = false;
    return;
  }
  view_.MoveButton.Visible = true;
  view_.MoveButton.Picture = kMoveHandlePicture;
  if (area.Width > kFitWidth && area.Height > kFitHeight) {
    host_.MoveGameWindow({(area.Width - kWindowWidth) / 2, (area.Height - kWindowHeight) / 3});
  } else if (area.Width < kFitWidth && area.Height < kFitHeight) {
    host_.Tell(texts_.Text(text::kScreenTooSmall), "", false);
  }
  // One side fits and the other does not: the window stays where it is.
}

void GameWindow::MoveOn() {
  const WorkArea area = host_.ScreenWorkArea();
  const int centred = (area.Width - kWindowWidth) / 2;
  const int third = (area.Height - kWindowHeight) / 3;
  // The step is never reset while the game runs, so after a display change
  // the cycle goes on where it was.
  switch (step_) {
    case MoveStep::Centred:
      host_.MoveGameWindow({kMargin, host_.GameWindowPlace().Top});
      step_ = MoveStep::Left;
      break;
    case MoveStep::Left:
      host_.MoveGameWindow({centred, area.Height - kWindowHeight - kMargin});
      step_ = MoveStep::Bottom;
      break;
    case MoveStep::Bottom:
      host_.MoveGameWindow({area.Width - kWindowWidth - kMargin, third});
      step_ = MoveStep::Right;
      break;
    case MoveStep::Right:
      host_.MoveGameWindow({centred, third});
      step_ = MoveStep::Centred;
      break;
  }
}

void GameWindow::Minimise() { host_.MinimiseGameWindow(); }

}  // namespace pyxaro
