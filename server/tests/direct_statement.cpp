#include "direct_statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace pyxaro::testing {

QString OnOwnConnection(const DatabaseAddress& address,
                        const std::function<QString(QSqlDatabase&)>& work) {
  const QString connection = "pyxaro-test-direct";
  QString complaint;
  {
    const bool sqlite = address.engine == DatabaseAddress::Engine::SQLite;
    QSqlDatabase database = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QPSQL", connection);
    database.setDatabaseName(sqlite ? address.file : address.name);
    database.setHostName(address.host);
    database.setUserName(address.user);
    complaint = database.open() ? work(database)
                                : "cannot open the database: " + database.lastError().text();
  }
  QSqlDatabase::removeDatabase(connection);
  return complaint;
}

QString RunDirectly(const DatabaseAddress& address, const QString& statement) {
  return OnOwnConnection(address, [&statement](QSqlDatabase& database) {
    QSqlQuery query(database);
    return query.exec(statement) ? QString() : query.lastError().text();
  });
}

}  // namespace pyxaro::testing
