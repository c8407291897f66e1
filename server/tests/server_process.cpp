#include "server_process.h"

#include <QUrl>

namespace pyxaro::testing {

namespace {

constexpr int kStartMs = 20000;

}  // namespace

QString CommandLineAddress(const DatabaseAddress& address) {
  if (address.engine == DatabaseAddress::Engine::SQLite) return "sqlite:" + address.file;
  return QString("postgresql://%1@/%2?host=%3")
      .arg(address.user, address.name, QString::fromLatin1(QUrl::toPercentEncoding(address.host)));
}

ServerProcess::ServerProcess(const QString& executable, const DatabaseAddress& database,
                             const QStringList& moreArguments,
                             const QProcessEnvironment& environment) {
  process_.setProcessEnvironment(environment);
  process_.start(executable, QStringList{"--listen", "127.0.0.1:0", "--database",
                                         CommandLineAddress(database)} +
                                 moreArguments);
  // The first line names the port: "Listening on http://127.0.0.1:PORT/".
  while (!printed_.contains('\n') && process_.waitForReadyRead(kStartMs)) {
    printed_ += process_.readAllStandardOutput();
  }
  const QByteArray line = printed_.left(printed_.indexOf('\n'));
  if (line.startsWith("Listening on ")) {
    port_ = line.sliced(line.lastIndexOf(':') + 1).chopped(1).toUShort();
  }
}

ServerProcess::~ServerProcess() { Kill(); }

QByteArray ServerProcess::Stop() {
  process_.terminate();
  process_.waitForFinished();
  return printed_ + process_.readAllStandardOutput() + process_.readAllStandardError();
}

void ServerProcess::Kill() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.kill();
  process_.waitForFinished();
}

}  // namespace pyxaro::testing
