#include "ui/start_windows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "ui/box_keys.h"
#include "ui/dialog_style.h"
#include "ui/pictures.h"
#include "ui/qt_string.h"
#include "ui/startup_times.h"

namespace pyxaro::ui {

namespace {

constexpr int kSplashWidth = 400;
constexpr int kSplashHeight = 250;

}  // namespace

LanguageWindow::LanguageWindow(Game& game, Dispatch act) : game_(game), act_(std::move(act)) {
  setObjectName(QStringLiteral("picker"));
  setWindowTitle(Q(game_.Texts().Picker().Caption));
  setStyleSheet(QString::fromLatin1(kDialogStyle));
  setFixedSize(300, 320);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("frame"));
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(frame);
  auto* layout = new QVBoxLayout(frame);
  label_ = new QLabel(frame);
  QFont heading(QStringLiteral("Verdana"));
  heading.setPixelSize(16);
  heading.setBold(true);
  label_->setFont(heading);
  label_->setTextFormat(Qt::PlainText);
  list_ = new QListWidget(frame);
  check_ = new QCheckBox(frame);
  confirm_ = new QPushButton(frame);
  layout->addWidget(label_);
  layout->addWidget(list_);
  layout->addWidget(check_);
  layout->addWidget(confirm_, 0, Qt::AlignRight);
  AnswerBoxKeys(this, confirm_);

  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    act_([this, row] { game_.Pick(List::Languages, Row{row}); });
  });
  // The arrow keys select a row just as a click does.
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) act_([this, row] { game_.Pick(List::Languages, Row{row}); });
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    act_([this, row] {
      game_.Pick(List::Languages, Row{row});
      game_.Do(Command::ConfirmLanguage);
    });
  });
  connect(check_, &QCheckBox::toggled, this,
          [this](bool on) { act_([this, on] { game_.Tick(TickBox::SkipPicker, on); }); });
  connect(confirm_, &QPushButton::clicked, this,
          [this] { act_([this] { game_.Do(Command::ConfirmLanguage); }); });
}

void LanguageWindow::Sync() {
  const LanguageForm& form = game_.Texts().Picker();
  label_->setText(Q(form.Heading.Caption));
  QStringList items;
  for (const auto& item : form.LanguageList.Items) items << Q(item);
  QStringList shown;
  for (int i = 0; i < list_->count(); ++i) shown << list_->item(i)->text();
  if (shown != items) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    list_->addItems(items);
  }
  if (list_->currentRow() != form.LanguageList.ListIndex) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(form.LanguageList.ListIndex);
  }
  check_->setText(Q(form.SkipAtStart.Caption));
  if (check_->isChecked() != form.SkipAtStartTicked) {
    const QSignalBlocker quiet(check_);
    check_->setChecked(form.SkipAtStartTicked);
  }
  confirm_->setText(Q(form.OkButton.Caption));
  confirm_->setEnabled(form.OkButton.Enabled);
}

void LanguageWindow::showEvent(QShowEvent* event) {
  // Opened again with L the picker would keep the focus where it was left:
  // the arrows choose a language at once, as at the first start.
  QWidget::showEvent(event);
  list_->setFocus();
}

void LanguageWindow::closeEvent(QCloseEvent* event) {
  // The picker is the only window on screen while it shows: closing it ends
  // the game rather than leaving a program without a window.
  event->ignore();
  act_([this] { game_.Do(Command::Close); });
}

SplashWindow::SplashWindow(Game& game, Dispatch act) : game_(game), act_(std::move(act)) {
  setObjectName(QStringLiteral("splash"));
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setWindowTitle(Q(game_.Splash().View().Caption));
  setFixedSize(kSplashWidth, kSplashHeight);
  version_ = new QLabel(this);
  version_->setGeometry(0, kSplashHeight - 30, kSplashWidth - 16, 20);
  version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  version_->setTextFormat(Qt::PlainText);
  version_->setStyleSheet(QStringLiteral("color: #ffe600;"));
  timer_ = std::make_unique<TimerBinding>(this, game_.Splash().View().CloseTimer, [this] {
    MarkStartup("splash time up");
    act_([this] { game_.Do(Command::SplashTimeUp); });
    MarkStartup("game window made and shown");
  });
}

void SplashWindow::Sync() {
  version_->setText(Q(game_.Splash().View().VersionLabel.Caption));
  timer_->Sync();
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(0, 0,
                            SplashPicture(devicePixelRatioF(), game_.Splash().View().Tagline));
  // The splash stands its time while the game window is made ready: once it
  // is on the screen, the package is unpacked and the game window's pictures
  // and fonts are prepared.
  if (!std::exchange(painted_, true)) {
    QTimer::singleShot(0, this, [this] {
      act_([this] { game_.Do(Command::PrepareGameWindow); });
      MainWindow::PrepareAhead(devicePixelRatioF(), game_.Texts().Painted());
      MarkStartup("game window prepared");
    });
  }
}

}  // namespace pyxaro::ui
