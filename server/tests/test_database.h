#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include "server/database_address.h"

namespace pyxaro::testing {

// An empty database for one test: a SQLite file in a temporary folder, or a
// database of its own on the cluster pg_cluster.sh started, whose state file
// PYXARO_TEST_PG_STATE names. Without the cluster the test fails.
class TestDatabase {
 public:
  explicit TestDatabase(DatabaseAddress::Engine engine);
  ~TestDatabase();

  const DatabaseAddress& Address() const { return address_; }
  // One statement on a connection of its own, past the store.
  void Run(const QString& statement) const;
  // The same on the PostgreSQL cluster's own database, where this one is made and dropped.
  void RunOnCluster(const QString& statement) const;

 private:
  QTemporaryDir folder_;
  DatabaseAddress address_;
};

// A suite whose parameter is the engine runs once on each.
#define PYXARO_ON_BOTH_ENGINES(suite)                                                          \
  INSTANTIATE_TEST_SUITE_P(                                                                    \
      Engines, suite,                                                                          \
      ::testing::Values(DatabaseAddress::Engine::SQLite, DatabaseAddress::Engine::PostgreSQL), \
      [](const auto& info) {                                                                   \
        return info.param == DatabaseAddress::Engine::SQLite ? "SQLite" : "PostgreSQL";        \
      })

}  // namespace pyxaro::testing
