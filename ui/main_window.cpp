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
    Bind<Picture>(m.Image[k], [this, k] { act_([this, k] { game_.PickUp(k); }); });
  }
  Bind<Area>(m.Roll, Click(&Game::Roll), true);
  Bind<Area>(m.Undo, Click(&Game::Undo), true);
  Bind<Area>(m.NyttSpel, Click(&Game::NyttSpel), false);
  Bind<Area>(m.butt_End, Click(&Game::butt_End), false);
  Bind<Area>(m.Avsluta, Click(&Game::Avsluta), false);
  Bind<Area>(
      m.Minimera, [this] { showMinimized(); }, false);
  Bind<Area>(m.Langu, Click(&Game::Langu), false);
  Bind<Area>(m.Homepage, Action{}, false);
  Bind<Area>(m.Logo, Action{}, false);
  for (int k = 1; k <= kCategoryCount; ++k) {
    Bind<Area>(
        m.btn[k], [this, k] { act_([this, k] { game_.EnterKateg(k); }); }, false);
  }
  // Score labels and the marker let clicks through to their row.
  for (int k = 1; k <= kCategoryCount; ++k) {
    Bind<Label>(m.scr[k], Action{}, kSmallText, Qt::AlignHCenter)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  Bind<Marker>(m.Indik);
  Bind<Label>(m.Bonus, Action{}, kSmallText, Qt::AlignHCenter);
  Bind<Label>(m.scr_Tot, Action{}, kSmallText, Qt::AlignHCenter);
  Bind<Label>(m.Rolls, Action{}, kCounterText, Qt::AlignHCenter);
  Bind<Label>(m.Mrolls, Action{}, kCounterText, Qt::AlignHCenter);
  for (int r = 1; r <= 10; ++r) {
    Bind<Label>(
        m.Topp[r], [this, r] { act_([this, r] { game_.ToppClick(r); }); }, kSmallText,
        Qt::AlignLeft);
  }
  Bind<Label>(m.ClearTopp, Click(&Game::ClearTopp), kSmallText, Qt::AlignLeft);
  Bind<Label>(m.lb_User, Action{}, kSmallText, Qt::AlignLeft);
  Bind<Picture>(m.SoundPic, Click(&Game::SoundPicClick));
  Bind<Picture>(m.MovePic, Action{});
  Bind<Label>(m.ShowTime, Action{}, kSmallText, Qt::AlignHCenter);
  dots_ = new DotDisplay(this);

  const auto tick = [this](void (Game::*routine)()) { return Click(routine); };
  timers_.push_back(std::make_unique<TimerBinding>(this, m.TimerPlay, tick(&Game::TimerPlayTick)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.TimerEnd, tick(&Game::TimerEndTick)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.Timer1, tick(&Game::Timer1Tick)));
  timers_.push_back(std::make_unique<TimerBinding>(this, m.Timer3, tick(&Game::Timer3Tick)));
}

void MainWindow::Sync() {
  const MainForm& m = game_.main;
  const QString file = QString::fromStdString(m.BackgrFile);
  if (file != backgroundFile_) {
    backgroundFile_ = file;
    background_->setPixmap(file.isEmpty() ? QPixmap() : QPixmap(file));
  }
  background_->setGeometry(PxRect(m.BackgrPic));
  background_->setVisible(m.BackgrPic.Visible && !file.isEmpty());
  for (const auto& sync : syncs_) sync();
  dots_->Apply(m.Digit);
  for (const auto& timer : timers_) timer->Sync();
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(0, 0, MainBackground(devicePixelRatioF()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing the window by the desktop's own means quits the game: no hidden
  // window may keep the program running.
  event->ignore();
  act_([this] { game_.Avsluta(); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  if (!control && key >= Qt::Key_1 && key < Qt::Key_1 + kDiceCount) {
    const int k = key - Qt::Key_1 + 1;
    act_([this, k] { game_.PickUp(k); });
  } else if (!control && (key == Qt::Key_Space || key == Qt::Key_Return)) {
    act_([this] { game_.Roll(); });
  } else if (control && key == Qt::Key_Z) {
    act_([this] { game_.Undo(); });
  } else if (control && key == Qt::Key_N) {
    act_([this] { game_.NyttSpel(); });
  } else if (control && key == Qt::Key_Q) {
    act_([this] { game_.butt_End(); });
  } else {
    QWidget::keyPressEvent(event);
  }
}

}  // namespace pyxaro::ui
