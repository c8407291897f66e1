#include <QElapsedTimer>
#include <atomic>
#include <iostream>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "core/version.h"
#include "highscores/submission_rules.h"
#include "http_client.h"
#include "scoring/check_value.h"
#include "server/score_site.h"
#include "server_process.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

constexpr int kSubmissions = 1000;
constexpr int kClients = 32;
// Each name sends as many rows as its limit lets it in a minute, so that no
// row is held back and every answer is the store's.
constexpr int kRowsPerName = kSubmissionsPerMinute;
// The server is killed once this many rows were answered as entered, or once
// the time is up, whichever comes first.
constexpr int kAnsweredBeforeKill = 40;
constexpr qint64 kMostMsBeforeKill = 15000;

// Row i: the name's i-th row by points, each its own game.
QByteArray NameOf(int i) { return "Runner" + QByteArray::number(i / kRowsPerName); }
int PointsOf(int i) { return 100 + i % kRowsPerName; }

QByteArray Target(int i) {
  const int version = VersionNumber(kAppVersion);
  const int month = GameMonth(2026, 1);
  return QByteArray::fromStdString(SubmissionAddress(
      "/submit", {NameOf(i).toStdString(), "secret", version, std::to_string(month),
                  std::to_string(PointsOf(i)), CheckValue(3, PointsOf(i), month, version)}));
}

class RestartTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  TestDatabase database{GetParam()};
};

// A server killed in the middle of a rush of rows has kept every row it
// answered as entered: nothing it confirmed waited in memory for a later
// write.
TEST_P(RestartTest, EveryRowAnsweredAsEnteredOutlivesAKill) {
  std::set<int> entered;
  std::mutex enteredLock;
  std::atomic<int> next = 0;
  {
    ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address(), {"--behind-proxy"});
    ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
      clients.emplace_back([&] {
        for (int i = next++; i < kSubmissions; i = next++) {
          // Each name from an address of its own, past the limit per client.
          const HttpAnswer answer = FetchBlocking(
              server.Port(), Target(i),
              "X-Forwarded-For: 192.0.2." + QByteArray::number(i / kRowsPerName) + "\r\n");
          if (answer.status == 200 && answer.body.contains("Entered: ")) {
            const std::lock_guard hold(enteredLock);
            entered.insert(i);
          }
        }
      });
    }
    QElapsedTimer clock;
    clock.start();
    const auto answered = [&] {
      const std::lock_guard hold(enteredLock);
      return static_cast<int>(entered.size());
    };
    while (answered() < kAnsweredBeforeKill && clock.elapsed() < kMostMsBeforeKill) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    server.Kill();
    for (std::thread& client : clients) client.join();
  }
  ASSERT_FALSE(entered.empty());
  ASSERT_LT(entered.size(), static_cast<std::size_t>(kSubmissions)) << "killed too late";

  ServerProcess restarted(PYXARO_SCORES_EXECUTABLE, database.Address());
  ASSERT_NE(restarted.Port(), 0) << restarted.Stop().toStdString();
  int found = 0;
  for (const int i : entered) {
    const HttpAnswer page = FetchBlocking(restarted.Port(), "/player/" + NameOf(i));
    const bool listed =
        page.body.contains("<td class=\"number\">" + QByteArray::number(PointsOf(i)) + "</td>");
    EXPECT_TRUE(listed) << NameOf(i).toStdString() << " " << PointsOf(i);
    found += listed ? 1 : 0;
  }
  EXPECT_EQ(found, static_cast<int>(entered.size()));
  std::cout << entered.size() << " of " << kSubmissions
            << " rows were answered as entered before the kill; " << found
            << " of them are listed after the restart\n";
}

PYXARO_ON_BOTH_ENGINES(RestartTest);

}  // namespace
}  // namespace pyxaro::testing
