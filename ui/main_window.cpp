#include "ui/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>

#include "scoring/entry.h"
#include "ui/accessibility.h"
#include "ui/advice_marks.h"
#include "ui/pictures.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

constexpr int kWidthPx = 800;
constexpr int kHeightPx = 600;
constexpr int kSmallText = 11;
constexpr int kCounterText = 13;

// The key as a tool tip names it, in the player's words for Space and Ctrl.
QString KeyName(QKeyCombination combo, const SpokenTexts& words) {
  const QString key = combo.key() == Qt::Key_Space
                          ? Q(words.KeySpace)
                          : QKeySequence(combo.key()).toString(QKeySequence::PortableText);
  return combo.keyboardModifiers() & Qt::ControlModifier ? Q(words.KeyCtrl) + '+' + key : key;
}

// The control's tool tip names it, or else the words of the window's data,
// which live as long as the window.
Speech Named(const Control& control, const std::string& fallback) {
  return [&control, &fallback] { return Spoken{ControlName(control, Q(fallback)), {}, {}}; };
}

// The advice button's name when its tool tip is empty; it must outlive the
// window, as the window's own words do.
const std::string kAdviceFallback = "Hint";

// Switches the advice after every throw on or off, as M does the sound; no
// control of the window stands for it.
constexpr QKeyCombination kAdviceSwitch(Qt::Key_A);

Speech Counted(const Control& counter, const std::string& fallback) {
  return [&counter, &fallback] { return Spoken{CounterName(counter, Q(fallback)), {}, {}}; };
}

}  // namespace

template <typename W>
W* MainWindow::Speak(W* control, Speech speech, std::initializer_list<QKeyCombination> combos) {
  std::optional<QKeyCombination> named;
  if (combos.size() > 0) named = *combos.begin();
  control->Describe([this, speech = std::move(speech), named] {
    Spoken spoken = speech();
    if (named) spoken.key = KeyName(*named, game_.main.Spoken);
    return spoken;
  });
  for (const QKeyCombination combo : combos) keys_.emplace_back(combo, control);
  return control;
}

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

MainWindow::MainWindow(Game& game, Dispatch act)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), game_(game), act_(std::move(act)) {
  InstallAccessibility();
  setWindowTitle(QStringLiteral("Pyxaro"));
  setFixedSize(kWidthPx, kHeightPx);

  background_ = new QLabel(this);
  background_->setScaledContents(true);
  background_->setAttribute(Qt::WA_TransparentForMouseEvents);

  BindPlay();
  BindSideControls();
  dots_ = new DotDisplay(this);

  BindTimers();
  WatchDisplay();
}

