#include "ui/paint_window.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>

#include "ui/paint_captions.h"
#include "ui/paint_parts.h"

namespace pyxaro::ui::paint {

void MainWindowArt(QPainter& p, const PaintedTexts& words) {
  Night(p, QRectF(0, 0, 800, 600), QPointF(300, 200));
  Logo(p);
  WindowSquares(p);
  OnlineBadge(p);
  FeltTable(p);
  Counters(p);
  Scorecard(p);
  TopTen(p);
  Buttons(p);
  DotDisplay(p);
  ClockPlate(p);
  for (const PaintedCaption& caption : WindowCaptions(words)) PaintCaption(p, caption);
}

}  // namespace pyxaro::ui::paint
