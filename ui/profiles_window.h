#pragma once

#include <QWidget>

#include "game/game.h"
#include "ui/main_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pyxaro::ui {

// The window where the player keeps the profiles a score is sent under. It
// leaves the game window usable while it is open, and stays above its owner
// so that a submission waiting for it is never hidden behind the game.
class ProfilesWindow : public QWidget {
 public:
  ProfilesWindow(Game& game, Dispatch act, QWidget* owner);
  void Sync();

  QListWidget* List() const { return list_; }
  QPushButton* Ok() const { return ok_; }
  QPushButton* Remove() const { return remove_; }
  QCheckBox* DontShow() const { return dontShow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* Button(const Control& control, Command command);

  Game& game_;
  Dispatch act_;
  QLabel* heading_;
  QListWidget* list_;
  QPushButton* remove_;
  QPushButton* add_;
  QLabel* nameLabel_;
  QLineEdit* name_;
  QLabel* passwordLabel_;
  QLineEdit* password_;
  QPushButton* cancel_;
  QPushButton* ok_;
  QCheckBox* dontShow_;
};

}  // namespace pyxaro::ui
