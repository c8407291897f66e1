#include <gtest/gtest.h>

#include <QKeySequence>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "scoring/entry.h"
#include "tests/game_fixture.h"
#include "ui/front.h"

namespace pyxaro::testing {
namespace {

// The game window, opened straight after the splash, played from the keys.
class KeyboardTest : public GameTest {
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
    QTest::keyClick(
        front.Main()->focusWidget() != nullptr ? front.Main()->focusWidget() : front.Main(),
        key.key(), key.keyboardModifiers());
  }
  void ThrowByKey(const std::vector<int>& faces) {
    dice.faces.assign(faces.begin(), faces.end());
    Press(Qt::Key_Space);
  }
  // The widget a click on the control would reach.
  QWidget* At(const Control& control) const {
    return front.Main()->childAt(ui::PxRect(control).center());
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

TEST_F(KeyboardTest, EachKeyReachesItsRoutineOnlyWhenAClickWould) {
  const GameState& s = game->state;
  struct Step {
    const char* what;
    QKeyCombination key;
    std::vector<int> faces;    // what a throw throws
    std::deque<bool> answers;  // what a question is answered
    std::function<bool()> done;
  };
  const std::vector<Step> steps{
      {"no die to pick up yet", Qt::Key_1, {}, {}, [&] { return !s.OnTable(1); }},
      {"nothing to undo", Qt::CTRL | Qt::Key_Z, {}, {}, [&] { return s.RollsLeft == 60; }},
      {"Space throws",
       Qt::Key_Space,
       {1, 2, 5, 4, 5, 6},
       {},
       [&] { return s.RollsLeft == 59 && s.OnTable(3); }},
      {"every die lies: no throw", Qt::Key_Space, {}, {}, [&] { return s.RollsLeft == 59; }},
      {"3 picks up die 3", Qt::Key_3, {}, {}, [&] { return !s.OnTable(3); }},
      {"Ctrl+Z lays it back", Qt::CTRL | Qt::Key_Z, {}, {}, [&] { return s.OnTable(3); }},
      {"the keypad's 3", Qt::KeypadModifier | Qt::Key_3, {}, {}, [&] { return !s.OnTable(3); }},
      {"Ctrl+R throws",
       Qt::CTRL | Qt::Key_R,
       {2},
       {},
       [&] { return s.RollsLeft == 58 && s.Dice[3] == 2; }},
      {"M switches the sound off", Qt::Key_M, {}, {}, [&] { return game->run.PlaySound == "No"; }},
      {"Ctrl+N asks first",
       Qt::CTRL | Qt::Key_N,
       {},
       {false},
       [&] { return host.boxes.back().text == TestText(6) && s.RollsLeft == 58; }},
      {"L asks first",
       Qt::Key_L,
       {},
       {false},
       [&] { return host.boxes.back().text == TestText(10) && game->main.Loaded; }},
      {"Ctrl+Q asks first",
       Qt::CTRL | Qt::Key_Q,
       {},
       {false},
       [&] { return host.boxes.back().text == TestText(11) && !host.ended; }},
      {"P opens the profiles, asking for the first one",
       Qt::Key_P,
       {},
       {},
       [&] { return game->profiles.Visible && game->Setting("Users", "user1") == "Eve"; }},
  };
  host.inputs = {std::string("Eve"), std::string("x")};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    dice.faces.assign(step.faces.begin(), step.faces.end());
    host.answers = step.answers;
    Press(step.key);
    EXPECT_TRUE(step.done());
    EXPECT_TRUE(dice.faces.empty() && host.answers.empty());
  }
}

TEST_F(KeyboardTest, TheMarkStartsAtTheHintMovesOverOpenRowsAndEntersOnEnter) {
  ThrowByKey({2, 2, 2, 2, 1, 3});
  ASSERT_GT(HintedCategory(game->state), 0);
  EXPECT_EQ(MarkedRow(), HintedCategory(game->state));
  // Twos first, so the mark has an entered row to step over.
  ASSERT_TRUE(MarkRow(2));
  Press(Qt::Key_Return);
  ASSERT_FALSE(game->main.CategoryRows[2].Enabled);

  ThrowByKey({1, 1, 1, 1, 3, 3});
  ASSERT_GT(HintedCategory(game->state), 0);
  EXPECT_EQ(MarkedRow(), HintedCategory(game->state));
  ASSERT_TRUE(MarkRow(1));
  Press(Qt::Key_Down);
  EXPECT_EQ(MarkedRow(), 3);
  Press(Qt::Key_Up);
  EXPECT_EQ(MarkedRow(), 1);
  Press(Qt::Key_Up);
  EXPECT_EQ(MarkedRow(), 1);

  // Sixes are worth nothing: refused as a click would be.
  ASSERT_TRUE(MarkRow(6));
  Press(Qt::Key_Return);
  EXPECT_TRUE(game->main.CategoryRows[6].Enabled);
  EXPECT_EQ(game->run.Said, TestText(2));

  ASSERT_TRUE(MarkRow(1));
  Press(Qt::Key_Enter);
  EXPECT_FALSE(game->main.CategoryRows[1].Enabled);
  EXPECT_EQ(game->state.Score[1], 4);
}

TEST_F(KeyboardTest, TabReachesTheTopTenRowsWhereEnterOffersTheRow) {
  game->Store("Highscore", "p1", "606");
  game->Store("Highscore", "n1", "Eve (9:58)");
  game->Store("Highscore", "k1", "31234567890");
  front.Act([this] { game->Restart(); });
  QWidget* row = At(game->main.TopTenRows[1]);
  ASSERT_NE(row, nullptr);
  for (int tabs = 0; tabs < 80 && front.Main()->focusWidget() != row; ++tabs) {
    Press(Qt::Key_Tab);
  }
  ASSERT_EQ(front.Main()->focusWidget(), row);
  EXPECT_TRUE(row->toolTip().contains(QString::fromStdString(TestText(12))));
  host.answers = {false};
  Press(Qt::Key_Return);
  EXPECT_EQ(game->run.SelectedRow, 1);
  EXPECT_EQ(host.boxes.back().text, TestText(14));
}

// The manual page and the README name every key the game window answers,
// where each lists its keys: the manual's tagged lines, the README's table.
TEST_F(KeyboardTest, TheManualAndTheReadmeNameEveryKey) {
  // The words of the lines that list keys, "1 .. 6" read as the six digits.
  const auto named = [](const std::filesystem::path& file, const char* listLine) {
    std::set<std::string> keys;
    std::ifstream in(file);
    std::smatch listed;
    const std::regex words(R"([\w+]+)");
    for (std::string line; std::getline(in, line);) {
      if (!std::regex_search(line, listed, std::regex(listLine))) continue;
      const std::string keysText =
          std::regex_replace(listed[1].str(), std::regex(R"(\b1\W+(\.\.|–)\W+6\b)"), "1 2 3 4 5 6");
      for (std::sregex_iterator word(keysText.begin(), keysText.end(), words), end; word != end;
           ++word) {
        keys.insert(word->str());
      }
    }
    return keys;
  };
  const std::filesystem::path source = ShippedData().parent_path();
  const auto manual = named(source / "data" / "desktop" / "pyxaro.6.in", R"(^\.BR? (.*))");
  const auto readme = named(source / "README.md", R"(^\| ([^|]*) \| [a-z])");
  for (const QKeyCombination key : front.Main()->Keys()) {
    const std::string name = QKeySequence(key).toString(QKeySequence::PortableText).toStdString();
    EXPECT_TRUE(manual.contains(name)) << name;
    EXPECT_TRUE(readme.contains(name)) << name;
  }
}

}  // namespace
}  // namespace pyxaro::testing
