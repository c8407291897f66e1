#include "ui/paint_dice.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace pyxaro::ui::paint {

namespace {

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  auto lerp = [t](int x, int y) { return qRound(x + (y - x) * t); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

// The light comes from the top left, so shadows fall to the bottom right.
constexpr QPointF kShadowShift(2.5, 2.5);
constexpr qreal kShadowBlur = 3.5;
constexpr qreal kMargin = 1.0;  // keeps neighbouring dice on the table apart
constexpr qreal kCornerShare = 0.17;
constexpr qreal kPipShare = 0.092;
constexpr qreal kPipSpread = 0.26;

// Moves the painter so that a square of side `side` centred on the origin is
// drawn as the top of the die lying at `centre`.
void PlaceTop(QPainter& p, QPointF centre, const DieView& view) {
  p.translate(centre);
  p.rotate(view.Turn);
  p.scale(view.Narrowing, 1.0);
}

void DrawPips(QPainter& p, qreal side, int face, bool quarterTurn, const DieColours& c) {
  const qreal radius = kPipShare * side;
  // A pip is a dimple: its floor is a little lighter than its rim.
  const QColor floor = Mix(c.Pip, c.TopDark, 0.2);
  p.setPen(Qt::NoPen);
  for (QPointF at : PipCentres(face, quarterTurn)) {
    at *= kPipSpread * side;
    QRadialGradient g(at + QPointF(radius, radius) * 0.25, radius);
    g.setColorAt(0, floor);
    g.setColorAt(1, c.Pip);
    p.setBrush(g);
    p.drawEllipse(at, radius, radius);
  }
}

}  // namespace

DieColours WhiteDie() {
  return {QColor(255, 255, 255), QColor(212, 216, 226), QColor(224, 227, 234),
          QColor(140, 146, 162), QColor(22, 22, 28)};
}

DieColours RedDie() {
  return {QColor(240, 78, 64), QColor(150, 18, 20), QColor(172, 30, 28), QColor(84, 8, 10),
          QColor(252, 250, 244)};
}

DieColours GoldDie() {
  return {QColor(255, 242, 170), QColor(222, 166, 40), QColor(214, 160, 50), QColor(130, 84, 10),
          QColor(92, 36, 8)};
}

QSize TableDieSize(int set) {
  static constexpr int kWidths[] = {81, 76, 74, 75, 76, 80};
  if (set < 1 || set > 6) return {};
  return {kWidths[set - 1], 78};
}

DieView TableDieView(int set) {
  // Six dice thrown together never lie alike: each position has its own turn
  // and shows a different side, so the row on the table looks tossed.
  static const DieView kViews[] = {
      {-13, 0.93, {5.0, 6.5}, false}, {8, 0.96, {-4.5, 7.0}, true}, {-3, 0.97, {2.0, 7.5}, false},
      {4, 0.92, {-6.5, 5.5}, false},  {-8, 0.95, {6.5, 5.0}, true}, {16, 0.94, {-4.0, 7.0}, true},
  };
  if (set < 1 || set > 6) return {};
  return kViews[set - 1];
}

std::vector<QPointF> PipCentres(int face, bool quarterTurn) {
  constexpr qreal d = 1;
  std::vector<QPointF> pips;
  switch (face) {
    case 1:
      pips = {{0, 0}};
      break;
    case 2:
      pips = {{-d, -d}, {d, d}};
      break;
    case 3:
      pips = {{-d, -d}, {0, 0}, {d, d}};
      break;
    case 4:
      pips = {{-d, -d}, {d, -d}, {-d, d}, {d, d}};
      break;
    case 5:
      pips = {{-d, -d}, {d, -d}, {0, 0}, {-d, d}, {d, d}};
      break;
    case 6:
      pips = {{-d, -d}, {-d, 0}, {-d, d}, {d, -d}, {d, 0}, {d, d}};
      break;
    default:
      break;
  }
  if (quarterTurn) {
    for (QPointF& pip : pips) pip = QPointF(-pip.y(), pip.x());
  }
  return pips;
}

void SolidDie(QPainter& p, const QRectF& box, const DieView& view, int face, const DieColours& c) {
  // Half the extent of the turned top for a side of 1.
  const qreal turn = qDegreesToRadians(view.Turn);
  const qreal cosine = std::abs(std::cos(turn));
  const qreal sine = std::abs(std::sin(turn));
  const qreal halfW = 0.5 * (view.Narrowing * cosine + sine);
  const qreal halfH = 0.5 * (view.Narrowing * sine + cosine);

  // Beyond the top, the side and the shadow reach out by fixed amounts.
  const QPointF shadow = view.Depth + kShadowShift;
  const qreal loX = std::min({0.0, view.Depth.x(), shadow.x() - kShadowBlur});
  const qreal hiX = std::max({0.0, view.Depth.x(), shadow.x() + kShadowBlur});
  const qreal loY = std::min({0.0, view.Depth.y(), shadow.y() - kShadowBlur});
  const qreal hiY = std::max({0.0, view.Depth.y(), shadow.y() + kShadowBlur});

  const qreal roomW = box.width() - 2 * kMargin;
  const qreal roomH = box.height() - 2 * kMargin;
  const qreal side = std::max(
      0.0, std::min((roomW - (hiX - loX)) / (2 * halfW), (roomH - (hiY - loY)) / (2 * halfH)));
  if (side <= 0) return;
  const qreal usedW = 2 * halfW * side + hiX - loX;
  const qreal usedH = 2 * halfH * side + hiY - loY;
  const QPointF centre(box.left() + kMargin + (roomW - usedW) / 2 - loX + halfW * side,
                       box.top() + kMargin + (roomH - usedH) / 2 - loY + halfH * side);

  const qreal corner = kCornerShare * side;
  const QRectF top(-side / 2, -side / 2, side, side);

  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);

