#include "ui/paint_statistics.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/forms.h"
#include "ui/paint_parts.h"
#include "ui/paint_tools.h"
#include "ui/qt_string.h"

namespace pyxaro::ui::paint {

namespace {

const QColor kDotBlue(colour::DotLit.Red, colour::DotLit.Green, colour::DotLit.Blue);
const QColor kBestRed(255, 128, 128);
const QColor kGrid(255, 255, 255, 22);

void NoGames(QPainter& p, const QRectF& plot, const StatisticsForm& form) {
  Caption(p, plot, Qt::AlignCenter, Q(form.NoGames), ArtFont(12, false, 0, true), kIce);
}

// A dashed line down the plot at x, from just below the names above it.
void MarkLine(QPainter& p, const QRectF& plot, qreal x, const QColor& colour) {
  p.setPen(QPen(colour, 1.5, Qt::DashLine));
  p.drawLine(QPointF(x, plot.top() - 2), QPointF(x, plot.bottom()));
}

QString Whole(double value) { return QString::number(std::lround(value)); }

}  // namespace

QRectF PanelRoom(const QRectF& plate) { return plate.adjusted(10, 28, -10, -8); }

void TitledPanel(QPainter& p, const QRectF& plate, const QString& title) {
  Plate(p, plate, 8, QColor(24, 32, 60), QColor(14, 20, 40), kPanelEdge);
  Caption(p, QRectF(plate.left() + 10, plate.top() + 4, plate.width() - 20, 20),
          Qt::AlignLeft | Qt::AlignVCenter, title.toUpper(), ArtFont(11, true, 1.4), kGold);
}

void FigureRow(QPainter& p, const QRectF& r, const QString& label, const QString& value) {
  Recess(p, r);
  Caption(p, r.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, label, ArtFont(12, false),
          kIce);
  Caption(p, r.adjusted(8, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, value, ArtFont(14),
          kDotBlue);
}

void TotalsChart(QPainter& p, const QRectF& area, const StatisticsForm& form) {
  const QRectF plot = area.adjusted(2, 18, -2, -16);
  Recess(p, plot.adjusted(-2, -2, 2, 2));
  const qreal span = static_cast<qreal>(kTotalBins) * kTotalBinWidth;
  const auto xOf = [&](qreal total) { return plot.left() + plot.width() * total / span; };
  for (int total = 0; total <= kHighestTotal; total += 100) {
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(xOf(total), plot.top()), QPointF(xOf(total), plot.bottom()));
    Caption(p, QRectF(xOf(total) - 20, plot.bottom() + 2, 40, 14), Qt::AlignCenter,
            QString::number(total), ArtFont(9, false), kIce);
  }
  if (!form.AnyGames) {
    NoGames(p, plot, form);
    return;
  }
  const long long most = std::max(1LL, *std::max_element(form.Bins.begin(), form.Bins.end()));
  p.setPen(Qt::NoPen);
  for (int b = 0; b < kTotalBins; ++b) {
    const auto count = form.Bins[static_cast<std::size_t>(b)];
    if (count == 0) continue;
    const qreal height =
        std::max(1.5, (plot.height() - 4) * static_cast<qreal>(count) / static_cast<qreal>(most));
    const QRectF bar(QPointF(xOf(b * kTotalBinWidth) + 1, plot.bottom() - height),
                     QPointF(xOf((b + 1) * kTotalBinWidth) - 1, plot.bottom()));
    p.setBrush(Vertical(bar, QColor(255, 226, 130), QColor(176, 128, 40)));
    p.drawRect(bar);
  }
  const qreal average = xOf(form.Average);
  const qreal best = xOf(form.Best);
  MarkLine(p, plot, average, kDotBlue);
  MarkLine(p, plot, best, kBestRed);
  const QFont font = ArtFont(10);
  const auto widthOf = [&font](const QString& name) {
    return QFontMetricsF(font).horizontalAdvance(name) + 1;
  };
  const auto name = [&](qreal left, const QString& text, const QColor& colour) {
    Caption(p, QRectF(left, plot.top() - 16, widthOf(text), 14), Qt::AlignLeft | Qt::AlignVCenter,
            text, font, colour);
  };
  const QString averageName = Q(form.AverageMark) + " " + Whole(form.Average);
  const QString bestName = Q(form.BestMark) + " " + QString::number(form.Best);
  const MarkNameEdges edges = PlaceMarkNames(plot.left(), plot.right(), average,
                                             widthOf(averageName), best, widthOf(bestName));
  name(edges.first, averageName, kDotBlue);
  name(edges.second, bestName, kBestRed);
}

MarkNameEdges PlaceMarkNames(qreal from, qreal to, qreal firstX, qreal firstWidth, qreal secondX,
                             qreal secondWidth) {
  constexpr qreal kAside = 3;  // from a name to its line
  constexpr qreal kApart = 8;  // from one name to the other
  MarkNameEdges edges{firstX - kAside - firstWidth, secondX + kAside};
  edges.second = std::min(edges.second, to - secondWidth);
  edges.first = std::min(edges.first, edges.second - kApart - firstWidth);
  if (edges.first < from) {
    edges.first = from;
    edges.second = std::max(edges.second, from + firstWidth + kApart);
  }
  return edges;
}

void RecentChart(QPainter& p, const QRectF& area, const StatisticsForm& form) {
  const QRectF plot = area.adjusted(30, 18, -2, -4);
  Recess(p, plot.adjusted(-2, -2, 2, 2));
  if (form.Recent.empty()) {
    NoGames(p, plot, form);
    return;
  }
  const auto [low, high] = std::minmax_element(form.Recent.begin(), form.Recent.end());
  const int bottom = *low / 50 * 50;
  const int top = std::max(bottom + 100, (*high + 49) / 50 * 50);
  const int step = top - bottom > 300 ? 100 : 50;
  const auto yOf = [&](double total) {
    return plot.bottom() - 3 - (plot.height() - 6) * (total - bottom) / (top - bottom);
  };
  // Each game takes at least a twentieth of the width, so a few games are
  // not bunched at the left edge.
  const qreal places = std::max<qreal>(static_cast<qreal>(form.Recent.size()), kRecentGames / 5);
  const auto xOf = [&](std::size_t game) {
    return plot.left() + plot.width() * (static_cast<qreal>(game) + 0.5) / places;
  };
  for (int total = bottom; total <= top; total += step) {
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(plot.left(), yOf(total)), QPointF(plot.right(), yOf(total)));
    Caption(p, QRectF(area.left(), yOf(total) - 7, 26, 14), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(total), ArtFont(9, false), kIce);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kDotBlue);
  for (std::size_t i = 0; i < form.Recent.size(); ++i) {
    p.drawEllipse(QPointF(xOf(i), yOf(form.Recent[i])), 2, 2);
  }
  QPainterPath trend;
  for (std::size_t i = 0; i < form.RecentTrend.size(); ++i) {
    const QPointF at(xOf(i), yOf(form.RecentTrend[i]));
    if (i == 0) {
      trend.moveTo(at);
    } else {
      trend.lineTo(at);
    }
  }
  Stroke(p, trend, kGold, 2);
  Caption(p, QRectF(plot.left(), area.top(), plot.width(), 16), Qt::AlignRight | Qt::AlignVCenter,
          QStringLiteral("\u2014 ") + Q(form.TrendMark), ArtFont(10), kGold);
}

