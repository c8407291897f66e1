#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QUrl>

#include "tests/game_fixture.h"
#include "ui/front.h"
#include "ui/qt_host.h"

namespace pyxaro::testing {

// Stands in for the browser: the desktop hands it every https address.
class Browser : public QObject {
  Q_OBJECT

 public:
  QStringList opened;

 public slots:
  void Open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

namespace {

bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 5000); }

QWidget* At(QWidget* window, const Control& control) {
  return window->childAt(ui::PxRect(control).center());
}

void ClickControl(QWidget* window, const Control& control) {
  QWidget* target = At(window, control);
  ASSERT_NE(target, nullptr) << control.Left << "," << control.Top;
  QTest::mouseClick(target, Qt::LeftButton, {},
                    target->mapFrom(window, ui::PxRect(control).center()));
}

using GameWindowTest = GameTest;

// Clicks reach their routines; opened again after a change of language, the window's clocks and
// pages run on their own; closed by the desktop, it ends the program.
TEST_F(GameWindowTest, ClicksReachTheirRoutinesAndTheClocksRunInEveryWindowOpened) {
  // The picker shows, no skip stored; the greeting lights the display's end cells, and a refused
  // entry's message has three pages.
  folder.Write("Pyx4.ini",
               "[Options]\nPlaySound=No\n"
               "[Language]\nantal=3\nl1n=Test\nl1p=test.lng\nl2n=<b>Two</b>\nl2p=test.lng\n"
               "l3n=Three\nl3p=test.lng\nselected=1\n");
  folder.Write("test.lng", "[Language]\nl0=A           A\nl2=a long message, three pages\n");
  ui::Front front{*game, [this] { return host.ended; }};
  const auto chooseTheLanguage = [&] {
    ASSERT_TRUE(front.Language()->isVisible());
    QListWidget* list = front.Language()->List();
    ASSERT_EQ(list->count(), 3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    ASSERT_TRUE(front.Language()->Confirm()->isEnabled());
    // Enter on the list confirms, as a box's default button would.
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(!front.Language()->isVisible() && front.Splash() != nullptr &&
                front.Splash()->isVisible());
    ASSERT_TRUE(WaitFor([&] { return front.Main() != nullptr && front.Main()->isVisible(); }));
    ASSERT_TRUE(WaitFor([&] { return front.Splash() == nullptr; }));
  };
  const auto click = [&](const Control& control) { ClickControl(front.Main(), control); };
  front.Start();
  ASSERT_TRUE(front.Splash() == nullptr && front.Main() == nullptr);
  EXPECT_FALSE(front.Language()->Confirm()->isEnabled());
  ASSERT_NO_FATAL_FAILURE(chooseTheLanguage());

  dice.faces = {1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1};
  click(Board().ThrowArea);
  EXPECT_EQ(game->Turn().State().RollsLeft, 59);
  // The throw area looks disabled until a die is picked up.
  QWidget* throwArea = At(front.Main(), Board().ThrowArea);
  EXPECT_FALSE(throwArea->isEnabled());
  QWidget* die = At(front.Main(), Board().DieImages[3]);
  ASSERT_TRUE(die != nullptr && die->isVisible());
  click(Board().DieImages[3]);
  EXPECT_TRUE(!game->Turn().State().OnTable(3) && !die->isVisible() && throwArea->isEnabled());

  // "A" in the first and the last cell: row 3 lit across, row 0 in column 2 alone. An unlit dot
  // shows the display's dark glass, which reaches past both cells.
  ASSERT_EQ(Said(), "A           A");
  const QImage shot = front.Main()->grab().toImage();
  const auto light = [&](int x, int y) {
    return shot.pixelColor(QPoint(x, y) * shot.devicePixelRatio()).lightness();
  };
  for (const int left : {42, 42 + 34 * 12}) {  // column 0's centre; dots stand 6 pixels apart
    for (int column = 0; column < 5; ++column) EXPECT_GT(light(left + 6 * column, 560), 200);
    EXPECT_TRUE(light(left + 12, 542) > 200 && light(left + 6, 542) < 64 &&
                light(left + 12, 554) < 64)
        << left;
  }
  for (const int x : {37, 479}) EXPECT_LT(light(x, 560), 30) << x;

  host.answers = {true};
  click(game->Window().View().LanguageArea);
  ASSERT_EQ(front.Main(), nullptr);
  ASSERT_NO_FATAL_FAILURE(chooseTheLanguage());
  // That the first page gets the whole interval is the timer binding's test.
  EXPECT_TRUE(WaitFor([&] { return game->Display().View().Clock.Caption == "21:07"; }));
  click(Board().ThrowArea);
  EXPECT_TRUE(WaitFor([&] { return game->Turn().State().PlaySeconds == 1; }));
  click(Board().CategoryRows[kYatzy]);
  ASSERT_EQ(Said(), "a long message, three pages");
  const auto firstPage = game->Display().View().LitDots;
  EXPECT_TRUE(WaitFor([&] { return game->Display().View().LitDots != firstPage; }));
  // What the end cleans up is the resources test's.
  front.Main()->close();
  EXPECT_TRUE(host.ended);
}

// The game window straight after the splash, played from the keys and read by a screen reader.
class ControlsTest : public GameTest {
 protected:
  void SetUp() override {
    front.Start();
    front.Act([this] { game->Do(Command::SplashTimeUp); });
    ASSERT_TRUE(front.Main() != nullptr && front.Main()->isVisible());
    front.Main()->activateWindow();
    (void)QTest::qWaitForWindowActive(front.Main());
    host.answers.clear();
  }

  void Press(QKeyCombination key) {
    QWidget* focus = front.Main()->focusWidget();
    QTest::keyClick(focus != nullptr ? focus : front.Main(), key.key(), key.keyboardModifiers());
  }
  void ThrowByKey(const std::vector<int>& faces) {
    dice.faces.assign(faces.begin(), faces.end());
    Press(Qt::Key_Space);
  }
  QAccessibleInterface* Reader(const Control& control) const {
    QWidget* shown = At(front.Main(), control);
    return shown != nullptr ? QAccessible::queryAccessibleInterface(shown) : nullptr;
  }
  bool MarkRow(int k) {
    for (int presses = 0; presses < 2 * kCategoryCount && MarkedRow() != k; ++presses)
      Press(QKeyCombination(MarkedRow() > k ? Qt::Key_Up : Qt::Key_Down));
    return MarkedRow() == k;
  }
  int MarkedRow() const {
    for (int k = 1; k <= kCategoryCount; ++k)
      if (front.Main()->focusWidget() == At(front.Main(), Board().CategoryRows[k])) return k;
    return 0;
  }

  ui::Front front{*game, [this] { return host.ended; }};
};

QString Name(QAccessibleInterface* face) { return face->text(QAccessible::Name); }

// That a key does nothing where a click could not is the routines' own refusal, which the rules'
// tests decide.
TEST_F(ControlsTest, EachKeyReachesItsRoutine) {
  const GameState& s = game->Turn().State();
  // Two throws and four questions, all answered No or Cancel, in the order asked.
  dice.faces = {1, 2, 5, 4, 5, 6, 2};
  host.answers = {false, false, false};
  host.choices = {std::nullopt};
  host.inputs = {std::string("Eve"), std::string("x")};
  const auto asked = [this](int text) { return host.boxes.back().text == TestText(text); };
  const std::tuple<const char*, QKeyCombination, std::function<bool()>> steps[] = {
      {"Space throws", Qt::Key_Space, [&] { return s.RollsLeft == 59 && s.OnTable(3); }},
      {"3 picks up die 3", Qt::Key_3, [&] { return !s.OnTable(3); }},
      {"Ctrl+Z lays it back", Qt::CTRL | Qt::Key_Z, [&] { return s.OnTable(3); }},
      {"the keypad's 3", Qt::KeypadModifier | Qt::Key_3, [&] { return !s.OnTable(3); }},
      {"Ctrl+R throws", Qt::CTRL | Qt::Key_R, [&] { return s.RollsLeft == 58 && s.Dice[3] == 2; }},
      {"M switches the sound", Qt::Key_M, [&] { return game->Sound().SwitchedOff(); }},
      {"Ctrl+N", Qt::CTRL | Qt::Key_N, [&] { return asked(6); }},
      {"D", Qt::Key_D,
       [&] { return host.boxes.back().text == game->Texts().Text(text::kAskDayGame); }},
      {"L", Qt::Key_L, [&] { return asked(10); }},
      {"Ctrl+Q", Qt::CTRL | Qt::Key_Q, [&] { return asked(11); }},
      {"P opens the profiles", Qt::Key_P, [&] { return game->Profiles().Window().Visible; }},
      {"F1 opens the rules", Qt::Key_F1, [&] { return game->Manual().Window().Visible; }},
  };
  for (const auto& [what, key, done] : steps) {
    SCOPED_TRACE(what);
    Press(key);
    EXPECT_TRUE(done());
  }
  EXPECT_TRUE(dice.faces.empty() && host.answers.empty() && host.choices.empty() &&
              host.inputs.empty());
}

// A game resumed at the start, its last throw four twos, a one and a three.
class ResumedControlsTest : public ControlsTest {
 protected:
  void SetUp() override {
    folder.Write("Pyx4.ini", folder.Read("Pyx4.ini") + "[Game]\nmoves=T222213r59\n");
    ControlsTest::SetUp();
  }
};

// The mark stands on the hint of the throw resumed, and of each throw after.
TEST_F(ResumedControlsTest, TheMarkStartsAtTheHintMovesOverOpenRowsAndEntersOnEnter) {
  const auto markOnHint = [this] {
    return game->Turn().Hinted() > 0 && MarkedRow() == game->Turn().Hinted();
  };
  EXPECT_TRUE(markOnHint());
  // Twos first, so the mark has an entered row to step over.
  ASSERT_TRUE(MarkRow(2));
  Press(Qt::Key_Return);
  ASSERT_FALSE(Board().CategoryRows[2].Enabled);
  ThrowByKey({1, 1, 1, 1, 3, 3});
  EXPECT_TRUE(markOnHint());
  ASSERT_TRUE(MarkRow(1));
  for (const auto& [key, row] : {std::pair{Qt::Key_Down, 3}, {Qt::Key_Up, 1}, {Qt::Key_Up, 1}}) {
    Press(key);
    EXPECT_EQ(MarkedRow(), row);
  }
  // The row the mark moved to is told on the display, as its tool tip tells it.
  EXPECT_EQ(Said(), "Ones: these dice would score 4");
  Press(Qt::Key_Enter);
  EXPECT_EQ(game->Turn().State().Score[1], 4);
}

TEST_F(ControlsTest, EachControlTellsAScreenReaderWhatItShowsInPlainText) {
  ThrowByKey({1, 2, 5, 4, 5, 6});
  const std::tuple<const Control*, QString, QAccessible::Role> controls[] = {
      {&Board().DieImages[3], "Die 3: five", QAccessible::Button},
      // A row says what these dice would score there, or that they score nothing.
      {&Board().CategoryRows[1], "Ones: these dice would score 1", QAccessible::Button},
      {&Board().CategoryRows[20], "Yatzy: these dice score nothing here", QAccessible::Button},
      // Chance takes its name from the language file.
      {&Board().CategoryRows[19],
       QString::fromStdString(TestText(22)) + ": these dice would score 23", QAccessible::Button},
      {&Board().RollsLeftLabel, QString::fromStdString(TestText(20)) + ": 59",
       QAccessible::StaticText},
  };
  for (const auto& [control, name, role] : controls) {
    QAccessibleInterface* reader = Reader(*control);
    ASSERT_NE(reader, nullptr) << name.toStdString();
    EXPECT_EQ(std::pair(Name(reader), reader->role()), std::pair(name, role));
  }
  // The hint is part of the proposed row's description, and only of it.
  const auto hint = [this](int k) {
    return Reader(Board().CategoryRows[k])->text(QAccessible::Description);
  };
  const int hinted = game->Turn().Hinted();
  EXPECT_TRUE(hinted > 0 && !hint(hinted).isEmpty() && hint(hinted == 1 ? 2 : 1).isEmpty());
  front.Act([this] { game->Enter(CategoryNumber{1}); });
  // An entered row says its score, on hover and to the screen reader alike.
  EXPECT_EQ(Name(Reader(Board().CategoryRows[1])), "Ones: 1 entered");
  EXPECT_EQ(Board().CategoryRows[1].ToolTip, "Ones: 1 entered");

  // In every window the game opens, a screen reader hears plain text, a label shows its text as
  // written and a tool tip shows its text literally: no markup is read aloud or obeyed.
  host.inputs = {std::string("<b>Eve</b>"), std::string("x")};
  Press(Qt::Key_P);
  front.Act([this] { game->Do(Command::OpenStatistics); });
  int widgets = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    QList<QWidget*> shown = window->findChildren<QWidget*>();
    shown << window;
    for (QWidget* widget : shown) {
      ++widgets;
      const std::string where = widget->metaObject()->className();
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(widget);
      for (const QAccessible::Text kind : {QAccessible::Name, QAccessible::Description}) {
        const QString read = reader != nullptr ? reader->text(kind) : QString();
        EXPECT_FALSE(read.contains('<')) << where << " " << read.toStdString();
      }
      const auto* label = qobject_cast<QLabel*>(widget);
      EXPECT_TRUE(label == nullptr || label->text().isEmpty() ||
                  label->textFormat() == Qt::PlainText)
          << where << " " << label->text().toStdString();
      QTextDocument tip;
      tip.setHtml(widget->toolTip());
      EXPECT_TRUE(widget->toolTip().isEmpty() ||
                  ui::PlainToolTip(tip.toPlainText().toStdString()) == widget->toolTip())
          << where << widget->toolTip().toStdString();
    }
  }
  EXPECT_GT(widgets, 80);
}

// A game without a costly choice says so in its one line from the first form on.
TEST(ReviewWindowRows, AFlawlessGameSaysSoAndAGameWithRowsListsThem) {
  ui::ReviewWindow window(
      nullptr, [](int) {}, [] {});
  ReviewForm form;
  form.NoRows = "Every choice was the best";
  for (const char* shown : {"Every choice was the best", "Throw 3"}) {
    window.Sync(form);
    ASSERT_EQ(window.Rows()->count(), 1);
    EXPECT_EQ(window.Rows()->item(0)->text(), shown);
    form.Rows.push_back(ReviewRow{});
    form.Rows.back().Text = "Throw 3";
  }
}

// S opens the figures as text and Reset clears only them after asking; the window's button, or R,
// reviews the last finished game the settings keep: its rows read as they show, the arrows open
// each in turn, and Escape closes each window.
TEST_F(ControlsTest, SOpensTheFiguresAndRReviewsTheLastGame) {
  Statistics kept;
  FinishedGame played;
  for (const int total : {310, 290, 318}) {
    played.Total = total;
    kept = AddGame(kept, played);
  }
  ASSERT_NE(Store(StatisticsChanges(kept)), 0);
  ASSERT_NE(
      Store({{"Highscore", "p1", "318"}, {"Coach", "last", RecordText(OneThrowPerCategory())}}), 0);

  Press(Qt::Key_S);
  ASSERT_TRUE(front.Statistics() != nullptr && front.Statistics()->isVisible());
  // It fits the smallest screen the game supports, a title bar above it, over its owner.
  const QRect place = front.Statistics()->geometry();
  EXPECT_TRUE(place.width() <= 800 && place.height() <= 570 &&
              front.Main()->screen()->availableGeometry().contains(place) &&
              front.Main()->geometry().contains(place.center()) &&
              front.Statistics()->parentWidget() == front.Main());
  const auto read = [](QWidget* w) { return Name(QAccessible::queryAccessibleInterface(w)); };
  const auto& figures = front.Statistics()->FigureRows();
  // Each row is read as its name and figure; the figures are the statistics test's.
  EXPECT_EQ(QStringList({read(figures[0]), read(figures[1]), read(front.Statistics()->Totals())}),
            QStringList({"Games: 3", "Average: 306", "Totals: most games between 300 and 325"}));
  for (const bool yes : {false, true}) {
    host.answers = {yes};
    front.Statistics()->Reset()->click();
    EXPECT_EQ(std::pair(host.boxes.back().yesIsDefault, read(figures[0])),
              std::pair(false, QString(yes ? "Games: 0" : "Games: 3")));
  }
  EXPECT_EQ(Ini("Highscore", "p1"), "318");
  front.Statistics()->Review()->click();
  ASSERT_TRUE(game->Coach().Window().Visible && front.Review() != nullptr);
  QTest::keyClick(front.Review(), Qt::Key_Escape);
  EXPECT_FALSE(game->Coach().Window().Visible);
  QTest::keyClick(front.Statistics(), Qt::Key_Escape);
  EXPECT_FALSE(game->Statistics().View().Visible);

  Press(Qt::Key_R);
  ASSERT_TRUE(front.Review() != nullptr && front.Review()->isVisible());
  QListWidget* rows = front.Review()->Rows();
  ASSERT_GT(rows->count(), 1);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(rows);
  EXPECT_EQ(Name(list->child(0)), rows->item(0)->text());
  for (const int row : {0, 1}) {
    QTest::keyClick(rows, Qt::Key_Down);
    EXPECT_EQ(game->Coach().Window().Opened, row);
  }
}

// On the real desktop services, so that what reaches the browser is what the desktop was handed.
class SubmissionWindowTest : public GameTest {
 protected:
  SubmissionWindowTest() {
    folder.Write("Pyx4.ini",
                 "[Options]\nPlaySound=No\nShowLangu=No\nShowUser=No\n"
                 "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n"
                 "[Users]\nantal=1\nselected=1\nuser1=Åsa & Bo\npass1=p=w\n"
                 "[Internet]\nsend=https://scores.example/send\n"
                 "[Highscore]\np1=250\nn1=Eve (1:00)\nk1=37177384513\nd1=2611\n");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
    desktop.SetBeforeBox([this] { front.Sync(); });
  }
  ~SubmissionWindowTest() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

