#include "server/score_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDebug>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "server/name_skeleton.h"
#include "server/schema.h"
#include "server/store_error.h"

namespace pyxaro {

namespace {

// Banned players' games stand nowhere: the lists do not show them.
constexpr const char* kShownPlayer =
    "player_id NOT IN (SELECT id FROM players WHERE banned IS NOT NULL) ";

QString NewConnectionName() {
  static std::atomic<int> opened{0};
  return QString("pyxaro-scores-%1").arg(++opened);
}

constexpr int kBusyTimeoutMs = 5000;

QString ListedColumns() {
  return "SELECT players.name, games.points, games.month FROM games "
         "JOIN players ON players.id = games.player_id WHERE players.banned IS NULL ";
}

constexpr const char* kBestFirst = " ORDER BY games.points DESC, games.id LIMIT ?";

// A new list's file is its owner's alone, whatever the umask: it holds the
// passwords' hashes. SQLite gives its -wal and -shm files the rights of the
// database file. A file already there keeps the rights its owner gave it.
void MakeOwnersFile(const QString& file) {
  const QByteArray path = QFile::encodeName(file);
  const int made = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (made >= 0) ::close(made);
}

}  // namespace

ScoreStore::ScoreStore(const DatabaseAddress& address) : connectionName_(NewConnectionName()) {
  try {
    Open(address);
  } catch (const StoreError&) {
    // No destructor runs for a store that never opened: its connection goes
    // here.
    Close();
    throw;
  }
}

ScoreStore::~ScoreStore() { Close(); }

void ScoreStore::Open(const DatabaseAddress& address) {
  const bool sqlite = address.engine == DatabaseAddress::Engine::SQLite;
  database_ = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", connectionName_);
  if (sqlite) {
    MakeOwnersFile(address.file);
    database_.setDatabaseName(address.file);
    database_.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
  } else {
    database_.setHostName(address.host);
    database_.setPort(address.port);
    database_.setUserName(address.user);
    database_.setPassword(address.password);
    database_.setDatabaseName(address.name);
  }
  Connect();
  Migrate(database_, address.engine);
}

void ScoreStore::Connect() {
  if (!database_.open()) {
    throw StoreError("cannot open the database: " + database_.lastError().text().toStdString());
  }
  if (database_.driverName() == "QSQLITE") {
    // Readers of the lists then never wait for a submission's write.
    RunOnce("PRAGMA journal_mode=WAL", {});
    RunOnce("PRAGMA foreign_keys=ON", {});
  } else {
    // The notices of a schema already there would reach the error output,
    // where an operator's command must say only what went wrong.
    RunOnce("SELECT set_config('client_min_messages', 'warning', false)", {});
  }
}

void ScoreStore::Close() {
  database_.close();
  database_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(connectionName_);
}

QSqlQuery ScoreStore::Run(const QString& statement, std::initializer_list<QVariant> values) {
  try {
    return RunOnce(statement, values);
  } catch (const StoreError&) {
    if (Answers()) throw;
    // The database server restarted or ended the connection. A statement
    // that reached it before the connection broke does no harm run twice: a
    // name and a game are each stored once.
    qWarning().noquote() << "pyxaro-scores: the database connection was lost; connecting again";
    database_.close();
    Connect();
    return RunOnce(statement, values);
  }
}

QSqlQuery ScoreStore::RunOnce(const QString& statement, std::initializer_list<QVariant> values) {
  QSqlQuery query(database_);
  query.setForwardOnly(true);
  if (!query.prepare(statement)) throw StoreError(query.lastError().text().toStdString());
  for (const QVariant& value : values) query.addBindValue(value);
  if (!query.exec()) throw StoreError(query.lastError().text().toStdString());
  return query;
}

bool ScoreStore::Answers() {
  QSqlQuery probe(database_);
  return database_.isOpen() && probe.exec("SELECT 1");
}

std::optional<PlayerRecord> ScoreStore::FindPlayer(const QString& nameKey) {
  QSqlQuery query =
      Run("SELECT id, name, password_hash, banned IS NOT NULL FROM players WHERE name_key = ?",
          {nameKey});
  if (!query.next()) return std::nullopt;
  return PlayerRecord{query.value(0).toLongLong(), query.value(1).toString(),
                      query.value(2).toByteArray(), query.value(3).toBool()};
}

std::optional<qint64> ScoreStore::AddPlayer(const QString& name, const QString& nameKey,
                                            const QByteArray& passwordHash, qint64 nowSeconds) {
  const QSqlQuery insert =
      Run("INSERT INTO players (name, name_key, name_skeleton, password_hash, registered) "
          "VALUES (?, ?, ?, ?, ?) ON CONFLICT (name_key) DO NOTHING",
          {name, nameKey, NameSkeleton(name), QString::fromLatin1(passwordHash), nowSeconds});
  if (insert.numRowsAffected() != 1) return std::nullopt;
  const std::optional<PlayerRecord> added = FindPlayer(nameKey);
  if (!added) throw StoreError("a player just added is not there");
  return added->id;
}

std::optional<QString> ScoreStore::LookAlike(const QString& skeleton, const QString& nameKey) {
  QSqlQuery query =
      Run("SELECT name FROM players WHERE name_skeleton = ? AND name_key <> ? ORDER BY id LIMIT 1",
          {skeleton, nameKey});
  if (!query.next()) return std::nullopt;
  return query.value(0).toString();
}

bool ScoreStore::AddGame(const GameRecord& game) {
  return Run("INSERT INTO games (player_id, points, month, check_value, version, entered) "
             "VALUES (?, ?, ?, ?, ?, ?) "
             "ON CONFLICT (player_id, points, month, check_value) DO NOTHING",
             {game.playerId, game.points, game.month, game.checkValue, game.version,
              game.enteredSeconds})
             .numRowsAffected() == 1;
}

Standing ScoreStore::StandingOf(const GameRecord& game) {
  QSqlQuery found = Run(
      "SELECT id FROM games WHERE player_id = ? AND points = ? AND month = ? AND check_value = ?",
      {game.playerId, game.points, game.month, game.checkValue});
  if (!found.next()) throw StoreError("the game asked about is not there");
  const qint64 id = found.value(0).toLongLong();
  // Among the players the lists show, each once: those with a game above
  // this one, the player's own other games aside. Grouped rather than
  // counted DISTINCT, the players come from the index by player, with no
  // sort of every game above: a tenth of the time with 100,000 games on
  // SQLite, which the pages wait for.
  const QString above =
      "player_id <> ? AND " + QString(kShownPlayer) + "AND (points > ? OR (points = ? AND id < ?))";
  const auto players = [&above](const QString& where) {
    return "SELECT COUNT(*) FROM (SELECT player_id FROM games WHERE " + where + above +
           " GROUP BY player_id) AS above";
  };
  QSqlQuery inMonth =
      Run(players("month = ? AND "), {game.month, game.playerId, game.points, game.points, id});
  QSqlQuery allTime = Run(players(""), {game.playerId, game.points, game.points, id});
  if (!inMonth.next() || !allTime.next()) throw StoreError("a count gave no row");
  return {inMonth.value(0).toInt() + 1, allTime.value(0).toInt() + 1};
}

std::vector<ListedGame> ScoreStore::Top(std::optional<int> month, int limit) {
  // Each player's best game only, the earlier of two equal ones.
  const QString statement =
      "SELECT players.name, best.points, best.month FROM (SELECT games.id, games.player_id, "
      "games.points, games.month, ROW_NUMBER() OVER (PARTITION BY games.player_id "
      "ORDER BY games.points DESC, games.id) AS place FROM games "
      "JOIN players ON players.id = games.player_id WHERE players.banned IS NULL " +
      QString(month ? "AND games.month = ? " : "") +
      ") AS best JOIN players ON players.id = best.player_id WHERE best.place = 1 "
      "ORDER BY best.points DESC, best.id LIMIT ?";
  if (month) return Listed(Run(statement, {*month, limit}));
  return Listed(Run(statement, {limit}));
}

std::vector<ListedGame> ScoreStore::BestOf(qint64 playerId, int limit) {
  return Listed(Run(ListedColumns() + "AND games.player_id = ?" + kBestFirst, {playerId, limit}));
}

DayEntry ScoreStore::AddDayGame(const DayGameRecord& game) {
  const QSqlQuery insert =
      Run("INSERT INTO day_games (player_id, day, points, moves, version, entered) "
          "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (player_id, day) DO NOTHING",
          {game.playerId, game.day, game.points, game.moves, game.version, game.enteredSeconds});
  if (insert.numRowsAffected() == 1) return DayEntry::Added;
  QSqlQuery kept =
      Run("SELECT moves FROM day_games WHERE player_id = ? AND day = ?", {game.playerId, game.day});
  if (!kept.next()) throw StoreError("a game of the day that was there is gone");
  return kept.value(0).toString() == game.moves ? DayEntry::SameGame : DayEntry::OtherGame;
}

int ScoreStore::DayStandingOf(qint64 playerId, const QString& day) {
  QSqlQuery found =
      Run("SELECT id, points FROM day_games WHERE player_id = ? AND day = ?", {playerId, day});
  if (!found.next()) throw StoreError("the game of the day asked about is not there");
  const qint64 id = found.value(0).toLongLong();
  const int points = found.value(1).toInt();
  QSqlQuery above = Run(QString("SELECT COUNT(*) FROM day_games WHERE day = ? AND ") +
                            kShownPlayer + "AND (points > ? OR (points = ? AND id < ?))",
                        {day, points, points, id});
  if (!above.next()) throw StoreError("a count gave no row");
  return above.value(0).toInt() + 1;
}

std::vector<DayListedGame> ScoreStore::DayTop(const QString& day, int limit) {
  QSqlQuery query =
      Run("SELECT players.name, day_games.points FROM day_games "
          "JOIN players ON players.id = day_games.player_id "
          "WHERE day_games.day = ? AND players.banned IS NULL "
          "ORDER BY day_games.points DESC, day_games.id LIMIT ?",
          {day, limit});
  std::vector<DayListedGame> games;
  while (query.next()) games.push_back({query.value(0).toString(), query.value(1).toInt()});
  return games;
}

std::optional<int> ScoreStore::AdvisorPoints(const QString& day) {
  QSqlQuery query = Run("SELECT points FROM day_advisor WHERE day = ?", {day});
  if (!query.next()) return std::nullopt;
  return query.value(0).toInt();
}

void ScoreStore::KeepAdvisorPoints(const QString& day, int points) {
  // Another server may have worked it out meanwhile: the dice are the same,
  // and so are the points.
  Run("INSERT INTO day_advisor (day, points) VALUES (?, ?) ON CONFLICT (day) DO NOTHING",
      {day, points});
}

int ScoreStore::SchemaVersion() {
  QSqlQuery query = Run("SELECT MAX(version) FROM schema_version", {});
  if (!query.next()) throw StoreError("the schema version gave no row");
  return query.value(0).toInt();
}

std::vector<RecentGame> ScoreStore::Recent(int limit) {
  QSqlQuery query =
      Run("SELECT 0 AS of_the_day, games.id AS id, players.name AS name, games.points AS points, "
          "games.month AS month, '' AS day, games.entered AS entered FROM games "
          "JOIN players ON players.id = games.player_id "
          "UNION ALL SELECT 1, day_games.id, players.name, day_games.points, 0, day_games.day, "
          "day_games.entered FROM day_games JOIN players ON players.id = day_games.player_id "
          "ORDER BY entered DESC, of_the_day, id DESC LIMIT ?",
          {limit});
  std::vector<RecentGame> games;
  while (query.next()) {
    games.push_back({query.value(0).toInt() == 1, query.value(1).toLongLong(),
                     query.value(2).toString(), query.value(3).toInt(), query.value(4).toInt(),
                     query.value(5).toString(), query.value(6).toLongLong()});
  }
  return games;
}

bool ScoreStore::RemoveGame(bool ofTheDay, qint64 id) {
  return Run(ofTheDay ? "DELETE FROM day_games WHERE id = ?" : "DELETE FROM games WHERE id = ?",
             {id})
             .numRowsAffected() == 1;
}

bool ScoreStore::Ban(const QString& nameKey, qint64 nowSeconds) {
  // A second ban keeps the time of the first.
  return Run("UPDATE players SET banned = COALESCE(banned, ?) WHERE name_key = ?",
             {nowSeconds, nameKey})
             .numRowsAffected() == 1;
}

std::vector<ListedGame> ScoreStore::Listed(QSqlQuery query) {
  std::vector<ListedGame> games;
  while (query.next()) {
    games.push_back({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
  }
  return games;
}

}  // namespace pyxaro
