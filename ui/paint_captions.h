#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

#include "core/forms.h"

class QPainter;
class QPaintDevice;

namespace pyxaro::ui::paint {

// A word painted into the game window's picture: the room it has there
// without touching its neighbours, and its letters at their full size.
struct PaintedCaption {
  QString text;
  QRectF room;
  int align = 0;
  QFont font;
  QColor colour;
  bool dropShadow = true;
};

// Every word of the game window's picture, in the words given.
std::vector<PaintedCaption> WindowCaptions(const PaintedTexts& words);

// The size in pixels the caption's letters take to fit its room; painted,
// they are never smaller than the smallest size.
qreal LetterSize(const PaintedCaption& caption, QPaintDevice* device);

// Paints a caption in its room, its letters shrunk when it is too long, but
// never below the smallest size.
void PaintCaption(QPainter& p, const PaintedCaption& caption);

}  // namespace pyxaro::ui::paint
