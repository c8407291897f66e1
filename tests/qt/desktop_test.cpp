#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "tests/game_fixture.h"
#include "ui/qt_host.h"
#include "ui/timer_binding.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

TEST(DesktopBoxesTest, SpeakTheGamesLanguageAndAnswerEnterAndEscape) {
  ui::QtHost host;
  // The answer and the buttons, sorted, of a question closed by the key.
  const auto ask = [&host](const std::string& locale, bool yesIsDefault, Qt::Key key) {
    QStringList buttons;
    QTimer::singleShot(0, [&buttons, key] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QAbstractButton* button : box->buttons()) buttons.append(button->text().remove('&'));
      buttons.sort();
      QTest::keyClick(box, key);
    });
    host.UseLocale(locale);
    return std::pair{host.Ask("?", "", yesIsDefault), buttons};
  };
  EXPECT_EQ(ask("sv", true, Qt::Key_Return), std::pair(true, QStringList{"Ja", "Nej"}));
  EXPECT_FALSE(ask("sv", true, Qt::Key_Escape).first);
  // Every language the game comes with has the boxes' buttons in its words.
  for (const auto& file : fs::directory_iterator(ShippedData())) {
    if (file.path().extension() != ".lng") continue;
    const std::string locale = GetINI("Language", "locale", file.path().string());
    SCOPED_TRACE(file.path().string() + " " + locale);
    const auto [answer, buttons] = ask(locale, false, Qt::Key_Return);
    EXPECT_EQ(std::pair(answer, buttons == QStringList({"No", "Yes"})),
              std::pair(false, locale == "en"));
  }
}

TEST(QtHostWindowTest, PlacesInTwipsFromTheWorkAreaAndRestoresWithoutShowing) {
  ui::QtHost host;
  QWidget window;
  host.SetGameWindow([&window] { return &window; });
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(std::pair(host.ScreenWorkArea().Width, host.ScreenWorkArea().Height),
            std::pair(work.width() * 15, work.height() * 15));

  // Twips to pixels round to the nearest, also to the left of the area.
  for (const auto& [place, pixels] : {std::pair{WindowPlace{1680, 600}, QPoint(112, 40)},
                                      {WindowPlace{-1695, 8}, QPoint(-113, 1)},
                                      {WindowPlace{0, 0}, QPoint(0, 0)}}) {
    host.MoveGameWindow(place);
    EXPECT_EQ(window.pos(), work.topLeft() + pixels);
  }
  host.MoveGameWindow({270, 450});
  EXPECT_EQ(host.GameWindowPlace(), (WindowPlace{270, 450}));

  // A window being prepared leaves a minimised state but stays hidden until the game shows it.
  window.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
  host.RestoreGameWindow();
  EXPECT_TRUE(window.windowState() == Qt::WindowNoState && !window.isVisible());

  window.show();
  host.MinimiseGameWindow();
  EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
  host.RestoreGameWindow();
  EXPECT_TRUE(window.windowState() == Qt::WindowNoState && window.isVisible());
}

// A row too wide for its label ends in an ellipsis.
TEST(PlainTextTest, LabelsAndToolTipsShowMarkupLiterallyAndCutWhatIsTooWide) {
  QWidget window;
  ui::Label label(
      &window, [] {}, 12, Qt::AlignLeft);
  Control control;
  control.Width = 6000;
  control.Height = 300;
  for (const std::string text : {"<h1>Bo</h1>", "<img src=\"x.png\">", "a<br>b", "&amp; <b>x"}) {
    control.Caption = text;
    control.ToolTip = " " + text + " ";
    label.Apply(control);
    EXPECT_EQ(std::pair(label.textFormat(), label.text().toStdString()),
              std::pair(Qt::PlainText, text));
    // A tool tip that looks like rich text is read so: it must show the text itself, blanks too.
    QTextDocument shown;
    shown.setHtml(label.toolTip());
    EXPECT_EQ(shown.toPlainText().toStdString(), " " + text + " ");
  }
  control.Width = 1200;
  control.Caption = "1. 1234 Åsa Öberg-Lindqvist (12:34)";
  control.Bold = true;
  label.Apply(control);
  EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
  EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.width());
}

// Time is not waited out: the test starts the QTimer short, as if most of its interval had passed.
TEST(TimerBindingTest, FollowsTheGamesTimerAndASwitchOnAfreshGetsTheWholeInterval) {
  QObject owner;
  Timer data(2000);
  int ticks = 0, fired = 0;
  ui::TimerBinding binding(&owner, data, [&] { ++ticks; });
  auto* timer = owner.findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  QObject::connect(timer, &QTimer::timeout, [&] { ++fired; });
  binding.Sync();
  EXPECT_FALSE(timer->isActive());

  data.SetEnabled(true);
  binding.Sync();
  EXPECT_TRUE(timer->isActive());
  timer->start(1);
  binding.Sync();  // nothing new: it runs on
  EXPECT_EQ(timer->interval(), 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }));

  data.SetEnabled(false);
  data.SetEnabled(true);
  binding.Sync();
  EXPECT_EQ(timer->interval(), 2000);
  EXPECT_GT(timer->remainingTime(), 1000);

  // A tick after the game switched its timer off reaches no routine.
  data.SetEnabled(false);
  timer->start(1);
  const int ticked = ticks;
  ASSERT_TRUE(QTest::qWaitFor([&, before = fired] { return fired > before; }));
  EXPECT_EQ(ticks, ticked);
  binding.Sync();
  EXPECT_FALSE(timer->isActive());
}

// Started from another folder, the built program reads its settings beside its executable, lists
// there the sounds it unpacked, and leaves the working folder alone.
TEST(Program, KeepsItsSettingsBesideItsExecutable) {
  TempFolder program, work;
  const fs::path executable = program.Path() / "pyxaro";
  fs::copy_file(PYXARO_EXECUTABLE, executable);
  fs::copy_file(fs::path(PYXARO_EXECUTABLE).parent_path() / "Res.pac", program.Path() / "Res.pac");
  // Skipping the picker shows that the file was read: the picker would wait.
  program.Write("Pyx4.ini",
                "[Options]\nShowLangu=No\nPlaySound=No\n"
                "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n");

  QProcess run;  // on the platform of the tests, which needs no display
  run.setWorkingDirectory(QString::fromStdString(work.Path().string()));
  run.setStandardErrorFile(QProcess::nullDevice());
  run.start(QString::fromStdString(executable.string()), {});
  ASSERT_TRUE(run.waitForStarted());
  const bool opened = QTest::qWaitFor(
      [&] { return program.Read("Pyx4.ini").find("[Resources]") != std::string::npos; }, 15000);
  run.kill();
  run.waitForFinished();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(fs::is_empty(work.Path()));
}

}  // namespace
}  // namespace pyxaro::testing