void MainWindow::BindPlay() {
  MainForm& m = game_.main;
  for (int k = 1; k <= kDiceCount; ++k) {
    auto* die = Bind<Picture>(m.DieImages[k], [this, k] { act_([this, k] { game_.PickUp(k); }); });
    Speak(die,
          [this, k] {
            return Spoken{DieName(game_, k), {}, {}};
          },
          {QKeyCombination(Qt::Key(Qt::Key_1 + k - 1))});
  }
  Speak(Bind<Area>(m.ThrowArea, Click(&Game::Throw), true), Named(m.ThrowArea, m.Spoken.Throw),
        {QKeyCombination(Qt::Key_Space), Qt::CTRL | Qt::Key_R});
  Speak(Bind<Area>(m.UndoArea, Click(&Game::Undo), true), Named(m.UndoArea, m.Spoken.Undo),
        {Qt::CTRL | Qt::Key_Z});
  for (int k = 1; k <= kCategoryCount; ++k) {
    rows_.at(k - 1) = Bind<Area>(
        m.CategoryRows[k], [this, k] { act_([this, k] { game_.EnterCategory(k); }); }, false);
    Speak(rows_.at(k - 1), [this, k] { return CategorySpeech(game_, k); });
  }
  // Score labels and the marker let clicks through to their row, which
  // speaks for them.
  for (int k = 1; k <= kCategoryCount; ++k) {
    Bind<Label>(m.CategoryScores[k], Action{}, kSmallText, Qt::AlignHCenter)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  Bind<Marker>(m.HintMarker);
  // The advice's marks lie over the dice and beside the rows they mark.
  for (int k = 1; k <= kDiceCount; ++k)
    Bind<AdviceMark>(m.AdviceDieMarks[k], AdviceMark::Shape::Ring);
  Bind<AdviceMark>(m.AdviceRowMark, AdviceMark::Shape::Arrow);
  Speak(Bind<Area>(m.AdviceArea, Click(&Game::ShowAdvice), false),
        Named(m.AdviceArea, kAdviceFallback), {QKeyCombination(Qt::Key_H)});
  Speak(Bind<Label>(m.BonusLabel, Action{}, kSmallText, Qt::AlignHCenter),
        Counted(m.BonusLabel, m.Spoken.Bonus));
  Speak(Bind<Label>(m.TotalLabel, Action{}, kSmallText, Qt::AlignHCenter),
        Counted(m.TotalLabel, m.Spoken.Total));
  Speak(Bind<Label>(m.RollsLeftLabel, Action{}, kCounterText, Qt::AlignHCenter),
        Counted(m.RollsLeftLabel, m.Spoken.RollsLeft));
  Speak(Bind<Label>(m.RollsPerCategoryLabel, Action{}, kCounterText, Qt::AlignHCenter),
        Counted(m.RollsPerCategoryLabel, m.Spoken.RollsPerCategory));
}

void MainWindow::BindSideControls() {
  MainForm& m = game_.main;
  for (int r = 1; r <= 10; ++r) {
    Bind<Label>(
        m.TopTenRows[r], [this, r] { act_([this, r] { game_.TopTenRowClicked(r); }); }, kSmallText,
        Qt::AlignLeft);
  }
  Bind<Label>(m.ClearTopTenLabel, Click(&Game::ClearTopTen), kSmallText, Qt::AlignLeft);
  Speak(Bind<Label>(m.PlayerLabel, Click(&Game::OpenProfiles), kSmallText, Qt::AlignLeft),
        [&m] {
          return Spoken{Q(m.PlayerLabel.Caption), ControlName(m.PlayerLabel, {}), {}};
        },
        {QKeyCombination(Qt::Key_P)});
  Speak(Bind<Picture>(m.SoundSwitch, Click(&Game::ToggleSound)),
        [this] {
          const SpokenTexts& words = game_.main.Spoken;
          const bool off = game_.run.PlaySound == "No";
          return Spoken{ControlName(game_.main.SoundSwitch, Q(words.SoundSwitch)),
                        Q(off ? words.SoundOff : words.SoundOn),
                        {}};
        },
        {QKeyCombination(Qt::Key_M)});
  Speak(Bind<Picture>(m.MoveButton, Click(&Game::MoveButtonClicked)),
        Named(m.MoveButton, m.Spoken.Move));
  Speak(Bind<Label>(m.Clock, Action{}, kSmallText, Qt::AlignHCenter),
        Counted(m.Clock, m.Spoken.Time));
  Speak(Bind<Area>(m.NewGameArea, Click(&Game::NewGameClicked), false),
        Named(m.NewGameArea, m.Spoken.NewGame), {Qt::CTRL | Qt::Key_N});
  Speak(Bind<Area>(m.QuitArea, Click(&Game::QuitClicked), false), Named(m.QuitArea, m.Spoken.Quit),
        {Qt::CTRL | Qt::Key_Q});
  Speak(Bind<Area>(m.CloseSquare, Click(&Game::CloseClicked), false),
        Named(m.CloseSquare, m.Spoken.Close));
  Speak(Bind<Area>(m.MinimiseSquare, Click(&Game::MinimiseClicked), false),
        Named(m.MinimiseSquare, m.Spoken.Minimise));
  Speak(Bind<Area>(m.LanguageArea, Click(&Game::ChangeLanguage), false),
        Named(m.LanguageArea, m.Spoken.Language), {QKeyCombination(Qt::Key_L)});
  Speak(Bind<Area>(m.StatisticsArea, Click(&Game::OpenStatistics), false),
        Named(m.StatisticsArea, m.Spoken.Statistics), {QKeyCombination(Qt::Key_S)});
  Speak(Bind<Area>(m.HomeLink, Click(&Game::HomeLinkClicked), false),
        Named(m.HomeLink, m.Spoken.Home));
  Speak(Bind<Area>(m.Logo, Action{}, false), Named(m.Logo, m.Logo.ToolTip));
}

void MainWindow::BindTimers() {
  MainForm& m = game_.main;
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
  if (m.Painted != painted_) {
    painted_ = m.Painted;
    update();
  }
  dots_->Apply(m.LitDots, game_.run.Said, game_.run.MessagesSaid);
  for (const auto& timer : timers_) timer->Sync();
  // After every throw the keyboard mark starts at the hint again.
  if (game_.run.Throws != throwsSeen_) MarkHintedRow();
  throwsSeen_ = game_.run.Throws;
}

void MainWindow::PrepareAhead(qreal devicePixelRatio, const PaintedTexts& words) {
  PaintGameWindowPictures(devicePixelRatio, words);
  for (const int size : {kSmallText, kCounterText}) Label::PrepareFont(size, devicePixelRatio);
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(0, 0, MainBackground(devicePixelRatioF(), game_.main.Painted));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing the window by the desktop's own means quits the game: no hidden
  // window may keep the program running.
  event->ignore();
  act_([this] { game_.CloseClicked(); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  const QKeyCombination pressed(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
  for (const auto& [key, control] : keys_) {
    if (key == pressed) {
      control->Press();
      return;
    }
  }
  if (pressed == kAdviceSwitch) {
    act_([this] { game_.ToggleAdviceShown(); });
  } else if (pressed == QKeyCombination(Qt::Key_Up)) {
    MoveMark(-1);
  } else if (pressed == QKeyCombination(Qt::Key_Down)) {
    MoveMark(1);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  // Without a frame of the desktop's own, the window is moved by its
  // background and its logo.
  if (event->button() == Qt::LeftButton && windowHandle() != nullptr) {
    windowHandle()->startSystemMove();
  }
}

std::vector<QKeyCombination> MainWindow::Keys() const {
  std::vector<QKeyCombination> keys{QKeyCombination(Qt::Key_Up), QKeyCombination(Qt::Key_Down),
                                    kAdviceSwitch};
  for (const auto& [key, control] : keys_) keys.push_back(key);
  return keys;
}

bool MainWindow::RowOpen(int k) const {
  const Area* row = rows_.at(k - 1);
  return row->isEnabled() && row->isVisible();
}

void MainWindow::MarkHintedRow() {
  const int hinted = HintedCategory(game_.state);
  if (hinted != 0 && RowOpen(hinted)) rows_.at(hinted - 1)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::MoveMark(int step) {
  int from = 0;
  for (int k = 1; k <= kCategoryCount; ++k) {
    if (rows_.at(k - 1) == focusWidget()) from = k;
  }
  if (from == 0) {
    MarkHintedRow();
    if (std::find(rows_.begin(), rows_.end(), focusWidget()) != rows_.end()) return;
    from = step > 0 ? 0 : kCategoryCount + 1;
  }
  for (int k = from + step; k >= 1 && k <= kCategoryCount; k += step) {
    if (RowOpen(k)) {
      rows_.at(k - 1)->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

void MainWindow::WatchDisplay() {
  create();  // the desktop's window, whose screen is watched
  connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
    WatchScreen(screen);
    DisplayChanged();
  });
  connect(qGuiApp, &QGuiApplication::screenAdded, this, &MainWindow::DisplayChanged);
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, &MainWindow::DisplayChanged);
  WatchScreen(windowHandle()->screen());
}

void MainWindow::WatchScreen(QScreen* screen) {
  disconnect(screenWatch_);
  if (screen != nullptr) {
    screenWatch_ =
        connect(screen, &QScreen::availableGeometryChanged, this, &MainWindow::DisplayChanged);
  }
}

void MainWindow::DisplayChanged() {
  // One change of the display brings several signals; the window is placed
  // once, after all of them.
  if (displayChangePending_) return;
  displayChangePending_ = true;
  QTimer::singleShot(0, this, [this] {
    displayChangePending_ = false;
    act_([this] { game_.PlaceWindow(); });
  });
}

}  // namespace pyxaro::ui