namespace {

constexpr qreal kPictogramRoom = 62;

qreal RowHeight(const QRectF& area) { return area.height() / kCategoryCount; }

}  // namespace

void CategoryLabels(QPainter& p, const QRectF& area) {
  const qreal row = RowHeight(area);
  for (int k = 1; k <= kCategoryCount; ++k) {
    CategoryPictogram(p, k, area.left(), area.top() + row * (k - 0.5), 8);
  }
  p.setPen(QPen(kGoldDim, 1));
  const qreal upperEnd = area.top() + row * kUpperCategories;
  p.drawLine(QPointF(area.left(), upperEnd), QPointF(area.right(), upperEnd));
}

void CategoryChart(QPainter& p, const QRectF& area, const StatisticsForm& form) {
  const qreal row = RowHeight(area);
  const qreal barLeft = area.left() + kPictogramRoom;
  const qreal barWidth = area.right() - 34 - barLeft;
  for (int k = 1; k <= kCategoryCount; ++k) {
    const CategoryBar& bar = form.Categories[k];
    const qreal middle = area.top() + row * (k - 0.5);
    const QRectF track(barLeft, middle - 6, barWidth, 8);
    Recess(p, track, 2);
    const qreal share = bar.Max > 0 ? std::clamp(bar.AveragePoints / bar.Max, 0.0, 1.0) : 0;
    p.setPen(Qt::NoPen);
    if (share > 0) {
      const QRectF points(track.left(), track.top(), track.width() * share, track.height());
      p.setBrush(Vertical(points, QColor(255, 226, 130), QColor(176, 128, 40)));
      p.drawRoundedRect(points, 2, 2);
    }
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawRect(QRectF(barLeft, middle + 3.5, barWidth, 2.5));
    p.setBrush(kDotBlue);
    p.drawRect(QRectF(barLeft, middle + 3.5, barWidth * std::clamp(bar.FillRate, 0.0, 1.0), 2.5));
    Caption(p, QRectF(area.right() - 32, middle - 8, 32, 16), Qt::AlignRight | Qt::AlignVCenter,
            Q(bar.Value), ArtFont(10), kGold);
  }
}

}  // namespace pyxaro::ui::paint
