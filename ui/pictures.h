#pragma once

#include <QPixmap>
#include <string>

#include "core/forms.h"

namespace pyxaro::ui {

// Every picture of the game is painted here at run time; nothing is loaded
// from disk. Each function returns a pixmap of the logical size listed,
// painted at the given device pixel ratio so it stays sharp on a 200 %
// screen. The results are kept, so asking again is cheap; a picture with
// words is kept in the words it was last asked for.

// The numbered bitmaps: 10k + f is die position k (1..6) showing face f
// (1..6); 67 sound on, 68 sound off, 69 the move handle. Any other number
// gives a null pixmap.
QPixmap Bitmap(int number, qreal devicePixelRatio);

// The game window's background, 800 x 600: table, scorecard, buttons' faces,
// logo and the unlit dot display, with the words given.
QPixmap MainBackground(qreal devicePixelRatio, const PaintedTexts& words);

// Paints ahead what the game window shows when it opens: its background
// and the small bitmaps. The dice wait for the first throw.
void PaintGameWindowPictures(qreal devicePixelRatio, const PaintedTexts& words);

// The splash window's picture, 400 x 250, with room for the version label
// along its bottom edge.
QPixmap SplashPicture(qreal devicePixelRatio, const std::string& tagline);

}  // namespace pyxaro::ui
