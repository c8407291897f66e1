#include "ui/qt_host.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "ui/dialog_style.h"
#include "ui/plain_text.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

QString TitleOrName(const std::string& title) {
  return title.empty() ? QStringLiteral("Pyxaro") : Q(title);
}

bool IsReadableFile(const std::string& path) {
  const QFileInfo info(Q(path));
  return info.isFile() && info.isReadable();
}

// Runs a job once, after the window's first paint, so that the window is
// on the screen before the job's time is spent.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget* window, std::function<void()> job)
      : QObject(window), job_(std::move(job)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && job_) {
      QTimer::singleShot(0, parent(), std::exchange(job_, {}));
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> job_;
};

// Every box wears the game's own colours, as its windows do.
void GameStyled(QDialog& box) {
  box.setObjectName(QStringLiteral("box"));
  box.setStyleSheet(QString::fromLatin1(kDialogStyle));
}

}  // namespace

QtHost::QtHost() : sound_(QCoreApplication::applicationDirPath()) {}
QtHost::~QtHost() = default;

void QtHost::BeforeBox() {
  if (beforeBox_) beforeBox_();
}

bool QtHost::Ask(const std::string& question, const std::string& title, bool yesIsDefault) {
  BeforeBox();
  QMessageBox box(QMessageBox::Question, TitleOrName(title), BoxText(question),
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  GameStyled(box);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<int> QtHost::Choose(const std::string& question, const std::string& title,
                                  const std::vector<std::string>& choices,
                                  const std::string& cancel) {
  BeforeBox();
  QMessageBox box(QMessageBox::Question, TitleOrName(title), BoxText(question),
                  QMessageBox::NoButton, QApplication::activeWindow());
  GameStyled(box);
  box.setTextFormat(Qt::PlainText);
  std::vector<QAbstractButton*> buttons;
  for (const std::string& choice : choices) {
    buttons.push_back(box.addButton(Q(choice), QMessageBox::AcceptRole));
  }
  box.setEscapeButton(box.addButton(Q(cancel), QMessageBox::RejectRole));
  if (!buttons.empty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
  box.exec();
  const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  if (chosen == buttons.end()) return std::nullopt;
  return static_cast<int>(chosen - buttons.begin());
}

void QtHost::Tell(const std::string& text, const std::string& title, bool exclamation) {
  BeforeBox();
  QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, TitleOrName(title),
                  BoxText(text), QMessageBox::Ok, QApplication::activeWindow());
  GameStyled(box);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::optional<std::string> QtHost::Prompt(const std::string& prompt, const std::string& title,
                                          const std::string& defaultText) {
  return Input(prompt, title, defaultText, false);
}

std::optional<std::string> QtHost::PromptMasked(const std::string& prompt,
                                                const std::string& title) {
  return Input(prompt, title, "", true);
}

std::optional<std::string> QtHost::Input(const std::string& prompt, const std::string& title,
                                         const std::string& defaultText, bool masked) {
  BeforeBox();
  QInputDialog box(QApplication::activeWindow());
  GameStyled(box);
  box.setWindowTitle(TitleOrName(title));
  box.setLabelText(BoxText(prompt));
  box.setTextValue(Q(defaultText));
  if (masked) {
    // Every character a star, as the profiles window shows a password.
    box.setTextEchoMode(QLineEdit::Password);
  }
  ShowPlain(box);
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return box.textValue().toStdString();
}

void QtHost::PrepareWaves(const std::vector<std::string>& paths) {
  // Loading the sound libraries, asking for a device and reading the waves
  // wait until the game window is on the screen; a sound played before then
  // loads what it needs itself.
  auto prepare = [this, paths] {
    if (SoundOutput* output = sound_.Output()) output->Prepare(paths);
  };
  if (QWidget* window = GameWindow()) {
    new AfterFirstPaint(window, std::move(prepare));
  } else {
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(prepare));
  }
}

void QtHost::PlayWave(const std::string& path, bool waitForEnd) {
  if (SoundOutput* output = sound_.Output()) output->Play(path, waitForEnd);
}

void QtHost::OpenAddress(const std::string& address) {
  QDesktopServices::openUrl(QUrl(Q(address), QUrl::TolerantMode));
}

LocalTime QtHost::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  LocalTime local;
  local.Year = date.year();
  local.Month = date.month();
  local.Day = date.day();
  local.Hour = time.hour();
  local.Minute = time.minute();
  local.SecondsSinceMidnight = time.msecsSinceStartOfDay() / 1000.0;
  // The month in the game's language, as every other text.
  local.MonthName = GameLocale().monthName(date.month(), QLocale::LongFormat).toStdString();
  return local;
}

void QtHost::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

bool QtHost::IsPicture(const std::string& path) {
  QImageReader reader(Q(path));
  return IsReadableFile(path) && reader.canRead();
}

void QtHost::EndProgram() {
  ending_ = true;
  QCoreApplication::exit(0);
}

}  // namespace pyxaro::ui
