// How fast pyxaro-scores takes rows and games of the day and serves its
// lists, on each engine: the built program on 127.0.0.1, driven by as many
// clients at once as a busy evening might bring. Prints two lines per
// engine; the second weighs a game's replay against the password's hash.
#include <sodium.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "core/calendar_day.h"
#include "core/dice.h"
#include "core/version.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"
#include "scoring/move_record.h"
#include "server/game_rules.h"
#include "server/password_hash.h"
#include "server/score_site.h"
#include "server/score_store.h"
#include "server/submission_query.h"
#include "server/tests/direct_statement.h"
#include "server/tests/http_client.h"
#include "server/tests/server_process.h"
#include "tests/helpers/played_game.h"

namespace {

using pyxaro::DatabaseAddress;

constexpr int kClients = 32;
// Every name sends as many rows as its limit lets it in a minute.
constexpr int kSubmitters = 10;
constexpr int kRowsPerName = pyxaro::kSubmissionsPerMinute;
constexpr int kListedPlayers = 1000;
constexpr int kListedGames = 100000;
constexpr int kReadsPerClient = 30;

// Runs job(i) for i in [0, count) on kClients threads at once.
void OnAllClients(int count, const std::function<void(int)>& job) {
  std::atomic<int> next = 0;
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&] {
      for (int i = next++; i < count; i = next++) job(i);
    });
  }
  for (std::thread& client : clients) client.join();
}

// Rows of new players, each name's first registering it: rows per second.
double SubmissionsPerSecond(quint16 port) {
  const int version = pyxaro::VersionNumber(pyxaro::kAppVersion);
  const int month = pyxaro::GameMonth(2026, 1);
  std::atomic<int> entered = 0;
  QElapsedTimer clock;
  clock.start();
  OnAllClients(kSubmitters * kRowsPerName, [&](int i) {
    const std::string name = "Bencher" + std::to_string(i / kRowsPerName);
    const int points = 100 + i % kRowsPerName;
    const std::string target = pyxaro::SubmissionAddress(
        "/submit", {name, "secret-word", version, std::to_string(month), std::to_string(points),
                    pyxaro::CheckValue(3, points, month, version)});
    const auto answer =
        pyxaro::testing::Fetch(port, QByteArray::fromStdString(target), "GET",
                               "X-Forwarded-For: " + QByteArray::fromStdString(name) + "\r\n");
    if (answer.status == 200) ++entered;
  });
  if (entered != kSubmitters * kRowsPerName) std::fprintf(stderr, "some rows were refused\n");
  return entered * 1000.0 / static_cast<double>(std::max<qint64>(clock.elapsed(), 1));
}

// The game's address for the player's game of the day, under the name of
// bencher n.
std::string DayTarget(int n, pyxaro::Player& player, const pyxaro::CalendarDay& day) {
  const pyxaro::PlayedGame game =
      pyxaro::PlayGame(player, pyxaro::SeededDice(), pyxaro::DaySeed(day));
  return pyxaro::DaySubmissionAddress(
      "/submit",
      {"Dayplayer" + std::to_string(n), "secret-word", pyxaro::VersionNumber(pyxaro::kAppVersion),
       pyxaro::DayText(day), game.state.Total(), pyxaro::RecordText(game.moves)});
}

// Games of the day as the game sends them, two days' of each name: the
// random player's, whose pick-ups and undos make records longer than most.
std::vector<std::string> DayTargets() {
  const QDate today = QDateTime::currentDateTimeUtc().date();
  std::vector<std::string> targets;
  for (int i = 0; i < kSubmitters * kRowsPerName; ++i) {
    pyxaro::testing::RandomPlayer player(static_cast<unsigned>(i));
    targets.push_back(DayTarget(i / 2, player, pyxaro::DayOf(today.addDays(-(i % 2)))));
  }
  return targets;
}

// Games of the day from new players, each name's first registering it:
// games per second.
double DayGamesPerSecond(quint16 port, const std::vector<std::string>& targets) {
  std::atomic<int> entered = 0;
  QElapsedTimer clock;
  clock.start();
  OnAllClients(static_cast<int>(targets.size()), [&](int i) {
    const auto answer = pyxaro::testing::Fetch(
        port, QByteArray::fromStdString(targets[static_cast<std::size_t>(i)]), "GET",
        "X-Forwarded-For: 192.0.2." + QByteArray::number(i / 2) + "\r\n");
    if (answer.status == 200) ++entered;
  });
  if (entered != static_cast<int>(targets.size())) {
    std::fprintf(stderr, "some games of the day were refused\n");
  }
  return entered * 1000.0 / static_cast<double>(std::max<qint64>(clock.elapsed(), 1));
}

// What reading and replaying each game costs in this process, in
// milliseconds a game.
double ReplayMs(const std::vector<std::string>& targets) {
  const QDateTime now = QDateTime::currentDateTimeUtc();
  QElapsedTimer clock;
  clock.start();
  int replayed = 0;
  for (const std::string& target : targets) {
    const auto read =
        pyxaro::ReadDaySubmission(QByteArray::fromStdString(target.substr(target.find('?') + 1)));
    if (const auto* game = std::get_if<pyxaro::DaySubmission>(&read)) {
      replayed += std::holds_alternative<int>(pyxaro::ReplayedPoints(*game, now)) ? 1 : 0;
    }
  }
  if (replayed != static_cast<int>(targets.size())) std::fprintf(stderr, "a replay failed\n");
  return static_cast<double>(clock.nsecsElapsed()) / 1e6 / static_cast<double>(targets.size());
}

// What checking one submission costs, in milliseconds: a game of the day's
// replay, the longest game's, and the password's hash.
struct CheckCosts {
  double replay = 0;
  double longest = 0;
  double hash = 0;
};

