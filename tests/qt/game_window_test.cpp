#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "settings/ini.h"
#include "tests/game_fixture.h"
#include "ui/front.h"
#include "ui/widgets.h"

namespace pyxaro::testing {
namespace {

// Lets the event loop run until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
  for (int waited = 0; waited < timeoutMs && !condition(); waited += 20) QTest::qWait(20);
  return condition();
}

// A left click on whatever widget the player would hit at this point.
void ClickAt(QWidget* window, QPoint point) {
  QWidget* target = window->childAt(point);
  ASSERT_NE(target, nullptr) << point.x() << "," << point.y();
  QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, point));
}

QPoint CentreOf(const Control& control) { return ui::PxRect(control).center(); }

class GameWindowTest : public GameTest {
 protected:
  GameWindowTest() {
    // The picker shows: no skip stored.
    folder.Write("Pyx4.ini", "[Options]\nPlaySound=No\n"
                             "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n");
  }

  void StartThroughThePicker() {
    front.Start();
    ASSERT_TRUE(front.Language()->isVisible());
    ASSERT_EQ(front.Splash(), nullptr);
    ASSERT_EQ(front.Main(), nullptr);
    QListWidget* list = front.Language()->List();
    ASSERT_EQ(list->count(), 1);
    EXPECT_FALSE(front.Language()->Confirm()->isEnabled());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    ASSERT_TRUE(front.Language()->Confirm()->isEnabled());
    QTest::mouseClick(front.Language()->Confirm(), Qt::LeftButton);
    ASSERT_FALSE(front.Language()->isVisible());
    ASSERT_TRUE(front.Splash() != nullptr && front.Splash()->isVisible());
    ASSERT_TRUE(WaitFor([&] { return front.Main() != nullptr && front.Main()->isVisible(); }));
    ASSERT_TRUE(WaitFor([&] { return front.Splash() == nullptr; }));
  }

  ui::Front front{*game, [this] { return host.ended; }};
};

TEST_F(GameWindowTest, PickerThenSplashThenTheGameWindowWhereAClickThrows) {
  StartThroughThePicker();
  QWidget* window = front.Main();
  EXPECT_EQ(window->size(), QSize(800, 600));
  EXPECT_EQ(GetINI("Language", "selected", folder.File("Pyx4.ini")), "1");

  dice.faces = {1, 2, 3, 4, 5, 6};
  ClickAt(window, CentreOf(game->main.Roll));
  EXPECT_EQ(game->state.RollsLeft, 59);
  QWidget* die = window->childAt(CentreOf(game->main.Image[3]));
  ASSERT_NE(die, nullptr);
  EXPECT_TRUE(die->isVisible());
  ClickAt(window, CentreOf(game->main.Image[3]));
  EXPECT_EQ(game->state.OnTable[3], 0);
  EXPECT_FALSE(die->isVisible());
}

TEST_F(GameWindowTest, DotsLitBySayAreReadBackAtTheirPlaces) {
  StartThroughThePicker();
  game->run.SayText = "A";
  front.Act([&] { game->Say(); });
  const QImage shot = front.Main()->grab().toImage();
  // "A": column 2 of row 0 is lit, columns 0 and 1 of row 0 are not; row 3 is
  // lit across.
  const auto lit = [&](int cell, int column, int row) {
    const QPoint centre(40 + 34 * cell + 6 * column + 2, 540 + 6 * row + 2);
    return shot.pixelColor(centre * shot.devicePixelRatio()) == QColor(192, 192, 255);
  };
  EXPECT_TRUE(lit(0, 2, 0));
  EXPECT_FALSE(lit(0, 0, 0));
  EXPECT_FALSE(lit(0, 1, 0));
  for (int column = 0; column < 5; ++column) EXPECT_TRUE(lit(0, column, 3)) << column;
  EXPECT_FALSE(lit(1, 2, 0));
}

TEST_F(GameWindowTest, WholeGamePlayedByClicksEntersTheTopTen) {
  StartThroughThePicker();
  QWidget* window = front.Main();
  struct Turn {
    std::initializer_list<int> faces;
    int category;
  };
  const Turn turns[] = {
      {{1, 1, 1, 1, 2, 3}, 1},  {{2, 2, 2, 2, 1, 3}, 2},  {{3, 3, 3, 3, 1, 2}, 3},
      {{4, 4, 4, 4, 1, 2}, 4},  {{5, 5, 5, 5, 1, 2}, 5},  {{6, 6, 6, 6, 1, 2}, 6},
      {{6, 6, 1, 2, 3, 4}, 7},  {{6, 6, 5, 5, 1, 2}, 8},  {{6, 6, 5, 5, 4, 4}, 9},
      {{6, 6, 6, 1, 2, 3}, 10}, {{6, 6, 6, 6, 1, 2}, 11}, {{6, 6, 6, 6, 6, 1}, 12},
      {{1, 2, 3, 4, 5, 5}, 13}, {{2, 3, 4, 5, 6, 6}, 14}, {{1, 2, 3, 4, 5, 6}, 15},
      {{6, 6, 6, 5, 5, 1}, 16}, {{6, 6, 6, 5, 5, 5}, 17}, {{6, 6, 6, 6, 5, 5}, 18},
      {{6, 6, 6, 6, 6, 5}, 19}, {{6, 6, 6, 6, 6, 6}, 20}};
  for (const Turn& turn : turns) {
    dice.faces.assign(turn.faces.begin(), turn.faces.end());
    ClickAt(window, CentreOf(game->main.Roll));
    ClickAt(window, CentreOf(game->main.btn[turn.category]));
    ASSERT_FALSE(game->main.btn[turn.category].Enabled) << turn.category;
  }
  EXPECT_TRUE(game->main.TimerEnd.Enabled());
  const int total = game->state.TotalScore;
  EXPECT_EQ(game->state.UpperBonus, 1);

  dice.faces = {5};  // the check value's digit
  host.inputs = {std::string("Eve")};
  ASSERT_TRUE(WaitFor([&] { return game->state.RollsLeft == 60; }));
  const std::string file = folder.File("Pyx4.ini");
  EXPECT_EQ(GetINI("Highscore", "p1", file), std::to_string(total));
  EXPECT_EQ(GetINI("Highscore", "n1", file).rfind("Eve (", 0), 0u);
  EXPECT_EQ(GetINI("Highscore", "d1", file), "2612");
  EXPECT_EQ(game->main.Topp[1].Caption.rfind("1. " + std::to_string(total) + " Eve (", 0), 0u);
  EXPECT_TRUE(game->main.Topp[1].Bold);
}

}  // namespace
}  // namespace pyxaro::testing
