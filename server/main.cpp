#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>
#include <cstring>
#include <memory>
#include <variant>

#include "server/command_line.h"
#include "server/operator_commands.h"
#include "server/score_site.h"
#include "server/score_store.h"
#include "server/site_server.h"
#include "server/store_error.h"

namespace {

QLoggingCategory::CategoryFilter qtFilter = nullptr;

// Qt's HTTP server can log whole requests, query and password included,
// when its categories are switched on; they stay off whatever the
// environment says.
void KeepRequestsOutOfLog(QLoggingCategory* category) {
  qtFilter(category);
  if (std::strncmp(category->categoryName(), "qt.httpserver", 13) == 0) {
    for (const QtMsgType type : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg}) {
      category->setEnabled(type, false);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  qtFilter = QLoggingCategory::installFilter(KeepRequestsOutOfLog);
  QTextStream out(stdout);
  QTextStream err(stderr);

  const auto options = pyxaro::ReadCommandLine(application.arguments());
  if (const auto* exit = std::get_if<pyxaro::ImmediateExit>(&options)) {
    (exit->code == 0 ? out : err) << exit->text;
    return exit->code;
  }
  if (const auto* command = std::get_if<pyxaro::OperatorCommand>(&options)) {
    return pyxaro::RunOperatorCommand(*command, out, err);
  }
  const auto& server = std::get<pyxaro::ServerOptions>(options);

  std::unique_ptr<pyxaro::ScoreStore> store;
  try {
    store = std::make_unique<pyxaro::ScoreStore>(server.database);
  } catch (const pyxaro::StoreError& error) {
    err << "pyxaro-scores: " << error.what() << "\n";
    return 1;
  }
  pyxaro::ScoreSite site(*store, [] { return QDateTime::currentDateTimeUtc(); });
  pyxaro::SiteServer http(site, server.behindProxy);
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
