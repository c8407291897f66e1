#include "ui/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <functional>

#include "ui/pictures.h"

namespace pyxaro::ui {

namespace {

constexpr int kWidthPx = 800;
constexpr int kHeightPx = 600;
constexpr int kSmallText = 11;
constexpr int kCounterText = 13;

}  // namespace

template <typename W, typename... Args>
W* MainWindow::Bind(const Control& data, Args&&... args) {
  auto* widget = new W(this, std::forward<Args>(args)...);
  syncs_.push_back([widget, &data] { widget->Apply(data); });
  return widget;
}

Action MainWindow::Click(void (Game::*routine)()) {
  Action call = std::bind_front(routine, &game_);
  return [this, call = std::move(call)] { act_(call); };
}

MainWindow::MainWindow(Game& game, Dispatch act) : game_(game), act_(std::move(act)) {
  setWindowTitle(QStringLiteral("Pyxaro"));
  setFixedSize(kWidthPx, kHeightPx);
  MainForm& m = game_.main;

  background_ = new QLabel(this);
  background_->setScaledContents(true);
  background_->setAttribute(Qt::WA_TransparentForMouseEvents);

  for (int k = 1; k <= kDiceCount; ++k) {
    Bind<Picture>(m.DieImages[k], [this, k] { act_([this, k] { game_.PickUp(k); }); });
  }
  Bind<Area>(m.ThrowArea, Click(&Game::Throw), true);
  Bind<Area>(m.UndoArea, Click(&Game::Undo), true);
  Bind<Area>(m.NewGameArea, Click(&Game::NewGameClicked), false);
  Bind<Area>(m.QuitArea, Click(&Game::QuitClicked), false);
  Bind<Area>(m.CloseSquare, Click(&Game::CloseClicked), false);
  Bind<Area>(
      m.MinimiseSquare, [this] { showMinimized(); }, false);
  Bind<Area>(m.LanguageArea, Click(&Game::ChangeLanguage), false);
  Bind<Area>(m.HomeLink, Click(&Game::HomeLinkClicked), false);
  Bind<Area>(m.Logo, Action{}, false);
  for (int k = 1; k <= kCategoryCount; ++k) {
    Bind<Area>(
        m.CategoryRows[k], [this, k] { act_([this, k] { game_.EnterCategory(k); }); }, false);
  }
  // Score labels and the marker let clicks through to their row.
  for (int k = 1; k <= kCategoryCount; ++k) {
    Bind<Label>(m.CategoryScores[k], Action{}, kSmallText, Qt::AlignHCenter)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  Bind<Marker>(m.HintMarker);
  Bind<Label>(m.BonusLabel, Action{}, kSmallText, Qt::AlignHCenter);
  Bind<Label>(m.TotalLabel, Action{}, kSmallText, Qt::AlignHCenter);
  Bind<Label>(m.RollsLeftLabel, Action{}, kCounterText, Qt::AlignHCenter);
  Bind<Label>(m.RollsPerCategoryLabel, Action{}, kCounterText, Qt::AlignHCenter);
  for (int r = 1; r <= 10; ++r) {
    Bind<Label>(
        m.TopTenRows[r], [this, r] { act_([this, r] { game_.TopTenRowClicked(r); }); }, kSmallText,
        Qt::AlignLeft);
  }
  Bind<Label>(m.ClearTopTenLabel, Click(&Game::ClearTopTen), kSmallText, Qt::AlignLeft);
  Bind<Label>(m.PlayerLabel, Click(&Game::OpenProfiles), kSmallText, Qt::AlignLeft);
  Bind<Picture>(m.SoundSwitch, Click(&Game::ToggleSound));
  Bind<Picture>(m.MoveButton, Action{});
  Bind<Label>(m.Clock, Action{}, kSmallText, Qt::AlignHCenter);
  dots_ = new DotDisplay(this);

  const auto tick = [this](void (Game::*routine)()) { return Click(routine); };
  timers_.push_back(std::make_unique<TimerBinding>(this, m.PlayClock, tick(&Game::PlayClockTick)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.GameEndTimer, tick(&Game::EndGame)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.PageTimer, tick(&Game::NextPage)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.ClockTimer, tick(&Game::ClockTick)));
  timers_.push_back(
      std::make_unique<TimerBinding>(this, m.ProfileTimer, tick(&Game::ProfileTimerTick)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.SendTimer, tick(&Game::SendTimerTick)));
}

void MainWindow::Sync() {
  const MainForm& m = game_.main;
  const QString file = QString::fromStdString(m.BackgroundFile);
  if (file != backgroundFile_) {
    backgroundFile_ = file;
    background_->setPixmap(file.isEmpty() ? QPixmap() : QPixmap(file));
  }
  background_->setGeometry(PxRect(m.BackgroundPicture));
  background_->setVisible(m.BackgroundPicture.Visible && !file.isEmpty());
  for (const auto& sync : syncs_) sync();
  dots_->Apply(m.LitDots);
  for (const auto& timer : timers_) timer->Sync();
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(0, 0, MainBackground(devicePixelRatioF()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing the window by the desktop's own means quits the game: no hidden
  // window may keep the program running.
  event->ignore();
  act_([this] { game_.CloseClicked(); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  if (!control && key >= Qt::Key_1 && key < Qt::Key_1 + kDiceCount) {
    const int k = key - Qt::Key_1 + 1;
    act_([this, k] { game_.PickUp(k); });
  } else if (!control && (key == Qt::Key_Space || key == Qt::Key_Return)) {
    act_([this] { game_.Throw(); });
  } else if (control && key == Qt::Key_Z) {
    act_([this] { game_.Undo(); });
  } else if (control && key == Qt::Key_N) {
    act_([this] { game_.NewGameClicked(); });
  } else if (control && key == Qt::Key_Q) {
    act_([this] { game_.QuitClicked(); });
  } else {
    QWidget::keyPressEvent(event);
  }
}

}  // namespace pyxaro::ui
