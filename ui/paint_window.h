#pragma once

#include <QString>

#include "core/forms.h"

class QPainter;

namespace pyxaro::ui::paint {

// The game window's artwork on an 800 x 600 surface: everything the player
// sees behind the controls, which themselves stay transparent. Its words
// are the player's language's.
void MainWindowArt(QPainter& p, const PaintedTexts& words);

// The splash window's artwork on a 400 x 250 surface, the tagline under the name.
void SplashArt(QPainter& p, const QString& tagline);

// The small icons: the sound switch (24 x 20) and the move handle (17 x 13).
void SoundIcon(QPainter& p, bool on);
void MoveHandle(QPainter& p);

}  // namespace pyxaro::ui::paint
