#pragma once

#include <QTextStream>

#include "server/command_line.h"

namespace pyxaro {

// Runs the command on the database, printing what it shows or did to `out`
// and why it failed to `err`; the program's exit status, 0 when it did it.
int RunOperatorCommand(const OperatorCommand& command, QTextStream& out, QTextStream& err);

}  // namespace pyxaro
