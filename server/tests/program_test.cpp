#include <sys/stat.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include "core/version.h"
#include "highscores/submission_rules.h"
#include "http_client.h"
#include "scoring/check_value.h"
#include "server/score_site.h"
#include "server_process.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

constexpr char kPassword[] = "Hunter2secret";

// The built program run as a service runs it, on each engine.
class ProgramTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  // Whether the game's row of these points was answered as entered.
  static bool Enter(const ServerProcess& server, int points) {
    const int version = VersionNumber(kAppVersion);
    const int month = GameMonth(2026, 1);
    const std::string target = SubmissionAddress(
        "/submit", {"Runner", kPassword, version, std::to_string(month), std::to_string(points),
                    CheckValue(3, points, month, version)});
    return Fetch(server.Port(), QByteArray::fromStdString(target)).body.contains("Entered: ");
  }

  TestDatabase database{GetParam()};
};

// A server killed the moment it answered its last row as entered has kept
// every row it so answered: nothing it confirmed waited in memory for a later
// write. As many rows as one client may send in a minute, each a game of its
// own. The SQLite files it made, which hold the passwords' hashes, are its
// owner's alone under the most common umask.
TEST_P(ProgramTest, EveryRowAnsweredAsEnteredOutlivesAKill) {
  const mode_t umaskBefore = umask(022);
  {
    ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address());
    ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
    for (int points = 1; points <= kSubmissionsPerMinute; ++points) {
      ASSERT_TRUE(Enter(server, points)) << points;
    }
    server.Kill();
  }
  ServerProcess restarted(PYXARO_SCORES_EXECUTABLE, database.Address());
  ASSERT_NE(restarted.Port(), 0) << restarted.Stop().toStdString();
  const QByteArray games = Fetch(restarted.Port(), "/player/Runner").body;
  EXPECT_EQ(games.count("<tr><td"), kSubmissionsPerMinute) << games.toStdString();
  umask(umaskBefore);
  if (GetParam() != DatabaseAddress::Engine::SQLite) return;
  for (const char* made : {"", "-wal", "-shm"}) {
    struct stat file {};
    ASSERT_EQ(stat(QFile::encodeName(database.Address().file + made).constData(), &file), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600U) << made;
  }
}

// A submission leaves neither its password nor its query in the output, even
// with every Qt log category switched on.
TEST_P(ProgramTest, ThePasswordStaysOutOfTheLog) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_LOGGING_RULES", "*=true");
  ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address(), {}, environment);
  ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
  EXPECT_TRUE(Enter(server, 412));
  const QByteArray output = server.Stop();
  EXPECT_TRUE(output.contains("/submit")) << output.toStdString();
  EXPECT_FALSE(output.contains(kPassword) || output.contains("pass=")) << output.toStdString();
}

// The operator's commands, each a run of the program of its own beside a
// server on the same database: what each prints and its exit status, then
// what the server shows of the games they removed and the name they banned.
TEST_P(ProgramTest, OperatorCommandsChangeTheListBesideARunningServer) {
  ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address());
  ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
  ASSERT_TRUE(Enter(server, 412));  // g1, Runner's, entered now
  database.Run(
      "INSERT INTO players (name, name_key, password_hash, registered) VALUES ('Ann', 'ann', 'x', "
      "0)");
  database.Run(
      "INSERT INTO games (player_id, points, month, check_value, version, entered) "
      "SELECT id, 300, 2612, 'k1', 504, 100 FROM players WHERE name = 'Ann' UNION ALL "
      "SELECT id, 390, 2612, 'k2', 504, 50 FROM players WHERE name = 'Ann'");
  database.Run(
      "INSERT INTO day_games (player_id, day, points, moves, version, entered) "
      "SELECT id, '2026-01-05', 250, 'U', 504, 200 FROM players WHERE name = 'Ann' UNION ALL "
      "SELECT id, '2026-01-05', 280, 'U', 504, 20 FROM players WHERE name = 'Runner'");
  // Arguments, exit status, and a pattern of what it prints.
  const std::tuple<QStringList, int, QString> cases[] = {
      {{"--list-recent", "3"},
       0,
       "^g1\tRunner\t412\t2026-01\t20\\d\\d-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ\n"
       "d1\tAnn\t250\t2026-01-05\t1970-01-01T00:03:20Z\n"
       "g2\tAnn\t300\t2026-12\t1970-01-01T00:01:40Z\n$"},
      {{"--remove-game", "g2"}, 0, "^Removed game g2\n$"},
      {{"--remove-game", "g2"}, 1, "no game has the id g2"},
      {{"--remove-game", "3"}, 1, "no game has the id 3"},
      {{"--remove-game", "d1"}, 0, "^Removed game d1\n$"},
      {{"--ban", " RUNNER "}, 0, "^Banned RUNNER\n$"},
      {{"--ban", "Nobody"}, 1, "no player is named Nobody"},
      {{"--list-recent", "0"}, 2, "--list-recent wants a count"},
  };
  for (const auto& [arguments, status, printed] : cases) {
    QProcess command;
    command.start(PYXARO_SCORES_EXECUTABLE,
                  QStringList{"--database", CommandLineAddress(database.Address())} + arguments);
    ASSERT_TRUE(command.waitForFinished());
    // What it did goes to the standard output, why it did not to the error
    // output, and nothing else to either.
    const QByteArray done = command.readAllStandardOutput();
    const QByteArray failed = command.readAllStandardError();
    EXPECT_TRUE((status == 0 ? failed : done).isEmpty()) << (done + failed).toStdString();
    const QString output = QString::fromUtf8(status == 0 ? done : failed);
    EXPECT_EQ(command.exitCode(), status) << arguments.join(' ').toStdString();
    EXPECT_TRUE(QRegularExpression(printed).match(output).hasMatch())
        << arguments.join(' ').toStdString() << "\n"
        << output.toStdString();
  }
  const auto fetched = [&server](const QByteArray& target) {
    return Fetch(server.Port(), target).body.toStdString();
  };
  EXPECT_FALSE(Enter(server, 413));
  EXPECT_EQ(fetched("/api/top?period=all"),
            R"({"games":[{"month":2612,"name":"Ann","points":390,"rank":1}],"period":"all"})");
  EXPECT_EQ(fetched("/player/Runner").find(">412<"), std::string::npos);
  EXPECT_NE(fetched("/api/day?date=2026-01-05").find(R"("games":[])"), std::string::npos);
}

PYXARO_ON_BOTH_ENGINES(ProgramTest);

}  // namespace
}  // namespace pyxaro::testing
