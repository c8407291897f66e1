#include "server/operator_commands.h"

#include <QDateTime>
#include <optional>

#include "server/pages.h"
#include "server/score_site.h"
#include "server/score_store.h"
#include "server/store_error.h"

namespace pyxaro {

namespace {

// Rows and games of the day are numbered apart, so an id names its table:
// "g12" a row, "d7" a game of the day.
QString GameId(const RecentGame& game) {
  return (game.ofTheDay ? "d" : "g") + QString::number(game.id);
}

struct ReadId {
  bool ofTheDay = false;
  qint64 id = 0;
};

std::optional<ReadId> ReadGameId(const QString& text) {
  if (!text.startsWith('g') && !text.startsWith('d')) return std::nullopt;
  bool number = false;
  const qint64 id = text.sliced(1).toLongLong(&number);
  if (!number || id < 1) return std::nullopt;
  return ReadId{text.startsWith('d'), id};
}

int Run(const OperatorCommand& command, ScoreStore& store, QTextStream& out, QTextStream& err) {
  switch (command.kind) {
    case OperatorCommand::Kind::ListRecent:
      for (const RecentGame& game : store.Recent(command.count)) {
        const QString entered =
            QDateTime::fromSecsSinceEpoch(game.enteredSeconds, Qt::UTC).toString(Qt::ISODate);
        out << GameId(game) << '\t' << game.name << '\t' << game.points << '\t'
            << (game.ofTheDay ? game.day : MonthText(game.month)) << '\t' << entered << '\n';
      }
      return 0;
    case OperatorCommand::Kind::RemoveGame: {
      const std::optional<ReadId> id = ReadGameId(command.target);
      if (!id || !store.RemoveGame(id->ofTheDay, id->id)) {
        err << "pyxaro-scores: no game has the id " << command.target
            << "; --list-recent shows the ids, such as g12 or d7\n";
        return 1;
      }
      out << "Removed game " << command.target << "\n";
      return 0;
    }
    case OperatorCommand::Kind::Ban:
      if (!store.Ban(NameKey(command.target), QDateTime::currentSecsSinceEpoch())) {
        err << "pyxaro-scores: no player is named " << command.target << "\n";
        return 1;
      }
      out << "Banned " << command.target.simplified() << "\n";
      return 0;
  }
  return 1;
}

}  // namespace

int RunOperatorCommand(const OperatorCommand& command, QTextStream& out, QTextStream& err) {
  try {
    ScoreStore store(command.database);
    return Run(command, store, out, err);
  } catch (const StoreError& error) {
    err << "pyxaro-scores: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace pyxaro
