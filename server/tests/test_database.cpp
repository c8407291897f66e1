#include "test_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>

#include "direct_statement.h"

namespace pyxaro::testing {

namespace {

// Runs one statement past the store; a complaint fails the test.
void RunOn(const DatabaseAddress& address, const QString& statement) {
  const QString complaint = RunDirectly(address, statement);
  EXPECT_TRUE(complaint.isEmpty()) << complaint.toStdString();
}

DatabaseAddress Cluster() {
  DatabaseAddress cluster;
  cluster.engine = DatabaseAddress::Engine::PostgreSQL;
  QFile state(qEnvironmentVariable("PYXARO_TEST_PG_STATE"));
  if (!state.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "PYXARO_TEST_PG_STATE names no state file of pg_cluster.sh; run the tests "
                     "with ctest, which starts the cluster";
  }
  cluster.host = QString::fromUtf8(state.readAll()).trimmed();
  cluster.user = "postgres";
  cluster.name = "pyxaro_tests";
  return cluster;
}

}  // namespace

TestDatabase::TestDatabase(DatabaseAddress::Engine engine) {
  if (engine == DatabaseAddress::Engine::SQLite) {
    address_.file = folder_.filePath("scores.db");
    return;
  }
  static int made = 0;
  address_ = Cluster();
  const QString name = QString("test_%1_%2").arg(getpid()).arg(++made);
  RunOnCluster("CREATE DATABASE " + name);
  address_.name = name;
}

TestDatabase::~TestDatabase() {
  if (address_.engine == DatabaseAddress::Engine::PostgreSQL) {
    RunOnCluster("DROP DATABASE IF EXISTS " + address_.name + " WITH (FORCE)");
  }
}

void TestDatabase::Run(const QString& statement) const { RunOn(address_, statement); }

void TestDatabase::RunOnCluster(const QString& statement) const { RunOn(Cluster(), statement); }

}  // namespace pyxaro::testing
