#include "server/score_store.h"

#include "engines.h"
#include "server/schema.h"
#include "server/store_error.h"

namespace pyxaro::testing {
namespace {

class ScoreStoreTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  TestDatabase database{GetParam()};

  qint64 Player(ScoreStore& store, const QString& name) {
    return store.AddPlayer(name, name.toCaseFolded(), "hash", 0).value();
  }
};

TEST_P(ScoreStoreTest, ReopeningKeepsTheListAndRefusesASchemaNewerThanTheProgram) {
  {
    ScoreStore store(database.Address());
    ASSERT_TRUE(store.AddGame({Player(store, "Ann"), 412, 2612, "7511", 504, 0}));
  }
  {
    ScoreStore store(database.Address());
    EXPECT_EQ(store.Top(std::nullopt, 10), (std::vector<ListedGame>{{"Ann", 412, 2612}}));
  }
  database.Run(
      QString("INSERT INTO schema_version (version) VALUES (%1)").arg(NewestSchemaVersion() + 1));
  EXPECT_THROW(ScoreStore{database.Address()}, StoreError);
}

TEST_P(ScoreStoreTest, ANameAndAGameAreEachStoredOnceWhicheverConnectionAsks) {
  ScoreStore first(database.Address());
  ScoreStore second(database.Address());
  const qint64 ann = Player(first, "Ann");
  EXPECT_EQ(second.AddPlayer("ANN", "ann", "other", 0), std::nullopt);
  EXPECT_EQ(second.FindPlayer("ann")->name, "Ann");
  const GameRecord game{ann, 412, 2612, "75117380509", 504, 0};
  EXPECT_TRUE(first.AddGame(game));
  EXPECT_FALSE(second.AddGame(game));
  GameRecord otherKey = game;
  otherKey.checkValue = "15827380515";
  EXPECT_TRUE(second.AddGame(otherKey));
}

TEST_P(ScoreStoreTest, ListsRunBestFirstAndEqualPointsStandBelowTheEarlierGame) {
  ScoreStore store(database.Address());
  const qint64 ann = Player(store, "Ann");
  const qint64 bob = Player(store, "Bob");
  // Player, points, month, and the standing in its month and of all time
  // when entered.
  const std::tuple<qint64, int, int, Standing> games[] = {
      {ann, 300, 2612, {1, 1}}, {bob, 412, 2612, {1, 1}}, {bob, 300, 2612, {3, 3}},
      {ann, 500, 2611, {1, 1}}, {ann, 412, 2612, {2, 3}}, {bob, 301, 2611, {2, 4}}};
  int key = 0;
  for (const auto& [player, points, month, standing] : games) {
    const GameRecord game{player, points, month, QString::number(++key), 504, 0};
    ASSERT_TRUE(store.AddGame(game));
    EXPECT_EQ(store.StandingOf(game), standing) << points << " " << month;
  }
  EXPECT_EQ(store.Top(2612, 3),
            (std::vector<ListedGame>{{"Bob", 412, 2612}, {"Ann", 412, 2612}, {"Ann", 300, 2612}}));
  EXPECT_EQ(store.Top(std::nullopt, 2),
            (std::vector<ListedGame>{{"Ann", 500, 2611}, {"Bob", 412, 2612}}));
  EXPECT_EQ(store.BestOf(bob, 10),
            (std::vector<ListedGame>{{"Bob", 412, 2612}, {"Bob", 301, 2611}, {"Bob", 300, 2612}}));
}

PYXARO_ON_BOTH_ENGINES(ScoreStoreTest);

}  // namespace
}  // namespace pyxaro::testing
