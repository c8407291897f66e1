#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "core/text.h"
#include "highscores/statistics.h"
#include "scoring/entry.h"
#include "settings/ini.h"
#include "tests/game_fixture.h"
#include "ui/front.h"
#include "ui/qt_host.h"
#include "ui/qt_string.h"
#include "ui/widgets.h"

namespace pyxaro::testing {
namespace {

// The game window, opened straight after the splash, played from the keys
// and read by a screen reader.
class ControlsTest : public GameTest {
 protected:
  void SetUp() override {
    front.Start();
    front.Act([this] { game->SplashTimeUp(); });
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
      if (front.Main()->focusWidget() == At(game->main.CategoryRows[k])) return k;
    }
    return 0;
  }

  ui::Front front{*game, [this] { return host.ended; }};
};

QString Name(QAccessibleInterface* face) { return face->text(QAccessible::Name); }

TEST_F(ControlsTest, EachKeyReachesItsRoutineOnlyWhenAClickWould) {
  const GameState& s = game->state;
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
      {"M switches the sound off", Qt::Key_M, [&] { return game->run.PlaySound == "No"; }},
      {"Ctrl+N asks first", Qt::CTRL | Qt::Key_N,
       [&] { return host.boxes.back().text == TestText(6) && s.RollsLeft == 58; }},
      {"L asks first", Qt::Key_L,
       [&] { return host.boxes.back().text == TestText(10) && game->main.Loaded; }},
      {"Ctrl+Q asks first", Qt::CTRL | Qt::Key_Q,
       [&] { return host.boxes.back().text == TestText(11) && !host.ended; }},
      {"P opens the profiles, asking for the first one", Qt::Key_P,
       [&] { return game->profiles.Visible && game->Setting("Users", "user1") == "Eve"; }},
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
  ASSERT_GT(HintedCategory(game->state), 0);
  EXPECT_EQ(MarkedRow(), HintedCategory(game->state));
  // Twos first, so the mark has an entered row to step over.
  ASSERT_TRUE(MarkRow(2));
  Press(Qt::Key_Return);
  ASSERT_FALSE(game->main.CategoryRows[2].Enabled);

  ThrowByKey({1, 1, 1, 1, 3, 3});
  ASSERT_TRUE(MarkRow(1));
  for (const auto& [key, row] : {std::pair{Qt::Key_Down, 3}, {Qt::Key_Up, 1}, {Qt::Key_Up, 1}}) {
    Press(key);
    EXPECT_EQ(MarkedRow(), row);
  }
  // Sixes are worth nothing: refused as a click would be.
  ASSERT_TRUE(MarkRow(6));
  Press(Qt::Key_Return);
  EXPECT_TRUE(game->main.CategoryRows[6].Enabled);
  EXPECT_EQ(game->run.Said, TestText(2));

  ASSERT_TRUE(MarkRow(1));
  Press(Qt::Key_Enter);
  EXPECT_EQ(game->state.Score[1], 4);
}

TEST_F(ControlsTest, TabReachesTheTopTenRowsWhereEnterOffersTheRow) {
  game->Store("Highscore", "p1", "606");
  game->Store("Highscore", "n1", "Eve (9:58)");
  game->Store("Highscore", "k1", "31234567890");
  front.Act([this] { game->Restart(); });
  QWidget* row = At(game->main.TopTenRows[1]);
  ASSERT_NE(row, nullptr);
  for (int tabs = 0; tabs < 80 && front.Main()->focusWidget() != row; ++tabs) Press(Qt::Key_Tab);
  ASSERT_EQ(front.Main()->focusWidget(), row);
  EXPECT_TRUE(row->toolTip().contains(QString::fromStdString(TestText(12))));
  host.answers = {false};
  Press(Qt::Key_Return);
  EXPECT_EQ(host.boxes.back().text, TestText(14));
}

// The manual page and the README name every key the game window answers,
// where each lists its keys: the manual's tagged lines, the README's table.
TEST_F(ControlsTest, TheManualAndTheReadmeNameEveryKey) {
  const std::regex words(R"([\w+]+)");
  for (const auto& [file, listLine] : {std::pair{"data/desktop/pyxaro.6.in", R"(^\.BR? (.*))"},
                                       {"README.md", R"(^\| ([^|]*) \| [a-z])"}}) {
    // The words of the lines that list keys, "1 .. 6" read as the six digits.
    std::set<std::string> keys;
    std::ifstream in(ShippedData().parent_path() / file);
    std::smatch listed;
    for (std::string line; std::getline(in, line);) {
      if (!std::regex_search(line, listed, std::regex(listLine))) continue;
      const std::string text =
          std::regex_replace(listed[1].str(), std::regex(R"(\b1\W+(\.\.|–)\W+6\b)"), "1 2 3 4 5 6");
      for (std::sregex_iterator word(text.begin(), text.end(), words), end; word != end; ++word)
        keys.insert(word->str());
    }
    for (const QKeyCombination key : front.Main()->Keys()) {
      const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
      EXPECT_TRUE(keys.contains(name.toStdString())) << file << ": " << name.toStdString();
    }
  }
}

TEST_F(ControlsTest, EachControlTellsAScreenReaderWhatItShows) {
  ThrowByKey({1, 2, 5, 4, 5, 6});
  const std::tuple<const Control*, QString, QAccessible::Role> controls[] = {
      {&game->main.DieImages[3], "Die 3: five", QAccessible::Button},
      {&game->main.CategoryRows[1], "Ones: open", QAccessible::Button},
      // Chance takes its name from the language file.
      {&game->main.CategoryRows[19], QString::fromStdString(TestText(22)) + ": open",
       QAccessible::Button},
      {&game->main.RollsLeftLabel, QString::fromStdString(TestText(20)) + ": 59",
       QAccessible::StaticText},
  };
  for (const auto& [control, name, role] : controls) {
    QAccessibleInterface* reader = Reader(*control);
    ASSERT_NE(reader, nullptr) << name.toStdString();
    EXPECT_EQ(std::pair(Name(reader), reader->role()), std::pair(name, role));
  }
  // The hint is part of the proposed row's description, and only of it.
  const auto hint = [this](int k) {
    return Reader(game->main.CategoryRows[k])->text(QAccessible::Description);
  };
  const int hinted = HintedCategory(game->state);
  EXPECT_TRUE(hinted > 0 && !hint(hinted).isEmpty() && hint(hinted == 1 ? 2 : 1).isEmpty());
  front.Act([this] { game->EnterCategory(1); });
  EXPECT_EQ(Name(Reader(game->main.CategoryRows[1])), "Ones: 1");
}

// Played in Swedish, no control says or shows an English text that the
// Swedish file says otherwise.
TEST_F(ControlsTest, InSwedishNoControlSpeaksEnglish) {
  const std::string english = (ShippedData() / "english.lng").string();
  const std::string swedish = (ShippedData() / "swedish.lng").string();
  std::filesystem::copy_file(swedish, folder.File("test.lng"),
                             std::filesystem::copy_options::overwrite_existing);
  front.Act([this] { game->Restart(); });
  ThrowByKey({1, 2, 5, 4, 5, 6});
  // A text without what the game fills in, numbers and access keys.
  const auto bare = [](QString text) {
    return text.remove(QRegularExpression(QStringLiteral("%1|[0-9&]"))).trimmed();
  };
  std::set<QString> englishOnly;
  for (const std::string& key : KeysOf(english)) {
    const std::string text = GetINI("Language", key, english);
    // Words only: a decimal point is no English.
    const QString words = bare(ui::Q(text));
    if (text != GetINI("Language", key, swedish) && words.contains(QRegularExpression("\\w{2}")))
      englishOnly.insert(words);
  }
  int heard = 0;
  for (QWidget* control : front.Main()->findChildren<QWidget*>()) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
    for (const QString& text :
         {Name(reader), reader->text(QAccessible::Description), control->toolTip()}) {
      for (const QString& part : text.split(QRegularExpression(QStringLiteral("[:()]")))) {
        EXPECT_FALSE(englishOnly.contains(bare(part))) << text.toStdString();
        ++heard;
      }
    }
  }
  EXPECT_GT(heard, 100);
}

