#include "server/score_store.h"

#include "server/schema.h"
#include "server/store_error.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

class ScoreStoreTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  TestDatabase database{GetParam()};
};

// A database a newer program has changed is not opened, lest it be misread.
TEST_P(ScoreStoreTest, ASchemaNewerThanTheProgramIsRefused) {
  { ScoreStore store(database.Address()); }
  database.Run(
      QString("INSERT INTO schema_version (version) VALUES (%1)").arg(NewestSchemaVersion() + 1));
  EXPECT_THROW(ScoreStore{database.Address()}, StoreError);
}

// The database itself keeps a name and a game single, so two servers or two
// requests at once cannot double them.
TEST_P(ScoreStoreTest, ANameAndAGameAreEachStoredOnceWhicheverConnectionAsks) {
  ScoreStore first(database.Address());
  ScoreStore second(database.Address());
  const qint64 ann = *first.AddPlayer("Ann", "ann", "hash", 0);
  EXPECT_EQ(second.AddPlayer("ANN", "ann", "other", 0), std::nullopt);
  EXPECT_EQ(second.FindPlayer("ann")->name, "Ann");
  GameRecord game{ann, 412, 2612, "75117380509", 504, 0};
  EXPECT_TRUE(first.AddGame(game));
  EXPECT_FALSE(second.AddGame(game));
  game.checkValue = "15827380515";
  EXPECT_TRUE(second.AddGame(game));
}

PYXARO_ON_BOTH_ENGINES(ScoreStoreTest);

}  // namespace
}  // namespace pyxaro::testing
