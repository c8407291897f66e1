#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>

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
// Opens the review of the last finished game; no control stands for it.
constexpr QKeyCombination kReview(Qt::Key_R);
// Starts today's game, after asking; the new game area's tool tip names it.
constexpr QKeyCombination kDayGame(Qt::Key_D);
constexpr QKeyCombination kNewGame(Qt::CTRL | Qt::Key_N);

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
    if (named && spoken.key.isEmpty()) spoken.key = KeyName(*named, game_.Texts().Spoken());
    return spoken;
  });
  for (const QKeyCombination combo : combos) keys_.emplace_back(combo, control);
  return control;
}

template <typename W, typename... Args>
W* MainWindow::Bind(const Control& control, Args&&... args) {
  auto* widget = new W(this, std::forward<Args>(args)...);
  syncs_.push_back([widget, &control] { widget->Apply(control); });
  return widget;
}

Action MainWindow::Click(Command command) {
  return Click([this, command] { game_.Do(command); });
}

Action MainWindow::Click(std::function<void()> routine) {
  return [this, routine = std::move(routine)] { act_(routine); };
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
  const TurnView& m = game_.Turn().View();
  const SpokenTexts& words = game_.Texts().Spoken();
  for (int k = 1; k <= kDiceCount; ++k) {
    auto* die = Bind<Picture>(m.DieImages[k], Click([this, k] { game_.PickUp(Die{k}); }));
    Speak(die,
          [this, k] {
            return Spoken{DieName(game_, k), {}, {}};
          },
          {QKeyCombination(Qt::Key(Qt::Key_1 + k - 1))});
  }
  Speak(Bind<Area>(m.ThrowArea, Click(Command::Throw), true), Named(m.ThrowArea, words.Throw),
        {QKeyCombination(Qt::Key_Space), Qt::CTRL | Qt::Key_R});
  Speak(Bind<Area>(m.UndoArea, Click(Command::Undo), true), Named(m.UndoArea, words.Undo),
        {Qt::CTRL | Qt::Key_Z});
  for (int k = 1; k <= kCategoryCount; ++k) {
    rows_.at(k - 1) =
        Bind<Area>(m.CategoryRows[k], Click([this, k] { game_.Enter(CategoryNumber{k}); }), false);
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
  Speak(Bind<Area>(m.AdviceArea, Click(Command::ShowAdvice), false),
        Named(m.AdviceArea, kAdviceFallback), {QKeyCombination(Qt::Key_H)});
  Speak(Bind<Label>(m.BonusLabel, Action{}, kSmallText, Qt::AlignHCenter),
        Counted(m.BonusLabel, words.Bonus));
  Speak(Bind<Label>(m.TotalLabel, Action{}, kSmallText, Qt::AlignHCenter),
        Counted(m.TotalLabel, words.Total));
  Speak(Bind<Label>(m.RollsLeftLabel, Action{}, kCounterText, Qt::AlignHCenter),
        Counted(m.RollsLeftLabel, words.RollsLeft));
  Speak(Bind<Label>(m.RollsPerCategoryLabel, Action{}, kCounterText, Qt::AlignHCenter),
        Counted(m.RollsPerCategoryLabel, words.RollsPerCategory));
}

void MainWindow::BindSideControls() {
  const TopTenView& list = game_.TopTen().View();
  const PlayerView& player = game_.Profiles().View();
  const WindowView& m = game_.Window().View();
  const DisplayView& display = game_.Display().View();
  const SpokenTexts& words = game_.Texts().Spoken();
  for (int r = 1; r <= kTopTenRows; ++r) {
    Bind<Label>(list.Rows[r], Click([this, r] { game_.Pick(List::TopTen, Row{r - 1}); }),
                kSmallText, Qt::AlignLeft);
  }
  Bind<Label>(list.ClearLabel, Click(Command::ClearTopTen), kSmallText, Qt::AlignLeft);
  Speak(Bind<Label>(player.PlayerLabel, Click(Command::OpenProfiles), kSmallText, Qt::AlignLeft),
        [&player] {
          return Spoken{Q(player.PlayerLabel.Caption), ControlName(player.PlayerLabel, {}), {}};
        },
        {QKeyCombination(Qt::Key_P)});
  Speak(Bind<Picture>(game_.Sound().View().Switch, Click(Command::ToggleSound)),
        [this, &words] {
          const bool off = game_.Sound().SwitchedOff();
          return Spoken{ControlName(game_.Sound().View().Switch, Q(words.SoundSwitch)),
                        Q(off ? words.SoundOff : words.SoundOn),
                        {}};
        },
        {QKeyCombination(Qt::Key_M)});
  Speak(Bind<Picture>(m.MoveButton, Click(Command::MoveWindow)), Named(m.MoveButton, words.Move));
  Speak(Bind<Label>(display.Clock, Action{}, kSmallText, Qt::AlignHCenter),
        Counted(display.Clock, words.Time));
  Speak(Bind<Area>(m.NewGameArea, Click(Command::NewGame), false),
        [this, &m, &words] {
          // Today's game has its key and no control: the new game's tip names it.
          return Spoken{ControlName(m.NewGameArea, Q(words.NewGame)),
                        {},
                        KeyName(kNewGame, game_.Texts().Spoken()) + "; " + Q(words.DayGame)};
        },
        {kNewGame});
  Speak(Bind<Area>(m.QuitArea, Click(Command::Quit), false), Named(m.QuitArea, words.Quit),
        {Qt::CTRL | Qt::Key_Q});
  Speak(Bind<Area>(m.CloseSquare, Click(Command::Close), false), Named(m.CloseSquare, words.Close));
  Speak(Bind<Area>(m.MinimiseSquare, Click(Command::Minimise), false),
        Named(m.MinimiseSquare, words.Minimise));
  Speak(Bind<Area>(m.RulesSquare, Click(Command::OpenRules), false),
        Named(m.RulesSquare, words.Rules), {QKeyCombination(Qt::Key_F1)});
  Speak(Bind<Area>(m.LanguageArea, Click(Command::ChangeLanguage), false),
        Named(m.LanguageArea, words.Language), {QKeyCombination(Qt::Key_L)});
  Speak(Bind<Area>(m.StatisticsArea, Click(Command::OpenStatistics), false),
        Named(m.StatisticsArea, words.Statistics), {QKeyCombination(Qt::Key_S)});
  Speak(Bind<Area>(player.HomeLink, Click(Command::OpenHome), false),
        Named(player.HomeLink, words.Home));
  Speak(Bind<Area>(m.Logo, Action{}, false), Named(m.Logo, m.Logo.ToolTip));
}

void MainWindow::BindTimers() {
  const TurnView& turn = game_.Turn().View();
  const DisplayView& display = game_.Display().View();
  const PlayerView& player = game_.Profiles().View();
  for (const auto& [timer, tick] : {std::pair{&turn.PlayClock, Command::PlayClockTick},
                                    {&turn.GameEndTimer, Command::GameEndTick},
                                    {&display.PageTimer, Command::PageTick},
                                    {&display.ClockTimer, Command::ClockTick},
                                    {&player.ProfileTimer, Command::ProfileTick},
                                    {&player.SendTimer, Command::SendTick}}) {
    timers_.push_back(std::make_unique<TimerBinding>(this, *timer, Click(tick)));
  }
}

void MainWindow::Sync() {
  const WindowView& m = game_.Window().View();
  const DisplayView& display = game_.Display().View();
  const QString file = QString::fromStdString(m.BackgroundFile);
  if (file != backgroundFile_) {
    backgroundFile_ = file;
    background_->setPixmap(file.isEmpty() ? QPixmap() : QPixmap(file));
  }
  background_->setGeometry(PxRect(m.BackgroundPicture));
  background_->setVisible(m.BackgroundPicture.Visible && !file.isEmpty());
  for (const auto& sync : syncs_) sync();
  if (game_.Texts().Painted() != painted_) {
    painted_ = game_.Texts().Painted();
    update();
  }
  dots_->Apply(display.LitDots, display.Said, display.MessagesSaid);
  for (const auto& timer : timers_) timer->Sync();
  // After every throw the keyboard mark starts at the hint again.
  if (game_.Turn().Throws() != throwsSeen_) MarkHintedRow();
  throwsSeen_ = game_.Turn().Throws();
}

void MainWindow::PrepareAhead(qreal devicePixelRatio, const PaintedTexts& words) {
  PaintGameWindowPictures(devicePixelRatio, words);
  for (const int size : {kSmallText, kCounterText}) Label::PrepareFont(size, devicePixelRatio);
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(0, 0, MainBackground(devicePixelRatioF(), game_.Texts().Painted()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing the window by the desktop's own means quits the game: no hidden
  // window may keep the program running.
  event->ignore();
  act_([this] { game_.Do(Command::Close); });
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
    act_([this] { game_.Do(Command::ToggleAdvice); });
  } else if (pressed == kReview) {
    act_([this] { game_.Do(Command::OpenReview); });
  } else if (pressed == kDayGame) {
    act_([this] { game_.Do(Command::DayGame); });

  } else if (pressed == QKeyCombination(Qt::Key_Up)) {
    MoveMark(-1);
  } else if (pressed == QKeyCombination(Qt::Key_Down)) {
    MoveMark(1);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A game resumed at the start has its hint from the throw before: the mark
  // stands there, as after any throw, rather than on the first die.
  if (!event->spontaneous()) MarkHintedRow();
}

// Without a frame of the desktop's own, the window is moved by dragging its
// background and its logo; a click that does not drag leaves it where it is.
void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressedAt_ = event->globalPosition();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!pressedAt_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPointF moved = event->globalPosition() - *pressedAt_;
  if (moved.manhattanLength() < QApplication::startDragDistance()) return;
  pressedAt_.reset();
  if (windowHandle() != nullptr) windowHandle()->startSystemMove();
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) { pressedAt_.reset(); }

std::vector<QKeyCombination> MainWindow::Keys() const {
  std::vector<QKeyCombination> keys{QKeyCombination(Qt::Key_Up), QKeyCombination(Qt::Key_Down),
                                    kAdviceSwitch, kReview, kDayGame};
  for (const auto& [key, control] : keys_) keys.push_back(key);
  return keys;
}

bool MainWindow::RowOpen(int k) const { return game_.Turn().State().IsOpen(k); }

void MainWindow::MarkHintedRow() {
  const int hinted = game_.Turn().Hinted();
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
      act_([this, k] { game_.Mark(CategoryNumber{k}); });
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
    act_([this] { game_.Do(Command::PlaceWindow); });
  });
}

}  // namespace pyxaro::ui
