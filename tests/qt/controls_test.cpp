#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/text.h"
#include "highscores/statistics.h"
#include "settings/ini.h"
#include "tests/game_fixture.h"
#include "ui/front.h"
#include "ui/qt_host.h"
#include "ui/widgets.h"

namespace pyxaro::testing {
namespace {

// The game window, opened straight after the splash, played from the keys and read by a screen
// reader.
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
  // The widget a click on the control would reach.
  QWidget* At(const Control& control) const {
    return front.Main()->childAt(ui::PxRect(control).center());
  }
  QAccessibleInterface* Reader(const Control& control) const {
    return At(control) != nullptr ? QAccessible::queryAccessibleInterface(At(control)) : nullptr;
  }
  // Moves the mark by Up and Down until it rests on row k.
  bool MarkRow(int k) {
    for (int presses = 0; presses < 2 * kCategoryCount && MarkedRow() != k; ++presses) {
      Press(QKeyCombination(MarkedRow() > k ? Qt::Key_Up : Qt::Key_Down));
    }
    return MarkedRow() == k;
  }
  int MarkedRow() const {
    for (int k = 1; k <= kCategoryCount; ++k) {
      if (front.Main()->focusWidget() == At(game->Turn().View().CategoryRows[k])) return k;
    }
    return 0;
  }