  // Shadow: a few widening layers of faint black make a soft edge.
  constexpr int kShadowLayers = 5;
  for (int i = 0; i < kShadowLayers; ++i) {
    const qreal grow = kShadowBlur * (1.0 - qreal(i) / (kShadowLayers - 1));
    p.save();
    PlaceTop(p, centre + shadow, view);
    p.setBrush(QColor(0, 0, 0, 26));
    p.drawRoundedRect(top.adjusted(-grow, -grow, grow, grow), corner + grow, corner + grow);
    p.restore();
  }

  // The visible side: the top swept from its far position back to where it
  // lies, darkening with the distance from the lit top. A side turned to the
  // light (to the left) is a little brighter.
  const qreal depthLength = std::hypot(view.Depth.x(), view.Depth.y());
  const qreal towardLight = depthLength > 0 ? std::max(0.0, -view.Depth.x() / depthLength) : 0;
  const QColor near = Mix(c.SideNear, c.TopLight, 0.3 * towardLight);
  const QColor far = Mix(c.SideFar, c.SideNear, 0.35 * towardLight);
  const int steps = std::max(2, int(std::ceil(depthLength * 3)));
  for (int i = steps; i >= 1; --i) {
    const qreal t = qreal(i) / steps;
    p.save();
    PlaceTop(p, centre + view.Depth * t, view);
    if (i == steps) {
      p.setPen(QPen(Mix(c.SideFar, QColor(0, 0, 0), 0.4), 1.0));
    }
    p.setBrush(Mix(near, far, t));
    p.drawRoundedRect(top, corner, corner);
    p.restore();
  }

  // The top, lit from the top left, with a bright bevel on its lit edges.
  p.save();
  PlaceTop(p, centre, view);
  QRadialGradient light(QPointF(-0.25, -0.3) * side, 1.15 * side);
  light.setColorAt(0, c.TopLight);
  light.setColorAt(1, c.TopDark);
  p.setBrush(light);
  p.drawRoundedRect(top, corner, corner);
  QLinearGradient bevel(top.topLeft(), top.bottomRight());
  bevel.setColorAt(0, QColor(255, 255, 255, 220));
  bevel.setColorAt(0.5, QColor(255, 255, 255, 40));
  bevel.setColorAt(1, QColor(0, 0, 0, 50));
  p.setPen(QPen(QBrush(bevel), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(top.adjusted(0.8, 0.8, -0.8, -0.8), corner - 0.8, corner - 0.8);
  DrawPips(p, side, face, view.QuarterTurn, c);
  p.restore();

  p.restore();
}

void SmallDie(QPainter& p, const QRectF& square, int face, const DieColours& c) {
  const qreal side = std::min(square.width(), square.height());
  const QPointF centre = square.center();
  const QRectF body(centre.x() - side / 2, centre.y() - side / 2, side, side);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(body.topLeft(), body.bottomRight());
  g.setColorAt(0, c.TopLight);
  g.setColorAt(1, c.TopDark);
  p.setBrush(g);
  p.setPen(QPen(Mix(c.SideFar, QColor(0, 0, 0), 0.25), 0.8));
  const qreal corner = 0.22 * side;
  p.drawRoundedRect(body.adjusted(0.4, 0.4, -0.4, -0.4), corner, corner);
  p.setPen(Qt::NoPen);
  p.setBrush(c.Pip);
  // On the scorecard's 13-pixel dice this puts every pip on a pixel's centre,
  // where it stays apart from its neighbours and from the edge.
  const qreal spread = 3.0 / 13.0 * side;
  const qreal radius = 0.108 * side;
  for (QPointF at : PipCentres(face)) {
    p.drawEllipse(centre + at * spread, radius, radius);
  }
  p.restore();
}

}  // namespace pyxaro::ui::paint
