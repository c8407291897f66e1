#include "server/game_rules.h"

#include <gtest/gtest.h>

#include <random>

#include "core/game_state.h"
#include "core/version.h"
#include "scoring/categories.h"
#include "scoring/check_value.h"

namespace pyxaro::testing {
namespace {

const int kVersion = VersionNumber(kAppVersion);

Submission Game(int digit, int points, int month) {
  return {"Ann", "pw",   kVersion,
          month, points, QString::fromStdString(CheckValue(digit, points, month, kVersion))};
}

// The cap is the total the game itself shows for a card with every category
// at its best, bonus and all.
TEST(GameRulesTest, TheHighestTotalIsTheBestCardsTotal) {
  GameState best;
  for (int k = 1; k <= kCategoryCount; ++k) best.Score[k] = CategoryMax(k);
  EXPECT_EQ(kHighestTotal, best.Total());
}

TEST(GameRulesTest, AKeyFitsOnlyThePointsMonthAndVersionItWasMadeFor) {
  const QDateTime now(QDate(2026, 12, 15), QTime(12, 0), Qt::UTC);
  std::mt19937 random(1);
  const auto below = [&random](int count) { return static_cast<int>(random() % count); };
  for (int n = 0; n < 5000; ++n) {
    const int month = GameMonth(2000 + below(27), 1 + below(12));
    const Submission game = Game(1 + below(9), 1 + below(kHighestTotal), month);
    ASSERT_EQ(BrokenRule(game, now), std::nullopt) << game.key.toStdString();

    Submission otherPoints = game;
    otherPoints.points = 1 + (game.points + below(kHighestTotal - 1)) % kHighestTotal;
    Submission otherMonth = game;
    otherMonth.month = GameMonth(2000 + (month / 100 + 1 + below(26)) % 27, month % 100);
    Submission otherKey = game;
    const int place = below(static_cast<int>(game.key.size()));
    otherKey.key[place] = QChar('0' + (game.key[place].digitValue() + 1 + below(9)) % 10);
    for (const Submission& changed : {otherPoints, otherMonth, otherKey}) {
      EXPECT_EQ(BrokenRule(changed, now).value_or(Refusal{}).status, 403)
          << game.key.toStdString() << " " << changed.key.toStdString() << " " << changed.points
          << " " << changed.month;
    }
  }
}

TEST(GameRulesTest, TheNewestMonthIsTheOneBegunFurthestAhead) {
  const QDateTime lastDay(QDate(2026, 12, 31), QTime(9, 59, 59), Qt::UTC);
  const QDateTime newYearInKiribati = lastDay.addSecs(1);
  // Now, the month of the game, whether it is taken.
  const std::tuple<QDateTime, int, bool> cases[] = {
      {lastDay, 2612, true},
      {lastDay, 2701, false},
      {newYearInKiribati, 2701, true},
      {newYearInKiribati, 2702, false},
  };
  for (const auto& [now, month, taken] : cases) {
    EXPECT_EQ(BrokenRule(Game(3, 250, month), now) == std::nullopt, taken)
        << now.toString(Qt::ISODate).toStdString() << " " << month;
  }
}

}  // namespace
}  // namespace pyxaro::testing
