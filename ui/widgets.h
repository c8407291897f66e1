#pragma once

#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <bitset>
#include <functional>

#include "core/forms.h"
#include "ui/geometry.h"

namespace pyxaro::ui {

using Action = std::function<void()>;

// A control that runs its action on a left click, with a hand pointer to
// show that it can be clicked; without an action it only shows.
template <typename Base>
class Clickable : public Base {
 public:
  Clickable(QWidget* parent, Action onClick) : Base(parent), onClick_(std::move(onClick)) {
    if (onClick_) this->setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && onClick_) onClick_();
  }

 private:
  Action onClick_;
};

// A clickable area without text, laid over the painted background. When
// dimmable, a disabled area is shaded so the player sees it cannot be used.
class Area : public Clickable<QWidget> {
 public:
  Area(QWidget* parent, Action onClick, bool dimmable);
  void Apply(const Control& c);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool dimmable_;
};

// A picture of the game's own bitmaps (dice, sound switch, move handle).
class Picture : public Clickable<QWidget> {
 public:
  using Clickable::Clickable;
  void Apply(const Control& c);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int number_ = 0;
};

// A text label; clickable when given an action.
class Label : public Clickable<QLabel> {
 public:
  Label(QWidget* parent, Action onClick, int pixelSize, Qt::Alignment alignment);
  void Apply(const Control& c);
};

// The hint marker: a filled square.
class Marker : public QWidget {
 public:
  explicit Marker(QWidget* parent);
  void Apply(const Control& c);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

// The message display: all 455 dots on one surface, repainted only when the
// pattern changes. Unlit dots are not drawn; the background shows through.
class DotDisplay : public QWidget {
 public:
  explicit DotDisplay(QWidget* parent);
  void Apply(const std::bitset<kDotCount>& lit);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::bitset<kDotCount> lit_;
};

}  // namespace pyxaro::ui
