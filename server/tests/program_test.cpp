#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include "core/version.h"
#include "direct_statement.h"
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
// owner's alone under the most common umask. A submission leaves neither its
// password nor its query in the output, even with every Qt log category
// switched on.
TEST_P(ProgramTest, EveryRowAnsweredAsEnteredOutlivesAKillAndNoPasswordIsLogged) {
  const mode_t umaskBefore = umask(022);
  {
    ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address());
    ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
    for (int points = 1; points <= kSubmissionsPerMinute; ++points) {
      ASSERT_TRUE(Enter(server, points)) << points;
    }
    server.Kill();
  }
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_LOGGING_RULES", "*=true");
  ServerProcess restarted(PYXARO_SCORES_EXECUTABLE, database.Address(), {}, environment);
  ASSERT_NE(restarted.Port(), 0) << restarted.Stop().toStdString();
  const QByteArray games = Fetch(restarted.Port(), "/player/Runner").body;
  EXPECT_EQ(games.count("<tr><td"), kSubmissionsPerMinute) << games.toStdString();
  umask(umaskBefore);
  if (GetParam() == DatabaseAddress::Engine::SQLite) {
    for (const char* made : {"", "-wal", "-shm"}) {
      struct stat file {};
      ASSERT_EQ(stat(QFile::encodeName(database.Address().file + made).constData(), &file), 0);
      EXPECT_EQ(file.st_mode & 0777, 0600U) << made;
    }
  }
  EXPECT_TRUE(Enter(restarted, 412));
  const QByteArray output = restarted.Stop();
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

// The README's own commands, word for word; "pyxaro" names the list's role
// and database there.
struct ReadmeCommands {
  QStringList backup;
  QStringList restore;
};

const ReadmeCommands kSqliteCommands{{R"(sqlite3 scores.db ".backup scores-copy.db")"},
                                     {R"(sqlite3 scores.db ".restore scores-copy.db")"}};
const ReadmeCommands kPostgreSqlCommands{
    {"sudo -u postgres pg_dump -Fc pyxaro > scores.dump"},
    {"sudo -u postgres dropdb pyxaro && sudo -u postgres createdb -O pyxaro pyxaro",
     "sudo -u postgres pg_restore --no-owner --role=pyxaro -d pyxaro < scores.dump"}};

// A copy taken as the README tells while the server runs, restored as it
// tells, gives a server the lists it showed at the copy: a row entered after
// the copy is gone, and the player's password and the numbering go on. On
// PostgreSQL the list belongs to a role that owns its database and no more.
class BackupTest : public ProgramTest {
 protected:
  void SetUp() override {
    if (GetParam() == DatabaseAddress::Engine::SQLite) {
      if (QStandardPaths::findExecutable("sqlite3").isEmpty()) GTEST_SKIP() << "no sqlite3";
      address_.file = scratch_.filePath("scores.db");
      return;
    }
    address_ = database.Address();
    address_.user = address_.name = QString("club_%1").arg(getpid());
    database.RunOnCluster("CREATE ROLE " + address_.name + " LOGIN");
    Run("sudo -u postgres createdb -O pyxaro pyxaro");
  }
  void TearDown() override {
    if (GetParam() == DatabaseAddress::Engine::SQLite) return;
    database.RunOnCluster("DROP DATABASE IF EXISTS " + address_.name + " WITH (FORCE)");
    database.RunOnCluster("DROP ROLE IF EXISTS " + address_.name);
  }

  // Runs one of the README's commands in the SQLite file's folder, as the
  // list's owner or the cluster's superuser "postgres" would; this test's own
  // role and database stand in for "pyxaro".
  void Run(QString command) const {
    QFile readme(PYXARO_README);
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    ASSERT_TRUE(readme.readAll().contains(command.toUtf8())) << command.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (GetParam() == DatabaseAddress::Engine::PostgreSQL) {
      command.remove("sudo -u postgres ").replace("pyxaro", address_.name);
      environment.insert("PGHOST", address_.host);
      environment.insert("PGUSER", "postgres");
    }
    QProcess shell;
    shell.setWorkingDirectory(scratch_.path());
    shell.setProcessEnvironment(environment);
    shell.start("sh", {"-c", command});
    ASSERT_TRUE(shell.waitForFinished(60000)) << command.toStdString();
    EXPECT_EQ(shell.exitCode(), 0) << command.toStdString() << "\n"
                                   << shell.readAllStandardError().toStdString();
  }

  static std::string Lists(const ServerProcess& server) {
    return (Fetch(server.Port(), "/api/top?period=all").body +
            Fetch(server.Port(), "/api/day?date=2026-01-05").body +
            Fetch(server.Port(), "/player/Runner").body)
        .toStdString();
  }

  QTemporaryDir scratch_;
  DatabaseAddress address_;
};

TEST_P(BackupTest, ARestoredCopyShowsTheListsOfItsMoment) {
  const ReadmeCommands& commands =
      GetParam() == DatabaseAddress::Engine::SQLite ? kSqliteCommands : kPostgreSqlCommands;
  std::string copied;
  {
    ServerProcess server(PYXARO_SCORES_EXECUTABLE, address_);
    ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
    for (const int points : {412, 300, 390}) ASSERT_TRUE(Enter(server, points)) << points;
    EXPECT_EQ(RunDirectly(address_,
                          "INSERT INTO day_games (player_id, day, points, moves, version, entered) "
                          "SELECT id, '2026-01-05', 250, 'U', 504, 200 FROM players"),
              "");
    copied = Lists(server);
    for (const QString& command : commands.backup) Run(command);
    ASSERT_TRUE(Enter(server, 500));
    server.Stop();
  }
  for (const QString& command : commands.restore) Run(command);
  ServerProcess restored(PYXARO_SCORES_EXECUTABLE, address_);
  ASSERT_NE(restored.Port(), 0) << restored.Stop().toStdString();
  EXPECT_EQ(Lists(restored), copied);
  EXPECT_TRUE(copied.find(R"("points":412)") != std::string::npos &&
              copied.find(R"("points":250)") != std::string::npos)
      << copied;
  EXPECT_TRUE(Enter(restored, 501));
}

PYXARO_ON_BOTH_ENGINES(BackupTest);

}  // namespace
}  // namespace pyxaro::testing
