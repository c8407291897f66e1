// How fast pyxaro-scores takes rows and serves its lists, on each engine: the
// built program on 127.0.0.1, driven by as many clients at once as a busy
// evening might bring. Prints one line per engine.
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

#include "core/version.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"
#include "server/score_site.h"
#include "server/score_store.h"
#include "server/tests/direct_statement.h"
#include "server/tests/http_client.h"
#include "server/tests/server_process.h"

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
        "/submit", {name, "secret", version, std::to_string(month), std::to_string(points),
                    pyxaro::CheckValue(3, points, month, version)});
    const auto answer =
        pyxaro::testing::Fetch(port, QByteArray::fromStdString(target), "GET",
                               "X-Forwarded-For: " + QByteArray::fromStdString(name) + "\r\n");
    if (answer.status == 200) ++entered;
  });
  if (entered != kSubmitters * kRowsPerName) std::fprintf(stderr, "some rows were refused\n");
  return entered * 1000.0 / static_cast<double>(std::max<qint64>(clock.elapsed(), 1));
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

bool Measure(const char* engine, const DatabaseAddress& address) {
  if (!FillLists(address)) return false;
  pyxaro::testing::ServerProcess server(PYXARO_SCORES_EXECUTABLE, address, {"--behind-proxy"});
  if (server.Port() == 0) {
    std::fprintf(stderr, "%s: the server did not start\n%s", engine, server.Stop().constData());
    return false;
  }
  const double rate = SubmissionsPerSecond(server.Port());
  const std::vector<double> latencies = ListLatencies(server.Port());
  std::printf(
      "%-10s  %6.1f submissions/s (Argon2id, opslimit %llu, memlimit %zu MiB; each name's "
      "first row hashes twice)  lists page p50 %7.1f ms  p99 %7.1f ms  (%d games, %d readers)\n",
      engine, rate, static_cast<unsigned long long>(crypto_pwhash_OPSLIMIT_INTERACTIVE),
      static_cast<std::size_t>(crypto_pwhash_MEMLIMIT_INTERACTIVE) >> 20, Percentile(latencies, 50),
      Percentile(latencies, 99), kListedGames, kClients);
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
  bool measured = Measure("SQLite", sqlite);

  const QString state = folder.filePath("pg_cluster.state");
  const DatabaseAddress postgres = StartCluster(state);
  if (postgres.engine != DatabaseAddress::Engine::PostgreSQL) {
    std::fprintf(stderr, "PostgreSQL: no cluster started\n");
    measured = false;
  } else {
    measured = Measure("PostgreSQL", postgres) && measured;
  }
  QProcess::execute(PYXARO_PG_CLUSTER, {"stop", state});
  return measured ? 0 : 1;
}
