#include "ui/front.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "settings/ini.h"

namespace pyxaro::ui {

namespace {

void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window->move(screen->availableGeometry().center() - window->rect().center());
  }
}

// A window the game window owns opens over the middle of it, kept on the
// screen where the game window stands.
void CentreOver(QWidget* window, const QWidget* owner) {
  QRect place(QPoint(), window->size());
  place.moveCenter(owner->geometry().center());
  const QRect area = owner->screen()->availableGeometry();
  place.moveLeft(
      std::clamp(place.left(), area.left(), std::max(area.left(), area.right() - place.width())));
  place.moveTop(
      std::clamp(place.top(), area.top(), std::max(area.top(), area.bottom() - place.height())));
  window->move(place.topLeft());
}

// A window whose data says it is gone is deleted once the current event is
// done with it.
template <typename W>
void Retire(QPointer<W>& window) {
  if (!window) return;
  window->hide();
  window->deleteLater();
  window = nullptr;
}

// A window the game window owns follows its data: made over the game window
// when the data shows it, brought up to date, retired when the data hides it.
template <typename W, typename Form, typename Make>
void Follow(QPointer<W>& window, const Form& form, QWidget* owner, Make make) {
  if (form.Visible && !window && owner != nullptr) {
    window = make();
    CentreOver(window, owner);
  }
  if (!window) return;
  if (form.Visible) {
    window->Sync(form);
    window->show();
  } else {
    Retire(window);
  }
}

}  // namespace

Front::Front(Game& game, std::function<bool()> ending) : game_(game), ending_(std::move(ending)) {}

Front::~Front() {
  delete statistics_;
  delete profiles_;
  delete main_;
  delete splash_;
}

void Front::Start() {
  Act([this] { game_.Start(); });
}

void Front::Act(const Action& routine) {
  if (ending_() || failed_) return;
  try {
    routine();
  } catch (const IniError& error) {
    // The settings file cannot be reached at all: no game can be kept
    // without it, so say why and end.
    failed_ = true;
    QMessageBox::critical(nullptr, QString::fromStdString(error.Source()),
                          QString::fromStdString(error.Description() + "\n" + error.Detail()));
    QCoreApplication::exit(1);
    return;
  }
  if (!ending_()) Sync();
}

QWidget* Front::GameWindow() {
  if (game_.Window().View().Loaded && !main_) {
    main_ = new MainWindow(game_, [this](const Action& routine) { Act(routine); });
    CentreOnScreen(main_);
  }
  return main_;
}

void Front::Sync() {
  const Dispatch act = [this](const Action& routine) { Act(routine); };

  // The picker is made when it is first shown: a run that skips it starts
  // its splash sooner.
  if (game_.Texts().Picker().Visible && !language_) {
    language_ = std::make_unique<LanguageWindow>(game_, act);
    CentreOnScreen(language_.get());
  }
  if (language_) {
    language_->Sync();
    language_->setVisible(game_.Texts().Picker().Visible);
  }

  if (game_.Splash().View().Visible && !splash_) {
    splash_ = new SplashWindow(game_, act);
    CentreOnScreen(splash_);
  }
  if (splash_) {
    splash_->Sync();
    if (game_.Splash().View().Visible) {
      splash_->show();
    } else {
      Retire(splash_);
    }
  }

  if (GameWindow() != nullptr) {
    if (!game_.Window().View().Loaded) {
      Retire(main_);
    } else {
      main_->Sync();
      main_->setVisible(game_.Window().View().Visible);
    }
  }

  // The profiles window belongs to the game window and never stands alone.
  if (game_.Profiles().Window().Visible && !profiles_ && main_) {
    profiles_ = new ProfilesWindow(game_, act, main_);
    CentreOver(profiles_, main_);
  }
  if (profiles_) {
    if (game_.Profiles().Window().Visible) {
      profiles_->Sync();
      profiles_->show();
    } else {
      Retire(profiles_);
    }
  }

  Follow(statistics_, game_.Statistics().View(), main_, [this] {
    return new StatisticsWindow(
        main_, [this] { Act([this] { game_.Do(Command::ResetStatistics); }); },
        [this] { Act([this] { game_.Do(Command::OpenReview); }); },
        [this] { Act([this] { game_.Do(Command::StatisticsClosed); }); });
  });
  Follow(review_, game_.Coach().Window(), main_, [this] {
    return new ReviewWindow(
        main_, [this](int row) { Act([this, row] { game_.Pick(List::Review, Row{row}); }); },
        [this] { Act([this] { game_.Do(Command::ReviewClosed); }); });
  });
  Follow(rules_, game_.Manual().Window(), main_, [this] {
    return new RulesWindow(
        main_, [this] { Act([this] { game_.Do(Command::OpenAbout); }); },
        [this] { Act([this] { game_.Do(Command::RulesClosed); }); });
  });
}

}  // namespace pyxaro::ui
