#include "ui/accessibility.h"

#include <QAccessibleWidget>

#include "scoring/categories.h"
#include "scoring/entry.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

// A clickable control as a button with the press action, which runs only
// when a click could.
class ControlAccessible : public QAccessibleWidget {
 public:
  ControlAccessible(QWidget* widget, Pressable* pressable)
      : QAccessibleWidget(widget,
                          pressable->HasAction() ? QAccessible::Button : QAccessible::StaticText),
        pressable_(pressable) {}

  // Qt reads a control without a description of its own the tool tip,
  // whose formatting a screen reader would spell out; the game's controls
  // say only what they are given to say.
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Description) return widget()->accessibleDescription();
    return QAccessibleWidget::text(kind);
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (pressable_->HasAction()) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    if (name == pressAction()) {
      pressable_->Press();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }

 private:
  Pressable* pressable_;
};

QAccessibleInterface* GameControls(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (auto* pressable = dynamic_cast<Pressable*>(object)) {
    return new ControlAccessible(widget, pressable);
  }
  if (dynamic_cast<DotDisplay*>(object) != nullptr) {
    return new QAccessibleWidget(widget, QAccessible::StaticText);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(GameControls);
}

QString ControlName(const Control& control, const QString& fallback) {
  const QString tip = Q(control.ToolTip).trimmed();
  return tip.isEmpty() ? fallback : tip;
}

QString CounterName(const Control& counter, const QString& fallback) {
  return ControlName(counter, fallback) + QStringLiteral(": ") + Q(counter.Caption);
}

QString DieName(const Game& game, int k) {
  const SpokenTexts& words = game.Texts().Spoken();
  const QString die = Q(words.Die).arg(k);
  const GameState& state = game.Turn().State();
  const int face = state.Dice[k];
  if (!state.OnTable(k) || face < 1 || face > kDiceFaces) return die;
  return die + QStringLiteral(": ") + Q(words.Faces[face]);
}

Spoken CategorySpeech(const Game& game, int k) {
  const SpokenTexts& words = game.Texts().Spoken();
  // The row's tool tip says its name and its score, or what the dice would score there.
  const QString name =
      ControlName(game.Turn().View().CategoryRows[k], Q(game.Turn().CategoryTitle(k)));
  const bool hinted = game.Turn().Hinted() == k;
  return {name, hinted ? Q(words.Proposed) : QString(), {}};
}

}  // namespace pyxaro::ui
