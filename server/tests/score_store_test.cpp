#include "server/score_store.h"

#include <QSqlQuery>

#include "direct_statement.h"
#include "server/schema.h"
#include "server/store_error.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

class ScoreStoreTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  TestDatabase database{GetParam()};
};

// A database of each older schema is brought up to date with its games and
// its names' skeletons, look-alikes kept, takes games of the day and bans
// from then on, and a ban takes the name's games of both kinds out of the
// lists and the standings. One a newer program has changed is not opened,
// lest it be misread.
TEST_P(ScoreStoreTest, AnOlderSchemaDatabaseTakesEachLaterStepAndANewerOneIsRefused) {
  for (int version = 1; version < NewestSchemaVersion(); ++version) {
    TestDatabase older(GetParam());
    const QString complaint = OnOwnConnection(older.Address(), [&](QSqlDatabase& first) {
      Migrate(first, GetParam(), version);
      QSqlQuery probe(first);
      return probe.exec("SELECT MAX(version) FROM schema_version") && probe.next() &&
                     probe.value(0).toInt() == version
                 ? QString()
                 : QString("the steps after %1 ran too").arg(version);
    });
    ASSERT_TRUE(complaint.isEmpty()) << complaint.toStdString();
    // Two names that look alike, from before they were refused.
    older.Run(
        "INSERT INTO players (name, name_key, password_hash, registered) "
        "VALUES ('Ann', 'ann', 'hash', 0), ('\u0410nn', '\u0430nn', 'hash', 0)");
    older.Run(
        "INSERT INTO games (player_id, points, month, check_value, version, entered) "
        "SELECT id, 412, 2612, 'k', 504, 0 FROM players WHERE name_key = 'ann'");
    ScoreStore store(older.Address());
    EXPECT_EQ(store.SchemaVersion(), NewestSchemaVersion());
    EXPECT_EQ(store.LookAlike("ann", "ann"), "\u0410nn");
    EXPECT_EQ(store.LookAlike("ann", "bob"), "Ann");
    EXPECT_EQ(store.Top(std::nullopt, 10), std::vector<ListedGame>({{"Ann", 412, 2612}}));
    EXPECT_EQ(store.AddDayGame({store.FindPlayer("ann")->id, "2026-12-08", 300, "U", 504, 0}),
              DayEntry::Added);
    EXPECT_EQ(store.DayTop("2026-12-08", 10), std::vector<DayListedGame>({{"Ann", 300}}));
    EXPECT_TRUE(store.Ban("ann", 0));
    EXPECT_FALSE(store.Ban("bob", 0));
    EXPECT_TRUE(store.FindPlayer("ann")->banned);
    EXPECT_TRUE(store.Top(std::nullopt, 10).empty()) << version;
    EXPECT_TRUE(store.DayTop("2026-12-08", 10).empty()) << version;
    const qint64 bob = *store.AddPlayer("Bob", "bob", "hash", 0);
    const GameRecord lower{bob, 400, 2612, "k", 504, 0};
    ASSERT_TRUE(store.AddGame(lower));
    ASSERT_EQ(store.AddDayGame({bob, "2026-12-08", 200, "U", 504, 0}), DayEntry::Added);
    EXPECT_EQ(store.StandingOf(lower).allTime, 1);
    EXPECT_EQ(store.DayStandingOf(bob, "2026-12-08"), 1);
    older.Run(
        QString("INSERT INTO schema_version (version) VALUES (%1)").arg(NewestSchemaVersion() + 1));
    EXPECT_THROW(ScoreStore{older.Address()}, StoreError);
  }
}

// The database itself keeps a name, a game and a player's game of a day
// single, so two servers or two requests at once cannot double them.
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

  DayGameRecord day{ann, "2026-12-08", 300, "T123456r59 E1=1", 504, 0};
  EXPECT_EQ(first.AddDayGame(day), DayEntry::Added);
  EXPECT_EQ(second.AddDayGame(day), DayEntry::SameGame);
  day.moves += " U";
  EXPECT_EQ(second.AddDayGame(day), DayEntry::OtherGame);
  EXPECT_EQ(first.DayTop("2026-12-08", 10).size(), 1U);
}

PYXARO_ON_BOTH_ENGINES(ScoreStoreTest);

}  // namespace
}  // namespace pyxaro::testing
