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

class RestartTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  TestDatabase database{GetParam()};
};

// A server killed the moment it answered its last row as entered has kept
// every row it so answered: nothing it confirmed waited in memory for a later
// write. As many rows as one client may send in a minute, each a game of its
// own.
TEST_P(RestartTest, EveryRowAnsweredAsEnteredOutlivesAKill) {
  const int version = VersionNumber(kAppVersion);
  const int month = GameMonth(2026, 1);
  {
    ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address());
    ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
    for (int points = 1; points <= kSubmissionsPerMinute; ++points) {
      const std::string target = SubmissionAddress(
          "/submit", {"Runner", "secret", version, std::to_string(month), std::to_string(points),
                      CheckValue(3, points, month, version)});
      ASSERT_TRUE(
          Fetch(server.Port(), QByteArray::fromStdString(target)).body.contains("Entered: "))
          << points;
    }
    server.Kill();
  }
  ServerProcess restarted(PYXARO_SCORES_EXECUTABLE, database.Address());
  ASSERT_NE(restarted.Port(), 0) << restarted.Stop().toStdString();
  const QByteArray top = Fetch(restarted.Port(), "/api/top?period=all").body;
  EXPECT_EQ(QJsonDocument::fromJson(top)["games"].toArray().size(), kSubmissionsPerMinute)
      << top.toStdString();
}

PYXARO_ON_BOTH_ENGINES(RestartTest);

}  // namespace
}  // namespace pyxaro::testing
