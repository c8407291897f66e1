#pragma once

#include <QHostAddress>
#include <QStringList>
#include <variant>

#include "server/database_address.h"
#include "server/front_limits.h"

namespace pyxaro {

struct ServerOptions {
  QHostAddress address;
  quint16 port = 0;
  DatabaseAddress database;
  bool behindProxy = false;
  FrontLimits limits;
};

// A look at or a change to the database an operator makes, beside any server
// running on it, after which the program ends.
struct OperatorCommand {
  enum class Kind { ListRecent, RemoveGame, Ban };
  Kind kind = Kind::ListRecent;
  DatabaseAddress database;
  int count = 0;   // how many games to list
  QString target;  // the game's id or the name
};

// What the program prints before it stops at once: the help, the version or
// what is wrong with the command line, and the exit code.
struct ImmediateExit {
  int code = 0;
  QString text;
};

std::variant<ServerOptions, OperatorCommand, ImmediateExit> ReadCommandLine(
    const QStringList& arguments);

}  // namespace pyxaro
