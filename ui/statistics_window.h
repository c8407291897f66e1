#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "highscores/statistics_form.h"
#include "ui/closing_window.h"

class QLabel;
class QPainter;
class QPushButton;

namespace pyxaro::ui {

// The statistics window: the figures, the charts of the totals, the recent
// games and the categories, and the Reset button. It shows what the form it
// is given says, and hands the Reset button and its closing to its owner.
class StatisticsWindow : public ClosingWindow {
 public:
  static constexpr int kFigureRows = 10;

  StatisticsWindow(QWidget* owner, std::function<void()> reset, std::function<void()> review,
                   std::function<void()> closed);
  void Sync(const StatisticsForm& form);

  QPushButton* Reset() const { return reset_; }
  QPushButton* Review() const { return review_; }
  const std::array<QWidget*, kFigureRows>& FigureRows() const { return figures_; }
  QWidget* Totals() const { return totals_; }
  QWidget* Recent() const { return recent_; }
  QWidget* Categories() const { return categories_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintBackdrop(QPainter& p) const;

  StatisticsForm form_;
  std::array<QWidget*, kFigureRows> figures_{};
  QWidget* totals_;
  QWidget* recent_;
  QWidget* categories_;
  std::array<QWidget*, kCategoryCount> bars_{};
  QLabel* note_;
  QPushButton* reset_;
  QPushButton* review_;
  QPushButton* close_;
};

}  // namespace pyxaro::ui
