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
// The recent games one dot each, with their running average as a line.
void RecentChart(QPainter& p, const QRectF& area, const StatisticsForm& form);
// The categories' pictograms, one row each, that the bars stand beside.
void CategoryLabels(QPainter& p, const QRectF& area);
// Per category: average points against its most, and how often it is filled.
void CategoryChart(QPainter& p, const QRectF& area, const StatisticsForm& form);

}  // namespace pyxaro::ui::paint
