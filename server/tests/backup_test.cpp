#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "core/version.h"
#include "direct_statement.h"
#include "highscores/submission_rules.h"
#include "http_client.h"
#include "scoring/check_value.h"
#include "server_process.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

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
class BackupTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == DatabaseAddress::Engine::SQLite) {
      if (QStandardPaths::findExecutable("sqlite3").isEmpty()) GTEST_SKIP() << "no sqlite3";
      address_.file = scratch_.filePath("scores.db");
      return;
    }
    address_ = database_.Address();
    address_.user = address_.name = QString("club_%1").arg(getpid());
    database_.RunOnCluster("CREATE ROLE " + address_.name + " LOGIN");
    Run("sudo -u postgres createdb -O pyxaro pyxaro");
  }
  void TearDown() override {
    if (GetParam() == DatabaseAddress::Engine::SQLite) return;
    database_.RunOnCluster("DROP DATABASE IF EXISTS " + address_.name + " WITH (FORCE)");
    database_.RunOnCluster("DROP ROLE IF EXISTS " + address_.name);
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

  static bool Enter(const ServerProcess& server, int points) {
    const int version = VersionNumber(kAppVersion);
    const int month = GameMonth(2026, 1);
    const std::string target = SubmissionAddress(
        "/submit", {"Keeper", "Keeper-secret-1", version, std::to_string(month),
                    std::to_string(points), CheckValue(3, points, month, version)});
    return Fetch(server.Port(), QByteArray::fromStdString(target)).body.contains("Entered: ");
  }
  static std::string Lists(const ServerProcess& server) {
    return (Fetch(server.Port(), "/api/top?period=all").body +
            Fetch(server.Port(), "/api/day?date=2026-01-05").body +
            Fetch(server.Port(), "/player/Keeper").body)
        .toStdString();
  }

  QTemporaryDir scratch_;
  TestDatabase database_{GetParam()};
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
