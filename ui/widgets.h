#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <bitset>
#include <functional>

#include "core/forms.h"
#include "ui/geometry.h"
#include "ui/plain_text.h"

namespace pyxaro::ui {

using Action = std::function<void()>;

// What a screen reader says of a control: its name, and what more there is
// to know about it; and the key that presses it, which its tool tip names.
struct Spoken {
  QString name;
  QString description;
  QString key;
};
using Speech = std::function<Spoken()>;

// A control the keyboard and screen readers can press as a click would.
class Pressable {
 public:
  virtual ~Pressable() = default;
  // Runs the click's action, but only when a click could reach the control
  // now: it has an action, is enabled and is shown.
  virtual bool Press() = 0;
  virtual bool HasAction() const = 0;
};

// The keyboard mark on the control that has the focus.
void PaintFocusMark(QWidget* widget);

// A control that runs its action on a left click or on Enter when it has
// the focus, with a hand pointer to show that it can be clicked; without an
// action it only shows, and a press on it moves the window.
template <typename Base>
class Clickable : public Base, public Pressable {
 public:
  Clickable(QWidget* parent, Action onClick) : Base(parent), onClick_(std::move(onClick)) {
    if (onClick_) {
      this->setCursor(Qt::PointingHandCursor);
      this->setFocusPolicy(Qt::TabFocus);
    }
  }

  bool Press() override {
    if (!onClick_ || !this->isEnabled() || !this->isVisible()) return false;
    onClick_();
    return true;
  }
  bool HasAction() const override { return static_cast<bool>(onClick_); }

  // What a screen reader says of the control.
  void Describe(Speech speech) { speech_ = std::move(speech); }

 protected:
  // The tool tip the data gives, or the control's name when the tool tip
  // should name a key and the data gives none. Without a speech of its own
  // the control is named by the given text.
  void ApplyTexts(const Control& c, const QString& name = {}) {
    const Spoken spoken = speech_ ? speech_() : Spoken{name, {}, {}};
    if (this->accessibleName() != spoken.name) this->setAccessibleName(spoken.name);
    if (this->accessibleDescription() != spoken.description) {
      this->setAccessibleDescription(spoken.description);
    }
    QString tip = QString::fromStdString(c.ToolTip);
    if (!spoken.key.isEmpty() && onClick_) {
      const QString text = tip.trimmed().isEmpty() ? spoken.name : tip.trimmed();
      tip = QStringLiteral(" %1 (%2) ").arg(text, spoken.key);
    }
    const QString shown = PlainToolTip(tip.toStdString());
    if (this->toolTip() != shown) this->setToolTip(shown);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && onClick_) {
      onClick_();
    } else {
      event->ignore();
    }
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      Press();
    } else {
      Base::keyPressEvent(event);
    }
  }
  void focusInEvent(QFocusEvent* event) override {
    Base::focusInEvent(event);
    this->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    Base::focusOutEvent(event);
    this->update();
  }
  void paintEvent(QPaintEvent* event) override {
    Base::paintEvent(event);
    if (this->hasFocus()) PaintFocusMark(this);
  }

 private:
  Action onClick_;
  Speech speech_;
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
  // Loads the labels' font at a size, plain and bold, with its glyphs, so
  // that the first window showing such labels does not wait for it.
  static void PrepareFont(int pixelSize, qreal devicePixelRatio);
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
// Screen readers hear the whole message, told anew each time it is said.
class DotDisplay : public QWidget {
 public:
  explicit DotDisplay(QWidget* parent);
  void Apply(const std::bitset<kDotCount>& lit, const std::string& message, unsigned said);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::bitset<kDotCount> lit_;
  unsigned said_ = 0;
};

}  // namespace pyxaro::ui
