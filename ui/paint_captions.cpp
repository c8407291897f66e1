#include "ui/paint_captions.h"

#include <QPainter>

#include "ui/paint_parts.h"
#include "ui/paint_tools.h"
#include "ui/qt_string.h"

namespace pyxaro::ui::paint {

namespace {

constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr int kCentre = Qt::AlignCenter;

// No caption's letters are smaller than the smallest English word's, the
// online badge's subtitle.
constexpr qreal kSmallestLetters = 6;

// A caption of several words stands one word a line.
QString Stacked(const std::string& words) {
  return Q(words).split(' ', Qt::SkipEmptyParts).join('\n');
}

}  // namespace

std::vector<PaintedCaption> WindowCaptions(const PaintedTexts& words) {
  const QColor white(255, 255, 255);
  const qreal wordmarkRight = LogoWordmarkRight();
  // The rooms end short of a neighbour: a button's glyph or edge, the figure
  // beside a counter's name, the player's name left of the list's. A centred
  // room keeps its centre, so a word that fits stands where it always stood.
  return {
      {Q(words.Tagline), QRectF(104, 88, wordmarkRight - 104, 14), kRight, ArtFont(10, true, 2.6),
       kIce},
      {Q(words.Online), QRectF(718, 49, 56, 16), kCentre, ArtFont(11, true, 0.4), kGold},
      {Q(words.Highscores), QRectF(718, 66, 56, 12), kCentre, ArtFont(6, true, 0.6),
       QColor(150, 175, 225)},
      {Q(words.TableSlogan), QRectF(96, 187, 376, 17), kCentre, ArtFont(8, true, 1.6),
       QColor(255, 236, 170, 80), false},
      {Stacked(words.PerCategory), QRectF(603, 169, 42, 21), kLeft, ArtFont(7, true, 0.8), kIce},
      {Q(words.RollsLeft), QRectF(555, 200, 43, 21), kRight, ArtFont(8, true, 0.8), kIce},
      {Q(words.Bonus), QRectF(663, 518.5, 43, 20), kLeft, ArtFont(9, true, 1.4), kGold},
      {Q(words.Total), QRectF(663, 540, 91, 20), kLeft, ArtFont(10, true, 1.6),
       QColor(255, 226, 130)},
      {QStringLiteral("\u2605 ") + Q(words.TopTen), QRectF(300, 311, 110, 15), kRight,
       ArtFont(9, true, 1.6), QColor(220, 184, 96, 190)},
      {Q(words.Roll), QRectF(477, 316, 72, 39), kCentre, ArtFont(18, true, 2.5), white},
      {Q(words.Undo), QRectF(548, 358, 50, 26), kCentre, ArtFont(11, true, 1), white},
      {Q(words.Hint), QRectF(538.5, 390.5, 44, 18), kCentre, ArtFont(10, true, 1.2), white},
      {Q(words.NewGame), QRectF(593.5, 390.5, 44, 18), kCentre, ArtFont(10, true, 1.2), white},
      {Q(words.Statistics), QRectF(555, 416, 80, 19), kCentre, ArtFont(10, true, 1.2), white},
      {Q(words.Language), QRectF(555, 442, 80, 19), kCentre, ArtFont(10, true, 1.2), white},
      {Q(words.Quit), QRectF(532, 464, 46, 23), kCentre, ArtFont(11, true, 1), white},
  };
}

qreal LetterSize(const PaintedCaption& caption, QPaintDevice* device) {
  return caption.font.pixelSize() *
         FittedScale(caption.font, device, caption.room, caption.align, caption.text);
}

void PaintCaption(QPainter& p, const PaintedCaption& caption) {
  if (caption.dropShadow) {
    Caption(p, caption.room, caption.align, caption.text, caption.font, caption.colour,
            kSmallestLetters);
    return;
  }
  p.setFont(caption.font);
  p.setPen(caption.colour);
  FittedText(p, caption.room, caption.align, caption.text, kSmallestLetters);
}

}  // namespace pyxaro::ui::paint
