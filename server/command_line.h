#pragma once

#include <QHostAddress>
#include <QStringList>
#include <variant>

#include "server/database_address.h"

namespace pyxaro {

struct ServerOptions {
  QHostAddress address;
  quint16 port = 0;
  DatabaseAddress database;
  bool behindProxy = false;
};

// What the program prints before it stops at once: the help, the version or
// what is wrong with the command line, and the exit code.
struct ImmediateExit {
  int code = 0;
  QString text;
};

std::variant<ServerOptions, ImmediateExit> ReadCommandLine(const QStringList& arguments);

}  // namespace pyxaro
