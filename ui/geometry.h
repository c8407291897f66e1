#pragma once

#include <QRect>
#include <QRectF>

#include "core/forms.h"

namespace pyxaro::ui {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, as the window's design counts them.
inline int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
inline QRect PxRect(const Control& c) {
  return QRect(Px(c.Left), Px(c.Top), Px(c.Width), Px(c.Height));
}

// The message display's dots on the game window, in pixels: 13 cells of 5
// columns by 7 rows, each dot a 5 x 5 circle.
inline constexpr int kDotCells = 13;
inline constexpr int kDotColumns = 5;
inline constexpr int kDotRows = 7;
static_assert(kDotCells * kDotColumns * kDotRows == kDotCount);

// Dot j: cell j / 35, column (j % 35) / 7, row j % 7.
inline QRectF DotRect(int j) {
  const int cell = j / (kDotColumns * kDotRows);
  const int column = j % (kDotColumns * kDotRows) / kDotRows;
  const int row = j % kDotRows;
  return QRectF(40 + 34 * cell + 6 * column, 540 + 6 * row, 5, 5);
}

// The area that holds every dot.
inline QRectF DotArea() { return DotRect(0).united(DotRect(kDotCount - 1)); }

}  // namespace pyxaro::ui
