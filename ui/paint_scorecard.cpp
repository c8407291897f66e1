#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/forms.h"
#include "scoring/categories.h"
#include "ui/geometry.h"
#include "ui/paint_dice.h"
#include "ui/paint_parts.h"
#include "ui/paint_tools.h"

namespace pyxaro::ui::paint {

namespace {

constexpr qreal kRowLeft = 657;
constexpr qreal kRowWidth = 132;
constexpr qreal kCellLeft = 756.5;
constexpr qreal kCellWidth = 32;

void ScoreRow(QPainter& p, int category, const QRectF& band) {
  const bool upper = category <= kUpperCategories;
  const bool odd = category % 2 == 1;
  p.setPen(Qt::NoPen);
  if (category == kYatzy) {
    QLinearGradient glow(band.topLeft(), band.topRight());
    glow.setColorAt(0, QColor(150, 26, 22));
    glow.setColorAt(0.7, QColor(110, 18, 18));
    glow.setColorAt(1, QColor(70, 12, 16));
    p.setBrush(glow);
    p.setPen(QPen(kGold, 1));
  } else if (upper) {
    p.setBrush(odd ? QColor(36, 54, 98) : QColor(30, 46, 86));
  } else {
    p.setBrush(odd ? QColor(40, 42, 76) : QColor(34, 36, 66));
  }
  p.drawRoundedRect(band, 3, 3);

  CategoryPictogram(p, category, band.left() + 5, band.center().y(), 13);
  Recess(p, QRectF(kCellLeft, band.top() + 1.5, kCellWidth, band.height() - 3));
}

}  // namespace

qreal CategoryPictogram(QPainter& p, int category, qreal left, qreal middle, qreal die) {
  const DieColours dice = category == kYatzy ? GoldDie() : WhiteDie();
  const qreal gap = die / 13;
  const qreal groupGap = die * 5 / 13;
  qreal x = left;
  const qreal y = std::floor(middle - die / 2);
  // The row's dice in groups of equal faces, set apart from each other.
  for (const char face : CategoryRow(category).picture) {
    if (face == ' ') {
      x += groupGap - gap;
      continue;
    }
    SmallDie(p, QRectF(x, y, die, die), face - '0', dice);
    x += die + gap;
  }
  x += groupGap - gap;
  if (category == kChance) {
    Caption(p, QRectF(x, middle - die, die + 1, 2 * die), Qt::AlignCenter, QStringLiteral("?"),
            ArtFont(static_cast<int>(die)), kGold);
    x += die + 1;
  }
  return x;
}

void Counters(QPainter& p) {
  const QRectF r(553.5, 162.5, 94, 66);
  Plate(p, r, 8, QColor(34, 48, 86), QColor(18, 26, 50), kPanelEdge);
  Recess(p, QRectF(564.5, 169.5, 36, 21));
  Recess(p, QRectF(600.5, 199.5, 37, 21));
}

void Scorecard(QPainter& p) {
  Plate(p, QRectF(650.5, 93.5, 148, 471), 8, QColor(24, 32, 60), QColor(14, 20, 40), kPanelEdge);
  // The rows follow the category areas of the window's design.
  for (int k = 1; k <= kCategoryCount; ++k) {
    const int top = Px(CategoryRow(k).rowTop);
    const int next = k < kCategoryCount ? Px(CategoryRow(k + 1).rowTop) : top + 21;
    const qreal height = std::min(next - top, 21) - 2;
    ScoreRow(p, k, QRectF(kRowLeft, top + 1, kRowWidth, height));
  }
  // The upper section ends with Sixes; its bonus row sits below Yatzy.
  p.setPen(QPen(kGoldDim, 1));
  p.drawLine(QPointF(kRowLeft + 4, 223.5), QPointF(kRowLeft + kRowWidth - 4, 223.5));

  const QRectF bonus(kRowLeft, 518.5, kRowWidth, 20);
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(bonus, QColor(58, 50, 40), QColor(40, 34, 28)));
  p.drawRoundedRect(bonus, 3, 3);
  Caption(p, QRectF(bonus.left() + 50, bonus.top(), 46, bonus.height()), Qt::AlignCenter,
          QStringLiteral("84 \u25B8 100"), ArtFont(7, true), QColor(220, 200, 160, 150));
  Recess(p, QRectF(kCellLeft, 520, kCellWidth, 17.5));

  const QRectF total(kRowLeft, 540, kRowWidth, 20);
  p.setPen(QPen(kGold, 1));
  p.setBrush(Vertical(total, QColor(70, 56, 28), QColor(44, 34, 16)));
  p.drawRoundedRect(total, 3, 3);
  Recess(p, QRectF(kCellLeft, 541.5, kCellWidth, 17.5));
}

void TopTen(QPainter& p) {
  // Its frame stands whole inside the window, left of the tenth row's x 3.
  const QRectF r(0.5, 308.5, 415, 204);
  Plate(p, r, 10, QColor(22, 28, 46), QColor(17, 22, 37), kPanelEdge);
  for (int row = 1; row <= 10; row += 2) {
    p.fillRect(QRectF(0, 330 + 16 * (row - 1), 412, 16), QColor(255, 255, 255, 7));
  }
  p.setPen(QPen(QColor(255, 255, 255, 22), 1));
  p.drawLine(QPointF(4, 328.5), QPointF(410, 328.5));
  p.drawLine(QPointF(4, 490.5), QPointF(410, 490.5));
}

}  // namespace pyxaro::ui::paint
