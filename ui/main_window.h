#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/game.h"
#include "ui/timer_binding.h"
#include "ui/widgets.h"

namespace pyxaro::ui {

using Dispatch = std::function<void(const Action&)>;

// The game window: the painted background with the controls laid over it,
// each showing what the game's data says.
class MainWindow : public QWidget {
 public:
  MainWindow(Game& game, Dispatch act);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  template <typename W, typename... Args>
  W* Bind(const Control& data, Args&&... args);
  Action Click(void (Game::*routine)());

  Game& game_;
  Dispatch act_;
  std::vector<std::function<void()>> syncs_;
  std::vector<std::unique_ptr<TimerBinding>> timers_;
  QLabel* background_ = nullptr;
  QString backgroundFile_;
  DotDisplay* dots_ = nullptr;
};

}  // namespace pyxaro::ui
