#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <optional>
#include <vector>

#include "server/database_address.h"

class QSqlQuery;

namespace pyxaro {

struct PlayerRecord {
  qint64 id = 0;
  QString name;
  QByteArray passwordHash;
  bool banned = false;
};

struct GameRecord {
  qint64 playerId = 0;
  int points = 0;
  int month = 0;
  QString checkValue;
  int version = 0;
  qint64 enteredSeconds = 0;
};

// A player's finished game of a day, its points those its moves make.
struct DayGameRecord {
  qint64 playerId = 0;
  QString day;  // "2026-12-08"
  int points = 0;
  QString moves;
  int version = 0;
  qint64 enteredSeconds = 0;
};

// A row of a day's list, best first.
struct DayListedGame {
  QString name;
  int points = 0;

  bool operator==(const DayListedGame&) const = default;
};

// What became of a game of the day sent to the store.
enum class DayEntry { Added, SameGame, OtherGame };

// A row of a list, best first.
struct ListedGame {
  QString name;
  int points = 0;
  int month = 0;

  bool operator==(const ListedGame&) const = default;
};

// A game as the operator's list of the latest shows it: a row or a game of
// the day, each numbered in its own table.
struct RecentGame {
  bool ofTheDay = false;
  qint64 id = 0;
  QString name;
  int points = 0;
  int month = 0;  // a row's
  QString day;    // a game of the day's
  qint64 enteredSeconds = 0;

  bool operator==(const RecentGame&) const = default;
};

// Where a game stands, 1 for the best, among the players of its month and of
// all time, each by the best game that stands above it. Equal points stand
// below the games entered before.
struct Standing {
  int inMonth = 0;
  int allTime = 0;
};

// The players and their games in SQLite or PostgreSQL; nothing outside
// this class knows which. Every failed statement throws StoreError. One
// that failed because the connection is gone is run once more on a new one,
// so a database server that restarted or ended the connection fails no
// statement once it takes connections again.
class ScoreStore {
 public:
  // Opens the database, creating a SQLite file that is not there yet, and
  // brings its schema up to date.
  explicit ScoreStore(const DatabaseAddress& address);
  ~ScoreStore();
  ScoreStore(const ScoreStore&) = delete;
  ScoreStore& operator=(const ScoreStore&) = delete;

  std::optional<PlayerRecord> FindPlayer(const QString& nameKey);
  // The new player's id, the name's skeleton kept beside it; nothing when
  // another request registered the key first.
  std::optional<qint64> AddPlayer(const QString& name, const QString& nameKey,
                                  const QByteArray& passwordHash, qint64 nowSeconds);
  // The name of a player other than the key's whose name looks the same:
  // the first registered of them, when there are several from before.
  std::optional<QString> LookAlike(const QString& skeleton, const QString& nameKey);
  // False when the same game of the same player is there already.
  bool AddGame(const GameRecord& game);
  // The standing of a game that is there.
  Standing StandingOf(const GameRecord& game);
  // The best game of each player in one month, or of all time for nothing,
  // the best first.
  std::vector<ListedGame> Top(std::optional<int> month, int limit);
  std::vector<ListedGame> BestOf(qint64 playerId, int limit);

  // Added, or not because the player has this very game of the day there
  // already, or another game of that day.
  DayEntry AddDayGame(const DayGameRecord& game);
  // Where the player's game of the day stands among that day's, 1 for the
  // best; equal points stand below the games entered before.
  int DayStandingOf(qint64 playerId, const QString& day);
  std::vector<DayListedGame> DayTop(const QString& day, int limit);
  // The advisor's total on the day's dice, once it is kept.
  std::optional<int> AdvisorPoints(const QString& day);
  void KeepAdvisorPoints(const QString& day, int points);
  // The schema version the database has, read from it.
  int SchemaVersion();

  // The games entered last, rows and games of the day together, the newest
  // first; banned names' among them.
  std::vector<RecentGame> Recent(int limit);
  // False when there is no such game.
  bool RemoveGame(bool ofTheDay, qint64 id);
  // Hides the player's games from every list and refuses its submissions;
  // false when no player has the key.
  bool Ban(const QString& nameKey, qint64 nowSeconds);

 private:
  void Open(const DatabaseAddress& address);
  void Connect();
  void Close();
  QSqlQuery Run(const QString& statement, std::initializer_list<QVariant> values);
  QSqlQuery RunOnce(const QString& statement, std::initializer_list<QVariant> values);
  // Whether the connection still runs a statement.
  bool Answers();
  std::vector<ListedGame> Listed(QSqlQuery query);

  QString connectionName_;
  QSqlDatabase database_;
};

}  // namespace pyxaro
