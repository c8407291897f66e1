// How fast pyxaro-scores takes rows and games of the day and serves its
// lists, on each engine: the built program on 127.0.0.1, driven by as many
// clients at once as a busy evening might bring. Prints four lines per
// engine; the second weighs a game's replay against the password's hash, the
// last two weigh the lists page read while submissions keep every password
// worker busy against the same page read with none.
#include <sodium.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <utility>
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

// A submission sent again, as the game's player would, while the list says
// it is busy checking other passwords.
pyxaro::testing::HttpAnswer Submitted(quint16 port, const std::string& target,
                                      const QByteArray& client) {
  for (;;) {
    auto answer = pyxaro::testing::Fetch(port, QByteArray::fromStdString(target), "GET",
                                         "X-Forwarded-For: " + client + "\r\n");
    if (answer.status != 503 || !answer.body.contains("busy")) return answer;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
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
    // Each row from a client of its own, so that no name's rows wait for
    // each other's checks.
    if (Submitted(port, target,
                  "198.18." + QByteArray::number(i / 250) + "." + QByteArray::number(i % 250))
            .status == 200) {
      ++entered;
    }
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
    if (Submitted(port, targets[static_cast<std::size_t>(i)],
                  "192.0.2." + QByteArray::number(i / 2))
            .status == 200) {
      ++entered;
    }
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

// The lists page's latency, sorted, while as many clients as the password
// workers take at once send submissions back to back: every worker hashes
// all the while, and no submission is turned away as busy. Also the
// passwords checked a second meanwhile.
std::pair<std::vector<double>, double> ListLatenciesInFlood(
    quint16 port, const std::function<std::string(int)>& submission) {
  const pyxaro::PasswordWorkers::Size workers = pyxaro::PasswordWorkers::ForThisMachine();
  std::atomic<bool> reading = true;
  std::atomic<int> next = 0;
  std::atomic<int> checked = 0;
  std::vector<std::thread> flood;
  QElapsedTimer clock;
  clock.start();
  for (int f = 0; f < workers.threads + workers.waiting; ++f) {
    flood.emplace_back([&] {
      while (reading) {
        const int i = next++;
        // A client of its own each time, so that no limit stops the flood.
        const auto answer =
            Submitted(port, submission(i),
                      "10." + QByteArray::number(i / 65536 % 256) + "." +
                          QByteArray::number(i / 256 % 256) + "." + QByteArray::number(i % 256));
        if (answer.status == 200 || answer.status == 409) ++checked;
      }
    });
  }
  // The queue fills before the first reader asks.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  std::vector<double> latencies = ListLatencies(port);
  reading = false;
  for (std::thread& flooder : flood) flooder.join();
  return {latencies, checked * 1000.0 / static_cast<double>(std::max<qint64>(clock.elapsed(), 1))};
}

bool Measure(const char* engine, const DatabaseAddress& address,
             const std::vector<std::string>& dayTargets, const CheckCosts& costs) {
  if (!FillLists(address)) return false;
  // The log of every request would fill the pipe this process reads only
  // when it stops the server.
  QProcessEnvironment quiet = QProcessEnvironment::systemEnvironment();
  quiet.insert("QT_LOGGING_RULES", "default.info=false");
  pyxaro::testing::ServerProcess server(PYXARO_SCORES_EXECUTABLE, address, {"--behind-proxy"},
                                        quiet);
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
  // Both floods cost one Argon2id each: wrong passwords for a registered
  // name, which change nothing, and new players' rows, each of which also
  // enters a game and so has the lists read again from the database.
  const int version = pyxaro::VersionNumber(pyxaro::kAppVersion);
  const int month = pyxaro::GameMonth(2026, 1);
  const auto row = [&](const std::string& name, const std::string& password, int points) {
    return pyxaro::SubmissionAddress(
        "/submit", {name, password, version, std::to_string(month), std::to_string(points),
                    pyxaro::CheckValue(3, points, month, version)});
  };
  Submitted(server.Port(), row("Flooded", "secret-word", 100), "198.19.0.1");
  const std::pair<const char*, std::function<std::string(int)>> floods[] = {
      {"wrong passwords", [&](int) { return row("Flooded", "guessed-word", 100); }},
      {"new players' rows",
       [&](int i) { return row("Flooder" + std::to_string(i), "secret-word", 1 + i % 300); }},
  };
  for (const auto& [what, submission] : floods) {
    // The lists read once, as the readers of a quiet minute find them.
    pyxaro::testing::Fetch(server.Port(), "/");
    const std::vector<double> idle = ListLatencies(server.Port());
    const auto [flooded, checks] = ListLatenciesInFlood(server.Port(), submission);
    std::printf(
        "%-10s  lists page p50 %5.1f ms  p99 %5.1f ms while %5.1f %s a second are checked; "
        "without them p50 %5.1f ms  p99 %5.1f ms  (%d readers, %d password workers)\n",
        engine, Percentile(flooded, 50), Percentile(flooded, 99), checks, what,
        Percentile(idle, 50), Percentile(idle, 99), kClients,
        pyxaro::PasswordWorkers::ForThisMachine().threads);
  }
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
