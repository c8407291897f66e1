#include "ui/advice_marks.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/geometry.h"

namespace pyxaro::ui {

namespace {

// Amber, unlike anything else on the table or the card: the red of the
// hint marker, the gold of the focus and the picked-up look (no die) stay
// told apart.
const QColor kAdviceColour(255, 150, 20);
const QColor kAdviceEdge(90, 40, 0);

}  // namespace

AdviceMark::AdviceMark(QWidget* parent, Shape shape) : QWidget(parent), shape_(shape) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AdviceMark::Apply(const Control& c) {
  if (geometry() != PxRect(c)) setGeometry(PxRect(c));
  setVisible(c.Visible);
}

void AdviceMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
  if (shape_ == Shape::Ring) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAdviceEdge, 6));
    painter.drawRoundedRect(area, 10, 10);
    painter.setPen(QPen(kAdviceColour, 3.5, Qt::DashLine));
    painter.drawRoundedRect(area, 10, 10);
    return;
  }
  QPainterPath arrow;
  arrow.moveTo(area.left(), area.top());
  arrow.lineTo(area.right(), area.center().y());
  arrow.lineTo(area.left(), area.bottom());
  arrow.closeSubpath();
  painter.setPen(QPen(kAdviceEdge, 1.2));
  painter.setBrush(kAdviceColour);
  painter.drawPath(arrow);
}

}  // namespace pyxaro::ui