CheckCosts MeasureChecks(const std::vector<std::string>& targets) {
  constexpr int kHashes = 5;
  pyxaro::testing::LongestPlayer longest;
  const std::string longestTarget =
      DayTarget(0, longest, pyxaro::DayOf(QDateTime::currentDateTimeUtc().date()));
  CheckCosts costs{ReplayMs(targets), ReplayMs({longestTarget}), 0};
  QElapsedTimer clock;
  clock.start();
  for (int n = 0; n < kHashes; ++n) pyxaro::PasswordHash("secret");
  costs.hash = static_cast<double>(clock.nsecsElapsed()) / 1e6 / kHashes;
  return costs;
}

// Fills the lists past the store, as a season of players would have.
bool FillLists(const DatabaseAddress& address) {
  // Made by the store, so that the schema is the program's own.
  { pyxaro::ScoreStore schema(address); }
  const auto numbers = [](int count) {
    return QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
        .arg(count);
  };
  const QString statements[] = {
      "INSERT INTO players (name, name_key, password_hash, registered) " + numbers(kListedPlayers) +
          "SELECT 'Player' || i, 'player' || i, 'unused', 0 FROM n",
      QString("INSERT INTO games (player_id, points, month, check_value, version, entered) ") +
          numbers(kListedGames) + "SELECT (SELECT MIN(id) FROM players) + i % " +
          QString::number(kListedPlayers) +
          ", 1 + i % 350, 2601 + (i / 7) % 12, 'k' || i, 504, 0 FROM n",
  };
  for (const QString& statement : statements) {
    const QString complaint = pyxaro::testing::RunDirectly(address, statement);
    if (!complaint.isEmpty()) {
      std::fprintf(stderr, "cannot fill the lists: %s\n", qPrintable(complaint));
      return false;
    }
  }
  return true;
}

// The lists page's latency in milliseconds, sorted, with kClients readers.
std::vector<double> ListLatencies(quint16 port) {
  std::vector<double> latencies(static_cast<std::size_t>(kClients * kReadsPerClient));
  OnAllClients(static_cast<int>(latencies.size()), [&](int i) {
    QElapsedTimer clock;
    clock.start();
    const auto answer = pyxaro::testing::Fetch(port, "/");
    latencies[static_cast<std::size_t>(i)] =
        answer.status == 200 ? static_cast<double>(clock.nsecsElapsed()) / 1e6 : 1e9;
  });
  std::sort(latencies.begin(), latencies.end());
  return latencies;
}

double Percentile(const std::vector<double>& sorted, int percent) {
  return sorted[(sorted.size() - 1) * static_cast<std::size_t>(percent) / 100];
}

bool Measure(const char* engine, const DatabaseAddress& address,
             const std::vector<std::string>& dayTargets, const CheckCosts& costs) {
  if (!FillLists(address)) return false;
  pyxaro::testing::ServerProcess server(PYXARO_SCORES_EXECUTABLE, address, {"--behind-proxy"});
  if (server.Port() == 0) {
    std::fprintf(stderr, "%s: the server did not start\n%s", engine, server.Stop().constData());
    return false;
  }
  const double rate = SubmissionsPerSecond(server.Port());
  const std::vector<double> latencies = ListLatencies(server.Port());
  const double dayRate = DayGamesPerSecond(server.Port(), dayTargets);
  std::printf(
      "%-10s  %6.1f submissions/s (Argon2id, opslimit %llu, memlimit %zu MiB; each name's "
      "first row hashes twice)  lists page p50 %7.1f ms  p99 %7.1f ms  (%d games, %d readers)\n",
      engine, rate, static_cast<unsigned long long>(crypto_pwhash_OPSLIMIT_INTERACTIVE),
      static_cast<std::size_t>(crypto_pwhash_MEMLIMIT_INTERACTIVE) >> 20, Percentile(latencies, 50),
      Percentile(latencies, 99), kListedGames, kClients);
  std::printf(
      "%-10s  %6.1f games of the day/s (each replayed; each name's first game hashes twice)  "
      "replay %.3f ms a game (the longest %.3f ms) against %.1f ms a password hash\n",
      engine, dayRate, costs.replay, costs.longest, costs.hash);
  // The cluster script prints too: the lines stay in order.
  std::fflush(stdout);
  return true;
}

// A throwaway cluster of the tests' own script; the address of its database.
DatabaseAddress StartCluster(const QString& state) {
  DatabaseAddress cluster;
  if (QProcess::execute(PYXARO_PG_CLUSTER, {"start", state}) != 0) return cluster;
  QFile folder(state);
  if (!folder.open(QIODevice::ReadOnly)) return cluster;
  cluster.engine = DatabaseAddress::Engine::PostgreSQL;
  cluster.host = QString::fromUtf8(folder.readAll()).trimmed();
  cluster.user = "postgres";
  cluster.name = "pyxaro_tests";
  return cluster;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir folder;
  DatabaseAddress sqlite;
  sqlite.file = folder.filePath("scores.db");
  const std::vector<std::string> dayTargets = DayTargets();
  const CheckCosts costs = MeasureChecks(dayTargets);
  bool measured = Measure("SQLite", sqlite, dayTargets, costs);

  const QString state = folder.filePath("pg_cluster.state");
  const DatabaseAddress postgres = StartCluster(state);
  if (postgres.engine != DatabaseAddress::Engine::PostgreSQL) {
    std::fprintf(stderr, "PostgreSQL: no cluster started\n");
    measured = false;
  } else {
    measured = Measure("PostgreSQL", postgres, dayTargets, costs) && measured;
  }
  QProcess::execute(PYXARO_PG_CLUSTER, {"stop", state});
  return measured ? 0 : 1;
}
