#pragma once

#include <QRectF>
#include <QString>

#include "highscores/statistics_form.h"

class QPainter;

// The statistics window's pictures, in the game window's colours: dark
// plates, gold for the totals and the dot display's blue for single games.
namespace pyxaro::ui::paint {

// The room a titled panel leaves inside its plate.
QRectF PanelRoom(const QRectF& plate);
// A plate with its title.
void TitledPanel(QPainter& p, const QRectF& plate, const QString& title);
// One figure: what it is on the left, its value on the right.
void FigureRow(QPainter& p, const QRectF& r, const QString& label, const QString& value);
// How many games ended in each bin of totals, with the average and the best.
void TotalsChart(QPainter& p, const QRectF& area, const StatisticsForm& form);
// Where the names of two marks go on the one line above a plot that runs
// from `from` to `to`, as left edges: the first mark's name (the one further
// left) ends just left of its mark, the second's begins just right of its
// own. Where that would run them into each other or off the plot, they are
// pushed apart and inside, in the same order.
struct MarkNameEdges {
  qreal first;
  qreal second;
};
MarkNameEdges PlaceMarkNames(qreal from, qreal to, qreal firstX, qreal firstWidth, qreal secondX,
                             qreal secondWidth);
// The recent games one dot each, with their running average as a line.
void RecentChart(QPainter& p, const QRectF& area, const StatisticsForm& form);
// The categories' pictograms, one row each, that the bars stand beside.
void CategoryLabels(QPainter& p, const QRectF& area);
// Per category: average points against its most, and how often it is filled.
void CategoryChart(QPainter& p, const QRectF& area, const StatisticsForm& form);

}  // namespace pyxaro::ui::paint
