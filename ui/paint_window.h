#pragma once

class QPainter;

namespace pyxaro::ui::paint {

// The game window's artwork on an 800 x 600 surface: everything the player
// sees behind the controls, which themselves stay transparent.
void MainWindowArt(QPainter& p);

// The splash window's artwork on a 400 x 250 surface.
void SplashArt(QPainter& p);

// The small icons: the sound switch (24 x 20) and the move handle (17 x 13).
void SoundIcon(QPainter& p, bool on);
void MoveHandle(QPainter& p);

}  // namespace pyxaro::ui::paint
