#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "game/game.h"
#include "ui/main_window.h"
#include "ui/profiles_window.h"
#include "ui/review_window.h"
#include "ui/rules_window.h"
#include "ui/start_windows.h"
#include "ui/statistics_window.h"

namespace pyxaro::ui {

// The front end of a run: it creates and shows the windows the game's data
// asks for, turns clicks and ticks into routine calls, and after each one
// brings every window up to date with the data.
class Front {
 public:
  // ending tells when the program has been asked to end: from then on no
  // routine runs.
  Front(Game& game, std::function<bool()> ending);
  ~Front();
  Front(const Front&) = delete;
  Front& operator=(const Front&) = delete;

  void Start();
  void Act(const Action& routine);
  void Sync();

  LanguageWindow* Language() const { return language_.get(); }
  SplashWindow* Splash() const { return splash_; }
  MainWindow* Main() const { return main_; }
  // The game window, made as soon as the game's data says it is loaded, so
  // that the routines that open it can already place it.
  QWidget* GameWindow();
  ProfilesWindow* Profiles() const { return profiles_; }
  StatisticsWindow* Statistics() const { return statistics_; }
  ReviewWindow* Review() const { return review_; }
  RulesWindow* Rules() const { return rules_; }

 private:
  Game& game_;
  std::function<bool()> ending_;
  bool failed_ = false;
  std::unique_ptr<LanguageWindow> language_;
  QPointer<SplashWindow> splash_;
  QPointer<MainWindow> main_;
  QPointer<ProfilesWindow> profiles_;
  QPointer<StatisticsWindow> statistics_;
  QPointer<ReviewWindow> review_;
  QPointer<RulesWindow> rules_;
};

}  // namespace pyxaro::ui
