#pragma once

#include <QString>
#include <QTemporaryDir>

#include "server/database_address.h"

namespace pyxaro::testing {

// An empty database of its own for one test: a SQLite file in a temporary
// folder, or a database on the cluster pg_cluster.sh started, whose state
// file PYXARO_TEST_PG_STATE names. A missing cluster fails the test.
class TestDatabase {
 public:
  explicit TestDatabase(DatabaseAddress::Engine engine);
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  const DatabaseAddress& Address() const { return address_; }
  // One statement on a connection of its own, past the store.
  void Run(const QString& statement) const;

 private:
  QTemporaryDir folder_;
  DatabaseAddress address_;
};

// For the names of parameterised tests.
QString EngineName(DatabaseAddress::Engine engine);

}  // namespace pyxaro::testing
