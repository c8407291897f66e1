#include "ui/paint_window.h"

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
#include <tuple>
#include <vector>

#include "core/forms.h"
#include "ui/geometry.h"
#include "ui/paint_dice.h"

namespace pyxaro::ui::paint {

namespace {

// ---------------------------------------------------------------- palette

const QColor kNightTop(30, 46, 86);
const QColor kNightBottom(6, 10, 22);
const QColor kGold(240, 198, 92);
const QColor kGoldDim(200, 160, 70, 150);
const QColor kIce(170, 192, 240);
const QColor kPanelEdge(96, 112, 160, 120);

// ---------------------------------------------------------------- helpers

QFont ArtFont(int pixels, bool bold = true, qreal spacing = 0, bool italic = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  if (spacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  return font;
}

// Text with a one-pixel dark drop below it, so it reads on any gradient.
void Caption(QPainter& p, const QRectF& box, int align, const QString& text, const QFont& font,
             const QColor& colour) {
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 150));
  p.drawText(box.translated(0, 1), align, text);
  p.setPen(colour);
  p.drawText(box, align, text);
}

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

// A raised plate: a soft drop shadow, a gradient face and a fine edge with a
// lit upper rim.
void Plate(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
           const QColor& edge) {
  p.setPen(Qt::NoPen);
  for (int i = 3; i >= 1; --i) {
    p.setBrush(QColor(0, 0, 0, 34));
    p.drawRoundedRect(r.translated(0, 1.5).adjusted(-i, -i + 1, i, i), radius + i, radius + i);
  }
  p.setBrush(Vertical(r, top, bottom));
  p.setPen(QPen(edge, 1));
  p.drawRoundedRect(r, radius, radius);
  p.setPen(QPen(QColor(255, 255, 255, 40), 1));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

// A sunken cell for a figure the front end writes in: dark, shaded along its
// upper edge, caught by the light along its lower edge.
void Recess(QPainter& p, const QRectF& r, qreal radius = 3) {
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(r, QColor(3, 5, 12), QColor(12, 16, 30)));
  p.drawRoundedRect(r, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 160), 1));
  p.drawLine(QPointF(r.left() + radius, r.top() + 0.5), QPointF(r.right() - radius, r.top() + 0.5));
  p.setPen(QPen(QColor(255, 255, 255, 38), 1));
  p.drawLine(QPointF(r.left() + radius, r.bottom() + 0.5),
             QPointF(r.right() - radius, r.bottom() + 0.5));
}

// A glossy push button face.
void ButtonFace(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
                const QColor& edge) {
  Plate(p, r, radius, top, bottom, edge);
  QRectF gloss = r.adjusted(1.5, 1.5, -1.5, -r.height() / 2);
  QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
  shine.setColorAt(0, QColor(255, 255, 255, 80));
  shine.setColorAt(1, QColor(255, 255, 255, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawRoundedRect(gloss, radius - 1.5, radius - 1.5);
}

// A small outlined stroke: dark underlay first, so thin light lines stay
// visible on light and dark faces alike.
void Stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 120), width + 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
}

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

// ---------------------------------------------------------------- the wordmark

// "Pyxaro" in gold with a dark rim and a drop shadow, its baseline at
// `baseline`, starting at `left`. Returns the right end of the word.
qreal Wordmark(QPainter& p, qreal left, qreal baseline, int pixels) {
  const QFont font = ArtFont(pixels, true, 0, true);
  QPainterPath word;
  word.addText(left, baseline, font, QStringLiteral("Pyxaro"));
  const qreal cap = QFontMetricsF(font).capHeight();

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
  return word.boundingRect().right();
}

// ---------------------------------------------------------------- main window parts

void Night(QPainter& p, const QRectF& r, QPointF glowAt) {
  QRadialGradient sky(glowAt, std::max(r.width(), r.height()) * 0.8);
  sky.setColorAt(0, kNightTop);
  sky.setColorAt(0.55, QColor(14, 22, 46));
  sky.setColorAt(1, kNightBottom);
  p.fillRect(r, sky);
}

