#pragma once

#include <QSqlDatabase>

#include "server/database_address.h"

namespace pyxaro {

// The schema version this build writes and reads.
int NewestSchemaVersion();

// Brings the database to the newest schema, each step in a transaction of its
// own and recorded in schema_version. Throws StoreError when a step fails or
// the database is newer than this build.
void Migrate(QSqlDatabase& database, DatabaseAddress::Engine engine);

}  // namespace pyxaro
