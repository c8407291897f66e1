#include "ui/paint_tools.h"

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

namespace pyxaro::ui::paint {

QFont ArtFont(int pixels, bool bold, qreal spacing, bool italic) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  if (spacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  return font;
}

qreal FittedScale(const QFont& font, QPaintDevice* device, const QRectF& box, int align,
                  const QString& text) {
  const QRectF natural =
      QFontMetricsF(font, device).boundingRect(box, align | Qt::TextDontClip, text);
  return std::min({1.0, box.width() / natural.width(), box.height() / natural.height()});
}

void FittedText(QPainter& p, const QRectF& box, int align, const QString& text,
                qreal smallestPixels) {
  // Shrunk, not cut: a letter beyond the box would be lost at its edge.
  align |= Qt::TextDontClip;
  const qreal scale = std::max(FittedScale(p.font(), p.device(), box, align, text),
                               std::min(1.0, smallestPixels / p.font().pixelSize()));
  if (scale >= 1) {
    p.drawText(box, align, text);
    return;
  }
  // Laid out in a box as much larger as the letters are smaller, so the
  // alignment holds in the box itself.
  p.save();
  p.translate(box.topLeft());
  p.scale(scale, scale);
  p.drawText(QRectF(0, 0, box.width() / scale, box.height() / scale), align, text);
  p.restore();
}

// Text with a one-pixel dark drop below it, so it reads on any gradient.
void Caption(QPainter& p, const QRectF& box, int align, const QString& text, const QFont& font,
             const QColor& colour, qreal smallestPixels) {
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 150));
  FittedText(p, box.translated(0, 1), align, text, smallestPixels);
  p.setPen(colour);
  FittedText(p, box, align, text, smallestPixels);
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
void Recess(QPainter& p, const QRectF& r, qreal radius) {
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

}  // namespace pyxaro::ui::paint
