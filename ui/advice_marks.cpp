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
  if (shape_ == Shape::Ring) {
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAdviceEdge, 6));
    painter.drawRoundedRect(area, 10, 10);
    painter.setPen(QPen(kAdviceColour, 3.5, Qt::DashLine));
    painter.drawRoundedRect(area, 10, 10);
    return;
  }
  // The arrow fills its narrow place, a dark edge setting it off the blues
  // of the scorecard around it.
  const QRectF place = QRectF(rect()).adjusted(1, 1, -1, -1);
  QPainterPath arrow;
  arrow.moveTo(place.left(), place.top());
  arrow.lineTo(place.right(), place.center().y());
  arrow.lineTo(place.left(), place.bottom());
  arrow.closeSubpath();
  painter.setPen(QPen(kAdviceEdge, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(kAdviceColour);
  painter.drawPath(arrow);
}

}  // namespace pyxaro::ui