void Logo(QPainter& p) {
  SolidDie(p, QRectF(8, 12, 86, 86), DieView{-14, 0.95, {4.5, 5.5}, false}, 5, RedDie());
  const qreal right = Wordmark(p, 104, 80, 64);
  const QFont tag = ArtFont(10, true, 2.6);
  const QRectF line(right - 190, 88, 190, 14);
  Caption(p, line, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("THE SIX-DICE GAME"), tag,
          kIce);
}

void WindowSquares(QPainter& p) {
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
  Caption(p, QRectF(718, 49, 56, 16), Qt::AlignCenter, QStringLiteral("ONLINE"),
          ArtFont(11, true, 0.4), kGold);
  Caption(p, QRectF(718, 66, 56, 12), Qt::AlignCenter, QStringLiteral("HIGHSCORES"),
          ArtFont(6, true, 0.6), QColor(150, 175, 225));
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
  p.setFont(ArtFont(8, true, 1.6));
  p.setPen(QColor(255, 236, 170, 80));
  p.drawText(QRectF(96, 187, 376, 17), Qt::AlignCenter,
             QStringLiteral("SIXTY ROLLS  \u2022  TWENTY CATEGORIES  \u2022  BONUS AT 84"));
}

void Counters(QPainter& p) {
  const QRectF r(553.5, 162.5, 94, 66);
  Plate(p, r, 8, QColor(34, 48, 86), QColor(18, 26, 50), kPanelEdge);
  Recess(p, QRectF(564.5, 169.5, 36, 21));
  Caption(p, QRectF(603, 169, 44, 21), Qt::AlignLeft | Qt::AlignVCenter,
          QStringLiteral("PER\nCAT."), ArtFont(7, true, 0.8), kIce);
  Caption(p, QRectF(555, 200, 43, 21), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("ROLLS"),
          ArtFont(8, true, 0.8), kIce);
  Recess(p, QRectF(600.5, 199.5, 37, 21));
}

// The dice pictograms of the twenty categories, in scorecard order: groups
// of equal dice are set apart from each other.
const std::array<std::vector<std::vector<int>>, 20>& Pictograms() {
  static const std::array<std::vector<std::vector<int>>, 20> kRows = {{
      {{1}},
      {{2}},
      {{3}},
      {{4}},
      {{5}},
      {{6}},
      {{4, 4}},
      {{3, 3}, {5, 5}},
      {{2, 2}, {4, 4}, {6, 6}},
      {{5, 5, 5}},
      {{4, 4, 4, 4}},
      {{6, 6, 6, 6, 6}},
      {{1, 2, 3, 4, 5}},
      {{2, 3, 4, 5, 6}},
      {{1, 2, 3, 4, 5, 6}},
      {{4, 4, 4}, {2, 2}},
      {{2, 2, 2}, {5, 5, 5}},
      {{6, 6, 6, 6}, {1, 1}},
      {{2, 5, 3}},
      {{6, 6, 6, 6, 6, 6}},
  }};
  return kRows;
}

constexpr qreal kRowLeft = 657;
constexpr qreal kRowWidth = 132;
constexpr qreal kCellLeft = 756.5;
constexpr qreal kCellWidth = 32;
constexpr int kChance = 19;
constexpr int kYatzy = 20;

