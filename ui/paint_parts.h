#pragma once

#include <QPointF>
#include <QRectF>

class QPainter;

// The pieces the game window's artwork is put together from, each painted
// on the window's 800 x 600 surface at its own place.
namespace pyxaro::ui::paint {

// The table and the logo (paint_table_and_logo.cpp).
void Night(QPainter& p, const QRectF& r, QPointF glowAt);
// The "Pyxaro" wordmark from its baseline.
void Wordmark(QPainter& p, qreal left, qreal baseline, int pixels);
void Logo(QPainter& p);
// Where the logo's wordmark ends, and the tagline under it with it.
qreal LogoWordmarkRight();
// A card table round a green cloth; returns the cloth's rectangle.
QRectF CardTable(QPainter& p, const QRectF& rail, qreal railWidth, qreal radius);
void FeltTable(QPainter& p);

// The buttons and badges (paint_buttons.cpp).
void WindowSquares(QPainter& p);
void OnlineBadge(QPainter& p);
void Buttons(QPainter& p);

// The scorecard, its counters and the top-ten list (paint_scorecard.cpp).
void Counters(QPainter& p);
void Scorecard(QPainter& p);
void TopTen(QPainter& p);
// The dice pictogram of a category, `die` pixels a die, from `left` and
// centred on `middle`; returns its right edge.
qreal CategoryPictogram(QPainter& p, int category, qreal left, qreal middle, qreal die);

// The dot panel and the clock (paint_dot_panel.cpp).
void DotDisplay(QPainter& p);
void ClockPlate(QPainter& p);

}  // namespace pyxaro::ui::paint
