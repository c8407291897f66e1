#include "direct_statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace pyxaro::testing {

QString RunDirectly(const DatabaseAddress& address, const QString& statement) {
  const QString connection = "pyxaro-test-direct";
  QString complaint;
  {
    const bool sqlite = address.engine == DatabaseAddress::Engine::SQLite;
    QSqlDatabase database = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", connection);
    database.setDatabaseName(sqlite ? address.file : address.name);
    database.setHostName(address.host);
    database.setUserName(address.user);
    if (!database.open()) {
      complaint = "cannot open the database: " + database.lastError().text();
    } else {
      QSqlQuery query(database);
      if (!query.exec(statement)) complaint = query.lastError().text();
    }
  }
  QSqlDatabase::removeDatabase(connection);
  return complaint;
}

}  // namespace pyxaro::testing