// A screen reader's press goes through the same gate as a key; only a hidden
// control has no key.
TEST_F(ControlsTest, AScreenReaderPressesOnlyWhatAClickCouldReach) {
  dice.faces = {1, 2, 3, 4, 5, 6};
  const auto press = [](QWidget* widget) {
    QAccessible::queryAccessibleInterface(widget)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
  };
  press(At(game->main.ThrowArea));
  EXPECT_EQ(game->state.RollsLeft, 59);
  // The top-ten list has room, so its clearing label is hidden: no question.
  ASSERT_FALSE(game->main.ClearTopTenLabel.Visible);
  for (QWidget* child : front.Main()->findChildren<QWidget*>()) {
    if (child->pos() == ui::PxRect(game->main.ClearTopTenLabel).topLeft()) press(child);
  }
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ControlsTest, TheDisplayGivesItsWholeMessageOnEveryPage) {
  ui::DotDisplay* display = front.Main()->findChildren<ui::DotDisplay*>().last();
  ASSERT_NE(display, nullptr);
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(display);
  EXPECT_EQ(std::pair(Name(reader), reader->role()),
            std::pair(QString::fromStdString(TestText(0)), QAccessible::StaticText));
  // Longer than the thirteen dots of one page.
  const std::string message = "Score: 14 and the bonus";
  front.Act([&] { game->Say(message); });
  front.Act([this] { game->NextPage(); });
  EXPECT_EQ(Name(reader), QString::fromStdString(message));
  ThrowByKey({1, 1, 1, 1, 1, 1});
  EXPECT_EQ(Name(reader), QString::fromStdString(TestText(4)));
}

TEST_F(ControlsTest, SOpensTheFiguresAsTextAndResetClearsOnlyThemAfterAsking) {
  Statistics kept;
  for (const int total : {310, 290, 318}) {
    FinishedGame finished;
    finished.Total = total;
    finished.BonusWon = total > 300;
    finished.RollsUsed = 57;
    finished.PlaySeconds = 300;
    finished.Scores[kCategoryCount] = 100;
    kept = AddGame(kept, finished);
  }
  ASSERT_TRUE(game->StoreGroup(StatisticsChanges(kept)));
  game->Store("Highscore", "p1", "318");

  Press(Qt::Key_S);
  ASSERT_TRUE(front.Statistics() != nullptr && front.Statistics()->isVisible());
  const auto figures = [this] {
    QStringList figures;
    for (QWidget* row : front.Statistics()->FigureRows())
      figures << Name(QAccessible::queryAccessibleInterface(row));
    return figures;
  };
  EXPECT_EQ(figures(), (QStringList{"Games: 3", "Average: 306", "Median: 310", "Best: 318",
                                    "Bonus rate: 67%", "Yatzy rate: 100%", "Average rolls left: 3",
                                    "Completion rate: 0%", "Average game time: 5:00"}));
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
  EXPECT_FALSE(game->statistics.Visible);
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
  const QStringList swedish{"Ja", "Nej"};
  EXPECT_EQ(ask("sv", true, Qt::Key_Return), std::pair(true, swedish));
  EXPECT_EQ(ask("sv", true, Qt::Key_Escape), std::pair(false, swedish));
  EXPECT_EQ(ask("sv", false, Qt::Key_Enter), std::pair(false, swedish));
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
