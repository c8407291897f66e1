#include <QJsonArray>
#include <QJsonDocument>

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
// own.
TEST_P(ProgramTest, EveryRowAnsweredAsEnteredOutlivesAKill) {
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
  const QByteArray top = Fetch(restarted.Port(), "/api/top?period=all").body;
  EXPECT_EQ(QJsonDocument::fromJson(top)["games"].toArray().size(), kSubmissionsPerMinute)
      << top.toStdString();
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

PYXARO_ON_BOTH_ENGINES(ProgramTest);

}  // namespace
}  // namespace pyxaro::testing