void ScoreRow(QPainter& p, int category, const QRectF& band) {
  const bool upper = category <= 6;
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

  const DieColours dice = category == kYatzy ? GoldDie() : WhiteDie();
  constexpr qreal kDie = 13;
  constexpr qreal kGap = 1;
  constexpr qreal kGroupGap = 5;
  qreal x = band.left() + 5;
  const qreal y = std::floor(band.center().y() - kDie / 2);
  for (const auto& group : Pictograms()[category - 1]) {
    for (int face : group) {
      SmallDie(p, QRectF(x, y, kDie, kDie), face, dice);
      x += kDie + kGap;
    }
    x += kGroupGap - kGap;
  }
  if (category == kChance) {
    Caption(p, QRectF(x, band.top(), 14, band.height()), Qt::AlignCenter, QStringLiteral("?"),
            ArtFont(13), kGold);
  }
  Recess(p, QRectF(kCellLeft, band.top() + 1.5, kCellWidth, band.height() - 3));
}

void Scorecard(QPainter& p) {
  Plate(p, QRectF(650.5, 93.5, 148, 471), 8, QColor(24, 32, 60), QColor(14, 20, 40), kPanelEdge);
  // The rows follow the category areas of the window's design.
  const MainForm design;
  for (int k = 1; k <= 20; ++k) {
    const int top = Px(design.btn[k].Top);
    const int next = k < 20 ? Px(design.btn[k + 1].Top) : top + 21;
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
  Caption(p, bonus.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("BONUS"),
          ArtFont(9, true, 1.4), kGold);
  Caption(p, QRectF(bonus.left() + 50, bonus.top(), 46, bonus.height()), Qt::AlignCenter,
          QStringLiteral("84 \u25B8 100"), ArtFont(7, true), QColor(220, 200, 160, 150));
  Recess(p, QRectF(kCellLeft, 520, kCellWidth, 17.5));

  const QRectF total(kRowLeft, 540, kRowWidth, 20);
  p.setPen(QPen(kGold, 1));
  p.setBrush(Vertical(total, QColor(70, 56, 28), QColor(44, 34, 16)));
  p.drawRoundedRect(total, 3, 3);
  Caption(p, total.adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TOTAL"),
          ArtFont(10, true, 1.6), QColor(255, 226, 130));
  Recess(p, QRectF(kCellLeft, 541.5, kCellWidth, 17.5));
}

void TopTen(QPainter& p) {
  // Comes in from the window's left edge; the tenth row starts at x 3.
  const QRectF r(-10.5, 308.5, 426, 204);
  Plate(p, r, 10, QColor(22, 28, 46), QColor(17, 22, 37), kPanelEdge);
  for (int row = 1; row <= 10; row += 2) {
    p.fillRect(QRectF(0, 330 + 16 * (row - 1), 412, 16), QColor(255, 255, 255, 7));
  }
  p.setPen(QPen(QColor(255, 255, 255, 22), 1));
  p.drawLine(QPointF(4, 328.5), QPointF(410, 328.5));
  p.drawLine(QPointF(4, 490.5), QPointF(410, 490.5));
  Caption(p, QRectF(300, 311, 110, 15), Qt::AlignRight | Qt::AlignVCenter,
          QStringLiteral("\u2605 TOP 10"), ArtFont(9, true, 1.6), QColor(220, 184, 96, 190));
}

QPainterPath UndoArrow(QPointF at) {
  QPainterPath arrow;
  arrow.moveTo(at + QPointF(2, 4));
  arrow.lineTo(at + QPointF(0, 8));
  arrow.lineTo(at + QPointF(4.5, 9));
  arrow.moveTo(at + QPointF(0.5, 8));
  arrow.cubicTo(at + QPointF(4, 1), at + QPointF(13, 1), at + QPointF(13, 8.5));
  return arrow;
}

QPainterPath PowerSign(QPointF centre, qreal radius) {
  QPainterPath sign;
  sign.arcMoveTo(QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 60);
  sign.arcTo(QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 60, 300);
  sign.moveTo(centre.x(), centre.y() - radius - 1);
  sign.lineTo(centre.x(), centre.y() - 0.5);
  return sign;
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
  Caption(p, QRectF(474, 316, 78, 39), Qt::AlignCenter, QStringLiteral("ROLL"),
          ArtFont(18, true, 2.5), white);

  const QColor steelTop(80, 114, 182);
  const QColor steelBottom(32, 52, 104);
  const QColor steelEdge(156, 186, 245, 210);
  const QRectF undo(524.5, 358.5, 78, 25);
  ButtonFace(p, undo, 7, steelTop, steelBottom, steelEdge);
  Stroke(p, UndoArrow(QPointF(531, 362)), white, 1.6);
  Caption(p, QRectF(546, 358, 54, 26), Qt::AlignCenter, QStringLiteral("UNDO"),
          ArtFont(11, true, 1), white);

  const QRectF fresh(590.5, 390.5, 50, 18);
  ButtonFace(p, fresh, 6, QColor(56, 162, 96), QColor(18, 90, 50), QColor(150, 230, 170, 210));
  Caption(p, fresh, Qt::AlignCenter, QStringLiteral("NEW"), ArtFont(10, true, 1.2), white);

  const QRectF language(588.5, 442.5, 44, 18);
  ButtonFace(p, language, 6, steelTop, steelBottom, steelEdge);
  Globe(p, QPointF(598, 451.5), 5.5, QColor(230, 240, 255, 210));
  Caption(p, QRectF(604, 442, 28, 19), Qt::AlignCenter, QStringLiteral("LANG"),
          ArtFont(8, true, 0.3), white);

  const QRectF quit(508.5, 464.5, 74, 22);
  ButtonFace(p, quit, 7, QColor(134, 42, 46), QColor(70, 14, 20), QColor(236, 140, 140, 210));
  Stroke(p, PowerSign(QPointF(521, 476), 5), QColor(255, 220, 215), 1.6);
  Caption(p, QRectF(530, 464, 50, 23), Qt::AlignCenter, QStringLiteral("QUIT"),
          ArtFont(11, true, 1), white);
}

void DotDisplay(QPainter& p) {
  const QRectF bezel(29.5, 530.5, 458, 61);
  Plate(p, bezel, 9, QColor(74, 84, 110), QColor(24, 28, 42), QColor(0, 0, 0, 160));
  const QRectF screen(34, 534, 449, 53);
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(screen, QColor(3, 4, 12), QColor(10, 12, 26)));
  p.drawRoundedRect(screen, 5, 5);
  p.setPen(QPen(QColor(0, 0, 0, 200), 1));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(39, 534.5), QPointF(478, 534.5));

  // The unlit dots; the front end lights them over these.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 34, 60));
  for (int j = 0; j < kDotCount; ++j) p.drawEllipse(DotRect(j));
  // A faint reflection on the glass.
  QLinearGradient glass(screen.topLeft(), QPointF(screen.left(), screen.center().y()));
  glass.setColorAt(0, QColor(255, 255, 255, 14));
  glass.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(glass);
  p.drawRoundedRect(screen.adjusted(1, 1, -1, -screen.height() / 2), 4, 4);
}

void ClockPlate(QPainter& p) {
  const QRectF r(730.5, 576.5, 66, 21);
  Plate(p, r, 5, QColor(40, 48, 76), QColor(20, 24, 42), kPanelEdge);
  Recess(p, r.adjusted(2.5, 2.5, -2.5, -2.5), 3);
}

}  // namespace

void MainWindowArt(QPainter& p) {
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
}

void SplashArt(QPainter& p) {
  Night(p, QRectF(0, 0, 400, 250), QPointF(200, 90));
  QPainterPath probe;
  probe.addText(0, 0, ArtFont(60, true, 0, true), QStringLiteral("Pyxaro"));
  Wordmark(p, (400 - probe.boundingRect().width()) / 2 - probe.boundingRect().left(), 72, 60);
  Caption(p, QRectF(0, 82, 400, 16), Qt::AlignCenter, QStringLiteral("THE SIX-DICE GAME"),
          ArtFont(10, true, 3), kIce);

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
