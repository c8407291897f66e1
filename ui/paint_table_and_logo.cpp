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
#include <cstdint>
#include <vector>

#include "ui/paint_dice.h"
#include "ui/paint_parts.h"
#include "ui/paint_tools.h"
#include "ui/paint_window.h"

namespace pyxaro::ui::paint {

namespace {

// Deterministic speckle, so the felt is the same on every run.
class Speckle {
 public:
  explicit Speckle(std::uint32_t seed) : state_(seed) {}
  qreal Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / qreal(1u << 24);
  }

 private:
  std::uint32_t state_;
};

// The logo's wordmark, beside its die.
constexpr qreal kLogoWordLeft = 104;
constexpr qreal kLogoWordBaseline = 80;
constexpr int kLogoWordPixels = 64;

QPainterPath WordmarkPath(qreal left, qreal baseline, int pixels) {
  QPainterPath word;
  word.addText(left, baseline, ArtFont(pixels, true, 0, true), QStringLiteral("Pyxaro"));
  return word;
}

}  // namespace

void Night(QPainter& p, const QRectF& r, QPointF glowAt) {
  QRadialGradient sky(glowAt, std::max(r.width(), r.height()) * 0.8);
  sky.setColorAt(0, kNightTop);
  sky.setColorAt(0.55, QColor(14, 22, 46));
  sky.setColorAt(1, kNightBottom);
  p.fillRect(r, sky);
}

// "Pyxaro" in gold with a dark rim and a drop shadow, its baseline at
// `baseline`, starting at `left`.
void Wordmark(QPainter& p, qreal left, qreal baseline, int pixels) {
  const QPainterPath word = WordmarkPath(left, baseline, pixels);
  const qreal cap = QFontMetricsF(ArtFont(pixels, true, 0, true)).capHeight();

  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawPath(word.translated(3, 4));
  p.setPen(QPen(QColor(46, 20, 0), pixels / 12.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(word);
  QLinearGradient gold(QPointF(0, baseline - cap), QPointF(0, baseline));
  gold.setColorAt(0, QColor(255, 248, 196));
  gold.setColorAt(0.45, QColor(252, 206, 70));
  gold.setColorAt(1, QColor(196, 112, 16));
  p.setPen(Qt::NoPen);
  p.setBrush(gold);
  p.drawPath(word);
  // A glint across the upper half of the letters.
  p.setClipPath(word);
  p.setBrush(QColor(255, 255, 255, 55));
  p.drawRect(
      QRectF(left - 10, baseline - cap - 10, word.boundingRect().width() + 40, cap * 0.45 + 10));
  p.restore();
}

// ---------------------------------------------------------------- main window parts

void Logo(QPainter& p) {
  SolidDie(p, QRectF(8, 12, 86, 86), DieView{-14, 0.95, {4.5, 5.5}, false}, 5, RedDie());
  Wordmark(p, kLogoWordLeft, kLogoWordBaseline, kLogoWordPixels);
}

qreal LogoWordmarkRight() {
  return WordmarkPath(kLogoWordLeft, kLogoWordBaseline, kLogoWordPixels).boundingRect().right();
}

// A card table: a padded leather rail with a gold pinstripe round a green
// cloth, lit from above. Returns the cloth's rectangle.
QRectF CardTable(QPainter& p, const QRectF& rail, qreal railWidth, qreal radius) {
  p.setPen(Qt::NoPen);
  for (int i = 4; i >= 1; --i) {
    p.setBrush(QColor(0, 0, 0, 30));
    p.drawRoundedRect(rail.adjusted(-i, -i + 2, i, i + 2), radius + i, radius + i);
  }
  p.setBrush(Vertical(rail, QColor(96, 56, 30), QColor(44, 22, 10)));
  p.setPen(QPen(QColor(20, 8, 0), 1));
  p.drawRoundedRect(rail, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 220, 170, 60), 1));
  p.drawRoundedRect(rail.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5, radius - 1.5);

  const QRectF felt = rail.adjusted(railWidth, railWidth, -railWidth, -railWidth);
  const qreal feltRadius = radius - railWidth + 1;
  QRadialGradient cloth(felt.center() - QPointF(0, felt.height() / 9), felt.width() * 0.62);
  cloth.setColorAt(0, QColor(34, 132, 84));
  cloth.setColorAt(0.6, QColor(16, 88, 54));
  cloth.setColorAt(1, QColor(6, 50, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(cloth);
  p.drawRoundedRect(felt, feltRadius, feltRadius);

  // The weave, a faint speckle, and the rail's shadow on the cloth.
  p.save();
  QPainterPath feltPath;
  feltPath.addRoundedRect(felt, feltRadius, feltRadius);
  p.setClipPath(feltPath);
  Speckle speckle(20240917u);
  const int grains = int(felt.width() * felt.height() / 38);
  for (int i = 0; i < grains; ++i) {
    const QPointF at(felt.left() + speckle.Next() * felt.width(),
                     felt.top() + speckle.Next() * felt.height());
    const bool light = speckle.Next() < 0.5;
    p.fillRect(QRectF(at, QSizeF(1, 1)), light ? QColor(255, 255, 255, 9) : QColor(0, 0, 0, 16));
  }
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 5; ++i) {
    p.setPen(QPen(QColor(0, 0, 0, 42 - i * 8), 1.5));
    p.drawRoundedRect(felt.adjusted(i, i + 0.5, -i, -i), feltRadius - i, feltRadius - i);
  }
  p.restore();

  p.setPen(QPen(kGoldDim, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(felt.adjusted(-2.5, -2.5, 2.5, 2.5), feltRadius + 2, feltRadius + 2);
  return felt;
}

void FeltTable(QPainter& p) {
  const QRectF felt = CardTable(p, QRectF(20, 112, 528, 196), 8, 24);

  // The table's printing, as on a casino cloth.
  const QColor ink(255, 236, 170, 46);
  p.setFont(ArtFont(38, true, 16));
  p.setPen(QColor(255, 255, 255, 22));
  p.drawText(QRectF(felt.left(), 126, felt.width(), 50), Qt::AlignCenter, QStringLiteral("PYXARO"));
  p.setPen(QPen(ink, 1));
  p.drawLine(QPointF(96, 186.5), QPointF(472, 186.5));
  p.drawLine(QPointF(96, 204.5), QPointF(472, 204.5));
}

void SplashArt(QPainter& p, const QString& tagline) {
  Night(p, QRectF(0, 0, 400, 250), QPointF(200, 90));
  const QRectF probe = WordmarkPath(0, 0, 60).boundingRect();
  Wordmark(p, (400 - probe.width()) / 2 - probe.left(), 72, 60);
  Caption(p, QRectF(8, 82, 384, 16), Qt::AlignCenter, tagline, ArtFont(10, true, 3), kIce);

  CardTable(p, QRectF(16, 116, 368, 96), 7, 26);
  SolidDie(p, QRectF(84, 130, 70, 70), TableDieView(1), 3, WhiteDie());
  SolidDie(p, QRectF(160, 118, 84, 84), DieView{10, 0.95, {-4.5, 6.5}, true}, 6, RedDie());
  SolidDie(p, QRectF(250, 130, 70, 70), TableDieView(5), 5, WhiteDie());

  // The version label's strip.
  const QRectF strip(0, 218, 400, 32);
  p.fillRect(strip, Vertical(strip, QColor(10, 14, 30), QColor(4, 6, 14)));
  p.setPen(QPen(kGoldDim, 1));
  p.drawLine(QPointF(0, 218.5), QPointF(400, 218.5));
}

}  // namespace pyxaro::ui::paint
