#pragma once

#include <QKeyCombination>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "game/game.h"
#include "ui/timer_binding.h"
#include "ui/widgets.h"

class QScreen;

namespace pyxaro::ui {

using Dispatch = std::function<void(const Action&)>;

// The game window: the painted background with the controls laid over it,
// each showing what the game's data says. The game draws its own close and
// minimise squares, so the desktop gives it no frame; a press on the
// background moves it.
class MainWindow : public QWidget {
 public:
  MainWindow(Game& game, Dispatch act);
  void Sync();
  // The keys the window answers wherever the keyboard mark stands.
  std::vector<QKeyCombination> Keys() const;
  // Paints the window's pictures in their words and loads its fonts ahead
  // of its first showing, while another window stands.
  static void PrepareAhead(qreal devicePixelRatio, const PaintedTexts& words);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  template <typename W, typename... Args>
  W* Bind(const Control& control, Args&&... args);
  // Gives a control its speech and the keys that press it, the first of which
  // its tool tip names unless the speech names the keys itself.
  template <typename W>
  W* Speak(W* control, Speech speech, std::initializer_list<QKeyCombination> combos = {});
  Action Click(Command command);
  Action Click(std::function<void()> routine);
  // The dice, the throw and undo areas, the scorecard and its counters.
  void BindPlay();
  // The top-ten list, the player, the window's own buttons and the clock.
  void BindSideControls();
  void BindTimers();
  void BindKeys();
  void WatchDisplay();
  void WatchScreen(QScreen* screen);
  void DisplayChanged();
  // The keyboard mark: the focus on a category row.
  void MoveMark(int step);
  void MarkHintedRow();
  bool RowOpen(int k) const;

  Game& game_;
  Dispatch act_;
  std::vector<std::function<void()>> syncs_;
  std::vector<std::unique_ptr<TimerBinding>> timers_;
  std::vector<std::pair<QKeyCombination, Pressable*>> keys_;
  std::array<Area*, kCategoryCount> rows_{};
  QLabel* background_ = nullptr;
  QString backgroundFile_;
  PaintedTexts painted_;  // the words the background was last painted in
  DotDisplay* dots_ = nullptr;
  unsigned throwsSeen_ = 0;
  // Where the left button went down on the background, while it is held and
  // the window has not begun to move.
  std::optional<QPointF> pressedAt_;
  QMetaObject::Connection screenWatch_;
  bool displayChangePending_ = false;
};

}  // namespace pyxaro::ui