  Browser browser;
  ui::QtHost desktop;
  Game qtGame{desktop, chance, dice, folder.Path().string()};
  ui::Front front{qtGame, [this] { return desktop.Ending(); }};
};

TEST_F(SubmissionWindowTest, ARowClickedAndAnsweredYesReachesTheBrowserEncodedAndAProfileGoes) {
  front.Start();
  ASSERT_TRUE(WaitFor([&] { return front.Main() != nullptr && front.Main()->isVisible(); }));
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr && box->button(QMessageBox::Yes) != nullptr)
      box->button(QMessageBox::Yes)->click();
  });
  answer.start(20);

  ClickControl(front.Main(), qtGame.TopTen().View().Rows[1]);
  ASSERT_TRUE(WaitFor([&] { return !browser.opened.isEmpty(); }));
  EXPECT_EQ(browser.opened,
            QStringList{"https://scores.example/send?user=%C3%85sa%20%26%20Bo&pass=p%3Dw&ver=504"
                        "&date=2611&points=250&key=37177384513"});

  // Remove takes the row the arrow keys highlighted.
  Store({{"Users", "antal", "2"}, {"Users", "user2", "Cy"}});
  ClickControl(front.Main(), qtGame.Profiles().View().PlayerLabel);
  ASSERT_TRUE(front.Profiles() != nullptr);
  QListWidget* list = front.Profiles()->List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QTest::keyClick(list, Qt::Key_Up);
  ASSERT_EQ(list->currentRow(), 0);
  QTest::mouseClick(front.Profiles()->Remove(), Qt::LeftButton);
  EXPECT_EQ(Ini("Users", "antal") + " " + Ini("Users", "user1"), "1 Cy");
  // Enter on the list confirms the window, as its default button OK would.
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(front.Profiles() == nullptr || !front.Profiles()->isVisible());
}

}  // namespace
}  // namespace pyxaro::testing

#include "game_window_test.moc"
