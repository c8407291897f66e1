#include <sys/resource.h>

#include <QCoreApplication>
#include <QTextStream>
#include <memory>
#include <variant>

#include "server/command_line.h"
#include "server/operator_commands.h"
#include "server/score_site.h"
#include "server/score_store.h"
#include "server/site_server.h"
#include "server/store_error.h"

namespace {

// The soft limit on open files is raised to the hard one, as systemd advises
// a program that waits with poll() rather than select(), as Qt does: the
// server's connections are counted against it.
void RaiseFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max) return;
  limit.rlim_cur = limit.rlim_max;
  setrlimit(RLIMIT_NOFILE, &limit);
}

// A password in the address stands on the command line, which every user of
// the machine reads with ps; it still works, as set-ups may rely on it, but
// libpq finds it as well in ~/.pgpass or the file PGPASSFILE names.
void WarnOfPasswordInAddress(const pyxaro::DatabaseAddress& database, QTextStream& err) {
  if (database.password.isEmpty()) return;
  err << "pyxaro-scores: warning: every user of this machine sees the password in --database "
         "(ps); keep it in ~/.pgpass or the file PGPASSFILE names instead\n";
  err.flush();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);

  const auto options = pyxaro::ReadCommandLine(application.arguments());
  if (const auto* exit = std::get_if<pyxaro::ImmediateExit>(&options)) {
    (exit->code == 0 ? out : err) << exit->text;
    return exit->code;
  }
  if (const auto* command = std::get_if<pyxaro::OperatorCommand>(&options)) {
    WarnOfPasswordInAddress(command->database, err);
    return pyxaro::RunOperatorCommand(*command, out, err);
  }
  const auto& server = std::get<pyxaro::ServerOptions>(options);
  WarnOfPasswordInAddress(server.database, err);

  std::unique_ptr<pyxaro::ScoreStore> store;
  try {
    store = std::make_unique<pyxaro::ScoreStore>(server.database);
  } catch (const pyxaro::StoreError& error) {
    err << "pyxaro-scores: " << error.what() << "\n";
    return 1;
  }
  pyxaro::ScoreSite site(*store, [] { return QDateTime::currentDateTimeUtc(); });
  RaiseFileLimit();
  pyxaro::SiteServer http(site, server.behindProxy, server.limits);
  const quint16 port = http.listen(server.address, server.port);
  if (port == 0) {
    err << "pyxaro-scores: cannot listen on " << server.address.toString() << ":" << server.port
        << "\n";
    return 1;
  }
  QString host = server.address.toString();
  if (server.address.protocol() == QAbstractSocket::IPv6Protocol) host = "[" + host + "]";
  out << "Listening on http://" << host << ":" << port << "/" << Qt::endl;
  return application.exec();
}