  ui::Front front{*game, [this] { return host.ended; }};
};

QString Name(QAccessibleInterface* face) { return face->text(QAccessible::Name); }

TEST_F(ControlsTest, EachKeyReachesItsRoutineOnlyWhenAClickWould) {
  const GameState& s = game->Turn().State();
  struct Step {
    const char* what;
    QKeyCombination key;
    std::function<bool()> done;
  };
  // Two throws and three questions, all answered No, in the order asked.
  dice.faces = {1, 2, 5, 4, 5, 6, 2};
  host.answers = {false, false, false};
  host.inputs = {std::string("Eve"), std::string("x")};
  const Step steps[] = {
      {"no die to pick up yet", Qt::Key_1, [&] { return !s.OnTable(1); }},
      {"nothing to undo", Qt::CTRL | Qt::Key_Z, [&] { return s.RollsLeft == 60; }},
      {"Space throws", Qt::Key_Space, [&] { return s.RollsLeft == 59 && s.OnTable(3); }},
      {"every die lies: no throw", Qt::Key_Space, [&] { return s.RollsLeft == 59; }},
      {"3 picks up die 3", Qt::Key_3, [&] { return !s.OnTable(3); }},
      {"Ctrl+Z lays it back", Qt::CTRL | Qt::Key_Z, [&] { return s.OnTable(3); }},
      {"the keypad's 3", Qt::KeypadModifier | Qt::Key_3, [&] { return !s.OnTable(3); }},
      {"Ctrl+R throws", Qt::CTRL | Qt::Key_R, [&] { return s.RollsLeft == 58 && s.Dice[3] == 2; }},
      {"M switches the sound off", Qt::Key_M, [&] { return game->Sound().SwitchedOff(); }},
      {"Ctrl+N asks first", Qt::CTRL | Qt::Key_N,
       [&] { return host.boxes.back().text == TestText(6) && s.RollsLeft == 58; }},
      {"L asks first", Qt::Key_L,
       [&] { return host.boxes.back().text == TestText(10) && game->Window().View().Loaded; }},
      {"Ctrl+Q asks first", Qt::CTRL | Qt::Key_Q,
       [&] { return host.boxes.back().text == TestText(11) && !host.ended; }},
      {"P opens the profiles, asking for the first one", Qt::Key_P,
       [&] {
         return game->Profiles().Window().Visible &&
                game->Settings().Setting("Users", "user1") == "Eve";
       }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    Press(step.key);
    EXPECT_TRUE(step.done());
  }
  EXPECT_TRUE(dice.faces.empty() && host.answers.empty());
}

TEST_F(ControlsTest, TheMarkStartsAtTheHintMovesOverOpenRowsAndEntersOnEnter) {
  ThrowByKey({2, 2, 2, 2, 1, 3});
  ASSERT_GT(game->Turn().Hinted(), 0);
  EXPECT_EQ(MarkedRow(), game->Turn().Hinted());
  // Twos first, so the mark has an entered row to step over.
  ASSERT_TRUE(MarkRow(2));
  Press(Qt::Key_Return);
  ASSERT_FALSE(game->Turn().View().CategoryRows[2].Enabled);

  ThrowByKey({1, 1, 1, 1, 3, 3});
  ASSERT_TRUE(MarkRow(1));
  for (const auto& [key, row] : {std::pair{Qt::Key_Down, 3}, {Qt::Key_Up, 1}, {Qt::Key_Up, 1}}) {
    Press(key);
    EXPECT_EQ(MarkedRow(), row);
  }
  // Sixes are worth nothing: refused as a click would be.
  ASSERT_TRUE(MarkRow(6));
  Press(Qt::Key_Return);
  EXPECT_TRUE(game->Turn().View().CategoryRows[6].Enabled);
  EXPECT_EQ(Said(), TestText(2));

  ASSERT_TRUE(MarkRow(1));
  Press(Qt::Key_Enter);
  EXPECT_EQ(game->Turn().State().Score[1], 4);
}

TEST_F(ControlsTest, EachControlTellsAScreenReaderWhatItShows) {
  ThrowByKey({1, 2, 5, 4, 5, 6});
  const std::tuple<const Control*, QString, QAccessible::Role> controls[] = {
      {&game->Turn().View().DieImages[3], "Die 3: five", QAccessible::Button},
      {&game->Turn().View().CategoryRows[1], "Ones: open", QAccessible::Button},
      // Chance takes its name from the language file.
      {&game->Turn().View().CategoryRows[19], QString::fromStdString(TestText(22)) + ": open",
       QAccessible::Button},
      {&game->Turn().View().RollsLeftLabel, QString::fromStdString(TestText(20)) + ": 59",
       QAccessible::StaticText},
  };
  for (const auto& [control, name, role] : controls) {
    QAccessibleInterface* reader = Reader(*control);
    ASSERT_NE(reader, nullptr) << name.toStdString();
    EXPECT_EQ(std::pair(Name(reader), reader->role()), std::pair(name, role));
  }
  // The hint is part of the proposed row's description, and only of it.
  const auto hint = [this](int k) {
    return Reader(game->Turn().View().CategoryRows[k])->text(QAccessible::Description);
  };
  const int hinted = game->Turn().Hinted();
  EXPECT_TRUE(hinted > 0 && !hint(hinted).isEmpty() && hint(hinted == 1 ? 2 : 1).isEmpty());
  front.Act([this] { game->Do(Command::Enter, 1); });
  EXPECT_EQ(Name(Reader(game->Turn().View().CategoryRows[1])), "Ones: 1");
}

TEST_F(ControlsTest, SOpensTheFiguresAsTextAndResetClearsOnlyThemAfterAsking) {
  Statistics kept;
  for (const int total : {310, 290, 318}) kept = AddGame(kept, EndedGame(total));
  ASSERT_NE(SetINIBatch(StatisticsChanges(kept), folder.File("Pyx4.ini")), 0);
  ASSERT_NE(SetINI("Highscore", "p1", "318", folder.File("Pyx4.ini")), 0);

  Press(Qt::Key_S);
  ASSERT_TRUE(front.Statistics() != nullptr && front.Statistics()->isVisible());
  const auto figures = [this] {
    QStringList figures;
    for (QWidget* row : front.Statistics()->FigureRows())
      figures << Name(QAccessible::queryAccessibleInterface(row));
    return figures;
  };
  // Each row is read as its name and figure; the figures are the statistics test's.
  EXPECT_EQ(figures().mid(0, 2), (QStringList{"Games: 3", "Average: 306"}));
  EXPECT_EQ(Name(QAccessible::queryAccessibleInterface(front.Statistics()->Totals())),
            "Totals: most games between 300 and 325");
  for (const bool yes : {false, true}) {
    host.answers = {yes};
    front.Statistics()->Reset()->click();
    EXPECT_FALSE(host.boxes.back().yesIsDefault);
    EXPECT_EQ(figures().front(), yes ? "Games: 0" : "Games: 3");
  }
  EXPECT_EQ(Ini("Highscore", "p1"), "318");
  QTest::keyClick(front.Statistics(), Qt::Key_Escape);
  EXPECT_FALSE(game->Statistics().View().Visible);
}

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
    const bool answer = host.Ask("?", "", yesIsDefault);
    return std::pair{answer, buttons};
  };
  EXPECT_EQ(ask("sv", true, Qt::Key_Return), std::pair(true, QStringList{"Ja", "Nej"}));
  EXPECT_FALSE(ask("sv", true, Qt::Key_Escape).first);
  // Every language the game comes with has the boxes' buttons in its words.
  const std::string list = (ShippedData() / "Pyx4.ini").string();
  for (int i = 1; i <= LeadingNumber(GetINI("Language", "antal", list)); ++i) {
    const std::string file =
        (ShippedData() / GetINI("Language", "l" + std::to_string(i) + "p", list)).string();
    const std::string locale = GetINI("Language", "locale", file);
    SCOPED_TRACE(file + " " + locale);
    const auto [answer, buttons] = ask(locale, false, Qt::Key_Return);
    EXPECT_FALSE(answer);
    EXPECT_EQ(buttons == QStringList({"No", "Yes"}), locale == "en");
  }
}

}  // namespace
}  // namespace pyxaro::testing
