#pragma once

#include <QString>

#include "server/database_address.h"

namespace pyxaro::testing {

// Runs one statement on a connection of its own, past the store; the
// database's complaint, or nothing when it ran.
QString RunDirectly(const DatabaseAddress& address, const QString& statement);

}  // namespace pyxaro::testing
