#include "core/game.h"
#include "core/pictures.h"

namespace pyxaro {

namespace {

// The work area the window was laid out for: 800 pixels wide, and tall
// enough for the game's rows above a task bar.
constexpr int kFitWidth = 12000;
constexpr int kFitHeight = 8580;
// The move button keeps the window this far from the left, right and bottom.
constexpr int kMargin = 270;

}  // namespace

void Game::PlaceWindow() {
  const WorkArea area = host_.ScreenWorkArea();
  host_.RestoreGameWindow();
  if (area.Width == kFitWidth && area.Height == kFitHeight) {
    host_.MoveGameWindow({0, 0});
    main.MoveButton.Visible = false;
    return;
  }
  main.MoveButton.Visible = true;
  main.MoveButton.Picture = kMoveHandlePicture;
  if (area.Width > kFitWidth && area.Height > kFitHeight) {
    host_.MoveGameWindow(
        {(area.Width - MainForm::Width) / 2, (area.Height - MainForm::Height) / 3});
  } else if (area.Width < kFitWidth && area.Height < kFitHeight) {
    host_.Tell(Text(text::kScreenTooSmall), "", false);
  }
  // One side fits and the other does not: the window stays where it is.
}

void Game::MoveButtonClicked() {
  const WorkArea area = host_.ScreenWorkArea();
  const int centred = (area.Width - MainForm::Width) / 2;
  const int third = (area.Height - MainForm::Height) / 3;
  // The step is never reset while the game runs, so after a display change
  // the cycle goes on where it was.
  switch (run.WindowPlace) {
    case MoveStep::Centred:
      host_.MoveGameWindow({kMargin, host_.GameWindowPlace().Top});
      run.WindowPlace = MoveStep::Left;
      break;
    case MoveStep::Left:
      host_.MoveGameWindow({centred, area.Height - MainForm::Height - kMargin});
      run.WindowPlace = MoveStep::Bottom;
      break;
    case MoveStep::Bottom:
      host_.MoveGameWindow({area.Width - MainForm::Width - kMargin, third});
      run.WindowPlace = MoveStep::Right;
      break;
    case MoveStep::Right:
      host_.MoveGameWindow({centred, third});
      run.WindowPlace = MoveStep::Centred;
      break;
  }
}

void Game::MinimiseClicked() { host_.MinimiseGameWindow(); }

}  // namespace pyxaro
