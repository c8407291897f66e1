#pragma once

#include <QWidget>
#include <memory>

#include "game/game.h"
#include "ui/main_window.h"
#include "ui/timer_binding.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace pyxaro::ui {

// The language picker, the first window of the run.
class LanguageWindow : public QWidget {
 public:
  LanguageWindow(Game& game, Dispatch act);
  void Sync();

  QListWidget* List() const { return list_; }
  QPushButton* Confirm() const { return confirm_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Game& game_;
  Dispatch act_;
  QLabel* label_;
  QListWidget* list_;
  QCheckBox* check_;
  QPushButton* confirm_;
};

// The splash window that stands while the game window is being prepared.
class SplashWindow : public QWidget {
 public:
  SplashWindow(Game& game, Dispatch act);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Game& game_;
  Dispatch act_;
  QLabel* version_;
  std::unique_ptr<TimerBinding> timer_;
  bool painted_ = false;
};

}  // namespace pyxaro::ui
