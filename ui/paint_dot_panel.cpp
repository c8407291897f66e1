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
#include "ui/geometry.h"
#include "ui/paint_parts.h"
#include "ui/paint_tools.h"

namespace pyxaro::ui::paint {

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

}  // namespace pyxaro::ui::paint
