#pragma once

#include <QSqlDatabase>

#include "server/database_address.h"

namespace pyxaro {

// The schema version this build writes and reads.
int NewestSchemaVersion();

// Brings the database to the target schema, the newest unless an older
// database is being made to test the steps after it, each step in a
// transaction of its own and recorded in schema_version. Throws StoreError
// when a step fails or the database is newer than this build.
void Migrate(QSqlDatabase& database, DatabaseAddress::Engine engine,
             int target = NewestSchemaVersion());

}  // namespace pyxaro
