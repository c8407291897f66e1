#include "ui/widgets.h"

#include <QAccessible>
#include <QImage>
#include <QPainter>

#include "ui/pictures.h"
#include "ui/plain_text.h"

namespace pyxaro::ui {

namespace {

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.Red, rgb.Green, rgb.Blue); }

void ApplyCommon(QWidget* widget, const Control& c) {
  if (widget->geometry() != PxRect(c)) widget->setGeometry(PxRect(c));
  widget->setEnabled(c.Enabled);
  widget->setVisible(c.Visible);
}

}  // namespace

void PaintFocusMark(QWidget* widget) {
  QPainter painter(widget);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(ToQColor(colour::Gold), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(widget->rect()).adjusted(1, 1, -1, -1), 4, 4);
}

Area::Area(QWidget* parent, Action onClick, bool dimmable)
    : Clickable(parent, std::move(onClick)), dimmable_(dimmable) {}

void Area::Apply(const Control& c) {
  const bool wasEnabled = isEnabled();
  ApplyCommon(this, c);
  ApplyTexts(c);
  if (dimmable_ && wasEnabled != c.Enabled) update();
}

void Area::paintEvent(QPaintEvent* event) {
  if (dimmable_ && !isEnabled()) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(10, 20, 15, 170));
    painter.drawRoundedRect(rect(), 6, 6);
  }
  Clickable::paintEvent(event);
}

void Picture::Apply(const Control& c) {
  ApplyCommon(this, c);
  ApplyTexts(c);
  if (number_ != c.Picture) {
    number_ = c.Picture;
    update();
  }
}

void Picture::paintEvent(QPaintEvent* event) {
  const QPixmap pixmap = Bitmap(number_, devicePixelRatioF());
  if (!pixmap.isNull()) {
    QPainter painter(this);
    const QSizeF size = pixmap.deviceIndependentSize();
    // Centred in its area, as a picture box shows a smaller picture.
    painter.drawPixmap(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                       pixmap);
  }
  Clickable::paintEvent(event);
}

namespace {

QFont LabelFont(int pixelSize) {
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

Label::Label(QWidget* parent, Action onClick, int pixelSize, Qt::Alignment alignment)
    : Clickable(parent, std::move(onClick)) {
  setFont(LabelFont(pixelSize));
  setAlignment(alignment | Qt::AlignVCenter);
  setTextFormat(Qt::PlainText);
}

void Label::Apply(const Control& c) {
  // Captions keep their design width; the height grows to the font so no
  // text is cut at the bottom.
  QRect area = PxRect(c);
  area.setHeight(std::max(area.height(), fontMetrics().height()));
  if (geometry() != area) setGeometry(area);
  const QString full = QString::fromStdString(c.Caption);
  ApplyTexts(c, full);
  if (font().bold() != c.Bold) {
    QFont f = font();
    f.setBold(c.Bold);
    setFont(f);
  }
  // A caption too wide for its label ends in "…" rather than a cut glyph.
  const QString caption = fontMetrics().elidedText(full, Qt::ElideRight, area.width());
  if (text() != caption) setText(caption);
  // The colour goes into the palette, in every state: a style sheet of its
  // own would cost each label a style and a polish of its own.
  const QColor colour = ToQColor(c.ForeColor);
  if (palette().color(QPalette::WindowText) != colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
  }
  setEnabled(c.Enabled);
  setVisible(c.Visible);
}

void Label::PrepareFont(int pixelSize, qreal devicePixelRatio) {
  QImage scratch(QSize(64, 32) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
  scratch.setDevicePixelRatio(devicePixelRatio);
  QPainter painter(&scratch);
  QFont font = LabelFont(pixelSize);
  for (const bool bold : {false, true}) {
    font.setBold(bold);
    painter.setFont(font);
    painter.drawText(QPointF(0, 20), QStringLiteral("0123456789-:. abcdefghijklmnopqrstuvwxyz"
                                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  }
}

Marker::Marker(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Marker::Apply(const Control& c) {
  ApplyCommon(this, c);
  const QColor colour = ToQColor(c.ForeColor);
  if (colour_ != colour) {
    colour_ = colour;
    update();
  }
}

void Marker::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

DotDisplay::DotDisplay(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(DotArea().toRect());
}

void DotDisplay::Apply(const std::bitset<kDotCount>& lit, const std::string& message,
                       unsigned said) {
  if (said != said_) {
    said_ = said;
    const QString text = QString::fromStdString(message);
    if (accessibleName() != text) {
      setAccessibleName(text);  // which tells screen readers of the change
    } else {
      QAccessibleEvent again(this, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&again);
    }
  }
  if (lit == lit_) return;
  lit_ = lit;
  update();
}

void DotDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(colour::DotLit));
  const QPointF origin = DotArea().topLeft();
  for (int j = 0; j < kDotCount; ++j) {
    if (lit_[static_cast<std::size_t>(j)]) painter.drawEllipse(DotRect(j).translated(-origin));
  }
}

}  // namespace pyxaro::ui
