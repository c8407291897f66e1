#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include "server/database_address.h"

namespace pyxaro::testing {

// The address as the --database option of pyxaro-scores reads it.
QString CommandLineAddress(const DatabaseAddress& address);

// The built pyxaro-scores, listening on 127.0.0.1 at a port the system
// picked, as long as this lives.
class ServerProcess {
 public:
  ServerProcess(const QString& executable, const DatabaseAddress& database,
                const QStringList& moreArguments = {},
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // 0 when the program did not say where it listens.
  quint16 Port() const { return port_; }
  qint64 Pid() const { return process_.processId(); }
  // Ends it as a service manager would, and returns everything it printed.
  QByteArray Stop();
  // Ends it at once with SIGKILL, leaving it no moment to tidy up.
  void Kill();

 private:
  QProcess process_;
  QByteArray printed_;
  quint16 port_ = 0;
};

}  // namespace pyxaro::testing
