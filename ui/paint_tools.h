#pragma once

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

// The palette and the drawing tools that every part of the game's artwork
// shares, so the window, its buttons and the splash look of one piece.
namespace pyxaro::ui::paint {

inline const QColor kNightTop(30, 46, 86);
inline const QColor kNightBottom(6, 10, 22);
inline const QColor kGold(240, 198, 92);
inline const QColor kGoldDim(200, 160, 70, 150);
inline const QColor kIce(170, 192, 240);
inline const QColor kPanelEdge(96, 112, 160, 120);

QFont ArtFont(int pixels, bool bold = true, qreal spacing = 0, bool italic = false);
// How much the text's letters shrink to fit the box (1 when they fit).
qreal FittedScale(const QFont& font, QPaintDevice* device, const QRectF& box, int align,
                  const QString& text);
// Text in the painter's font and pen, its letters shrunk evenly until it
// fits its box when it is too long for it: a longer language neither runs
// over its neighbours nor loses letters. Letters never shrink below
// smallestPixels, where the text then runs over.
void FittedText(QPainter& p, const QRectF& box, int align, const QString& text,
                qreal smallestPixels = 0);
// Text with a one-pixel dark drop below it, so it reads on any gradient,
// shrunk to fit its box.
void Caption(QPainter& p, const QRectF& box, int align, const QString& text, const QFont& font,
             const QColor& colour, qreal smallestPixels = 0);
QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom);
// A raised plate: a soft drop shadow, a gradient face and a fine edge.
void Plate(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
           const QColor& edge);
// A sunken cell for a figure the front end writes in.
void Recess(QPainter& p, const QRectF& r, qreal radius = 3);
// A glossy push button face.
void ButtonFace(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
                const QColor& edge);
// A thin line that stays visible on light and dark faces alike.
void Stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width);

}  // namespace pyxaro::ui::paint
