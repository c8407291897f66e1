#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "highscores/statistics.h"
#include "tests/game_fixture.h"
#include "ui/front.h"

namespace pyxaro::testing {
namespace {

QString Spoken(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class StatisticsWindowTest : public GameTest {
 protected:
  void SetUp() override {
    front.Start();
    front.Act([this] { game->SplashTimeUp(); });
    ASSERT_TRUE(front.Main() != nullptr && front.Main()->isVisible());
  }
  QStringList Figures() const {
    QStringList figures;
    for (QWidget* row : front.Statistics()->FigureRows()) figures << Spoken(row);
    return figures;
  }

  ui::Front front{*game, [this] { return host.ended; }};
};

TEST_F(StatisticsWindowTest, SOpensTheFiguresAsTextAndResetClearsOnlyThemAfterAsking) {
  Statistics kept;
  for (const int total : {310, 290, 318}) {
    FinishedGame finished;
    finished.Total = total;
    finished.Scores[kCategoryCount] = 100;
    finished.BonusWon = total > 300;
    finished.RollsUsed = 57;
    finished.PlaySeconds = 300;
    kept = AddGame(kept, finished);
  }
  ASSERT_TRUE(game->StoreGroup(StatisticsChanges(kept)));
  game->Store("Highscore", "p1", "318");

  QTest::keyClick(front.Main(), Qt::Key_S);
  ASSERT_NE(front.Statistics(), nullptr);
  ASSERT_TRUE(front.Statistics()->isVisible());
  EXPECT_EQ(Figures(), (QStringList{"Games: 3", "Average: 306", "Median: 310", "Best: 318",
                                    "Bonus rate: 67%", "Yatzy rate: 100%", "Average rolls left: 3",
                                    "Completion rate: 0%", "Average game time: 5:00"}));
  EXPECT_EQ(Spoken(front.Statistics()->Totals()), "Totals: most games between 300 and 325");

  for (const bool yes : {false, true}) {
    host.answers = {yes};
    front.Statistics()->Reset()->click();
    EXPECT_FALSE(host.boxes.back().yesIsDefault);
    EXPECT_EQ(Figures().front(), yes ? "Games: 0" : "Games: 3");
  }
  EXPECT_EQ(Ini("Highscore", "p1"), "318");

  QTest::keyClick(front.Statistics(), Qt::Key_Escape);
  EXPECT_FALSE(game->statistics.Visible);
}

}  // namespace
}  // namespace pyxaro::testing
