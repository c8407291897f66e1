#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <vector>

class QPainter;

namespace pyxaro::ui::paint {

// The colours of one kind of die: its lit top, the shaded corner of the top,
// the side next to the top and the side's far edge, and the pips.
struct DieColours {
  QColor TopLight;
  QColor TopDark;
  QColor SideNear;
  QColor SideFar;
  QColor Pip;
};

DieColours WhiteDie();
DieColours RedDie();
DieColours GoldDie();

// How a die lies on the table: turned in the table's plane, tilted away from
// the viewer on one side (so its top looks narrower and a side shows), and
// with 2, 3 and 6 read along the other diagonal when it lies a quarter turn
// round.
struct DieView {
  qreal Turn = 0;       // degrees, clockwise
  qreal Narrowing = 1;  // width of the top as a share of its height
  QPointF Depth;        // where the bottom edge of the visible side lies
  bool QuarterTurn = false;
};

// The bitmap size of the dice at table position `set` (1..6), and the view
// the table gives that position.
QSize TableDieSize(int set);
DieView TableDieView(int set);

// Pip centres of `face` (1..6) on a grid of -1, 0 and 1 centred on the die.
std::vector<QPointF> PipCentres(int face, bool quarterTurn = false);

// A solid die with its shadow, as large as fits in `box`, centred there.
void SolidDie(QPainter& p, const QRectF& box, const DieView& view, int face,
              const DieColours& colours);

// A flat die as the scorecard's pictograms use it.
void SmallDie(QPainter& p, const QRectF& square, int face, const DieColours& colours);

}  // namespace pyxaro::ui::paint
