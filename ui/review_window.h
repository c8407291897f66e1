#pragma once

#include <QWidget>
#include <functional>

#include "highscores/review_form.h"
#include "ui/closing_window.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace pyxaro::ui {

// The review of a finished game: what it lost and its verdict, the choices
// that lost points, one a row, and the game as the opened row's throw left
// it. Arrows move over the rows, Enter opens one, Escape closes.
class ReviewWindow : public ClosingWindow {
 public:
  ReviewWindow(QWidget* owner, std::function<void(int)> open, std::function<void()> closed);
  void Sync(const ReviewForm& form);

  QListWidget* Rows() const { return rows_; }

 private:
  ReviewForm form_;
  QLabel* summary_;
  QListWidget* rows_;
  QWidget* dice_;
  QLabel* position_;
  QPushButton* close_;
};

}  // namespace pyxaro::ui
