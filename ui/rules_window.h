#pragma once

#include <QWidget>
#include <functional>

#include "game/manual.h"
#include "ui/closing_window.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace pyxaro::ui {

// The rules in the player's language: how a game goes and the keys, then
// every category with six dice it takes and what they score there. Escape
// closes; About tells the version and the licence.
class RulesWindow : public ClosingWindow {
 public:
  RulesWindow(QWidget* owner, std::function<void()> about, std::function<void()> closed);
  void Sync(const RulesForm& form);

  QListWidget* Categories() const { return categories_; }

 private:
  RulesForm form_;
  QTextBrowser* paragraphs_;
  QLabel* categoriesTitle_;
  QListWidget* categories_;
  QPushButton* about_;
  QPushButton* close_;
};

}  // namespace pyxaro::ui
