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
#include <utility>
#include <vector>

#include "ui/paint_dice.h"
#include "ui/paint_parts.h"
#include "ui/paint_tools.h"
#include "ui/paint_window.h"

namespace pyxaro::ui::paint {

namespace {

void Globe(QPainter& p, QPointF centre, qreal radius, const QColor& line) {
  QRadialGradient sea(centre - QPointF(radius, radius) * 0.35, radius * 1.3);
  sea.setColorAt(0, QColor(110, 190, 255));
  sea.setColorAt(1, QColor(18, 64, 150));
  p.setBrush(sea);
  p.setPen(QPen(line, 1));
  p.drawEllipse(centre, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(line, radius > 8 ? 1.0 : 0.7));
  p.drawEllipse(centre, radius * 0.45, radius);
  p.drawLine(QPointF(centre.x(), centre.y() - radius), QPointF(centre.x(), centre.y() + radius));
  p.drawLine(QPointF(centre.x() - radius, centre.y()), QPointF(centre.x() + radius, centre.y()));
  const qreal h = radius * 0.5;
  const qreal w = radius * 0.866;
  p.drawLine(QPointF(centre.x() - w, centre.y() - h), QPointF(centre.x() + w, centre.y() - h));
  p.drawLine(QPointF(centre.x() - w, centre.y() + h), QPointF(centre.x() + w, centre.y() + h));
}

// ---------------------------------------------------------------- the wordmark

QPainterPath UndoArrow(QPointF at) {
  QPainterPath arrow;
  arrow.moveTo(at + QPointF(2, 4));
  arrow.lineTo(at + QPointF(0, 8));
  arrow.lineTo(at + QPointF(4.5, 9));
  arrow.moveTo(at + QPointF(0.5, 8));
  arrow.cubicTo(at + QPointF(4, 1), at + QPointF(13, 1), at + QPointF(13, 8.5));
  return arrow;
}

// Three rising bars on a base line, from the lower left corner `at`.
void BarsGlyph(QPainter& p, QPointF at, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  for (const auto& [x, height] : {std::pair{0.0, 4.0}, {3.0, 7.0}, {6.0, 5.5}}) {
    p.drawRect(QRectF(at.x() + x, at.y() + 8 - height, 2.2, height));
  }
  p.setPen(QPen(QColor(230, 240, 255, 210), 0.8));
  p.drawLine(QPointF(at.x() - 0.5, at.y() + 8.4), QPointF(at.x() + 8.7, at.y() + 8.4));
}

QPainterPath PowerSign(QPointF centre, qreal radius) {
  QPainterPath sign;
  sign.arcMoveTo(QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 60);
  sign.arcTo(QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 60, 300);
  sign.moveTo(centre.x(), centre.y() - radius - 1);
  sign.lineTo(centre.x(), centre.y() - 0.5);
  return sign;
}

}  // namespace

void WindowSquares(QPainter& p) {
  const QRectF rules(736.5, 4.5, 16, 16);
  Plate(p, rules, 3, QColor(60, 76, 120), QColor(28, 38, 68), QColor(150, 170, 220, 200));
  Caption(p, rules, Qt::AlignCenter, QStringLiteral("?"), ArtFont(10, true, 0),
          QColor(235, 240, 255));

  const QRectF minimise(758.5, 4.5, 16, 16);
  Plate(p, minimise, 3, QColor(60, 76, 120), QColor(28, 38, 68), QColor(150, 170, 220, 200));
  p.setPen(QPen(QColor(235, 240, 255), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(762.5, 15.5), QPointF(770.5, 15.5));

  const QRectF close(780.5, 4.5, 14, 14);
  Plate(p, close, 3, QColor(200, 60, 52), QColor(124, 20, 20), QColor(250, 150, 140, 220));
  p.setPen(QPen(QColor(255, 244, 240), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(784, 8), QPointF(791, 15));
  p.drawLine(QPointF(791, 8), QPointF(784, 15));
}

void OnlineBadge(QPainter& p) {
  const QRectF r(672.5, 26.5, 104, 60);
  Plate(p, r, 10, QColor(36, 70, 128), QColor(14, 28, 62), QColor(130, 180, 250, 200));
  Globe(p, QPointF(698, 56.5), 17, QColor(214, 236, 255, 190));
  Caption(p, QRectF(718, 34, 56, 14), Qt::AlignCenter, QStringLiteral("PYXARO"),
          ArtFont(8, true, 1.2), kIce);
}

void Buttons(QPainter& p) {
  const QColor white(255, 255, 255);

  // The throw: the one button the player presses all game long.
  const QRectF roll(434.5, 316.5, 120, 38);
  ButtonFace(p, roll, 10, QColor(230, 70, 52), QColor(140, 22, 18), kGold);
  for (auto [x, y, turn, face] : {std::tuple{449.0, 329.0, -16.0, 3}, {462.0, 340.0, 14.0, 5}}) {
    p.save();
    p.translate(x, y);
    p.rotate(turn);
    SmallDie(p, QRectF(-7.5, -7.5, 15, 15), face, WhiteDie());
    p.restore();
  }

  const QColor steelTop(80, 114, 182);
  const QColor steelBottom(32, 52, 104);
  const QColor steelEdge(156, 186, 245, 210);
  const QRectF undo(524.5, 358.5, 78, 25);
  ButtonFace(p, undo, 7, steelTop, steelBottom, steelEdge);
  Stroke(p, UndoArrow(QPointF(531, 362)), white, 1.6);

  const QRectF fresh(590.5, 390.5, 50, 18);
  ButtonFace(p, fresh, 6, QColor(56, 162, 96), QColor(18, 90, 50), QColor(150, 230, 170, 210));

  // The two as wide as the pair above them, so that a longer language's
  // word keeps its letters' size.
  const QRectF statistics(535.5, 416.5, 105, 18);
  ButtonFace(p, statistics, 6, steelTop, steelBottom, steelEdge);
  BarsGlyph(p, QPointF(543, 421.5), QColor(255, 226, 130));
  // Asking for advice: amber, the colour of the marks the advice sets.
  const QRectF hint(535.5, 390.5, 50, 18);
  ButtonFace(p, hint, 6, QColor(236, 150, 40), QColor(140, 70, 8), QColor(255, 210, 150, 210));

  const QRectF language(535.5, 442.5, 105, 18);
  ButtonFace(p, language, 6, steelTop, steelBottom, steelEdge);
  Globe(p, QPointF(546, 451.5), 5.5, QColor(230, 240, 255, 210));

  const QRectF quit(508.5, 464.5, 74, 22);
  ButtonFace(p, quit, 7, QColor(134, 42, 46), QColor(70, 14, 20), QColor(236, 140, 140, 210));
  Stroke(p, PowerSign(QPointF(521, 476), 5), QColor(255, 220, 215), 1.6);
}

void SoundIcon(QPainter& p, bool on) {
  QPainterPath speaker;
  speaker.moveTo(2.5, 7);
  speaker.lineTo(7.5, 7);
  speaker.lineTo(13, 2.5);
  speaker.lineTo(13, 17.5);
  speaker.lineTo(7.5, 13);
  speaker.lineTo(2.5, 13);
  speaker.closeSubpath();
  const QRectF body = speaker.boundingRect();
  p.setPen(QPen(QColor(10, 12, 24, 220), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(on ? Vertical(body, QColor(255, 246, 214), QColor(226, 190, 110))
                : Vertical(body, QColor(196, 202, 220), QColor(130, 138, 160)));
  p.drawPath(speaker);

  if (on) {
    QPainterPath waves;
    for (qreal radius : {4.5, 7.5, 10.5}) {
      const QRectF arc(13 - radius, 10 - radius, 2 * radius, 2 * radius);
      waves.arcMoveTo(arc, -40);
      waves.arcTo(arc, -40, 80);
    }
    Stroke(p, waves, QColor(255, 232, 150), 1.5);
  } else {
    QPainterPath cross;
    cross.moveTo(16, 6.5);
    cross.lineTo(22.5, 13.5);
    cross.moveTo(22.5, 6.5);
    cross.lineTo(16, 13.5);
    Stroke(p, cross, QColor(244, 84, 70), 2.0);
  }
}

void MoveHandle(QPainter& p) {
  const QPointF c(8.5, 6.5);
  QPainterPath shafts;
  shafts.moveTo(3, c.y());
  shafts.lineTo(14, c.y());
  shafts.moveTo(c.x(), 2.5);
  shafts.lineTo(c.x(), 10.5);
  Stroke(p, shafts, QColor(255, 240, 200), 1.3);

  QPainterPath heads;
  auto head = [&heads](QPointF tip, QPointF back, QPointF across) {
    heads.moveTo(tip);
    heads.lineTo(back + across);
    heads.lineTo(back - across);
    heads.closeSubpath();
  };
  head({0.8, c.y()}, {4.2, c.y()}, {0, 2.6});
  head({16.2, c.y()}, {12.8, c.y()}, {0, 2.6});
  head({c.x(), 0.5}, {c.x(), 3.6}, {2.6, 0});
  head({c.x(), 12.5}, {c.x(), 9.4}, {2.6, 0});
  p.setPen(QPen(QColor(10, 12, 24, 200), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(255, 240, 200));
  p.drawPath(heads);
}

}  // namespace pyxaro::ui::paint
