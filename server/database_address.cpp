#include "server/database_address.h"

#include <QUrl>
#include <QUrlQuery>

namespace pyxaro {

namespace {

constexpr QStringView kSqlitePrefix = u"sqlite:";

std::optional<DatabaseAddress> PostgreSqlAddress(const QString& text) {
  const QUrl url(text, QUrl::StrictMode);
  if (!url.isValid() || (url.scheme() != "postgresql" && url.scheme() != "postgres")) {
    return std::nullopt;
  }
  DatabaseAddress address;
  address.engine = DatabaseAddress::Engine::PostgreSQL;
  address.host = url.host();
  address.port = url.port(address.port);
  address.user = url.userName();
  address.password = url.password();
  address.name = url.path().mid(1);
  const QUrlQuery query(url);
  if (query.hasQueryItem("host")) {
    address.host = query.queryItemValue("host", QUrl::FullyDecoded);
  }
  // libpq would guess each of these from the environment; the server runs on
  // what its command line says, so whatever is missing is an error here.
  if (address.host.isEmpty() || address.user.isEmpty() || address.name.isEmpty() ||
      address.name.contains('/')) {
    return std::nullopt;
  }
  return address;
}

}  // namespace

std::optional<DatabaseAddress> ParseDatabaseAddress(const QString& text) {
  if (text.startsWith(kSqlitePrefix)) {
    const QString file = text.mid(kSqlitePrefix.size());
    if (file.isEmpty()) return std::nullopt;
    DatabaseAddress address;
    address.file = file;
    return address;
  }
  return PostgreSqlAddress(text);
}

}  // namespace pyxaro
