#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

#include "server/database_address.h"

namespace pyxaro::testing {

// Runs `work` on a connection of its own, past the store; the database's
// complaint, or what `work` returns.
QString OnOwnConnection(const DatabaseAddress& address,
                        const std::function<QString(QSqlDatabase&)>& work);

// Runs one statement on a connection of its own, past the store; the
// database's complaint, or nothing when it ran.
QString RunDirectly(const DatabaseAddress& address, const QString& statement);

}  // namespace pyxaro::testing
