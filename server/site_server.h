#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <list>
#include <memory>
#include <unordered_set>

#include "server/front_limits.h"
#include "server/score_site.h"

class QTcpServer;

namespace pyxaro {

// Carries HTTP/1.1 requests to the site and its replies back, and bounds what
// a client can make it hold: a request head of bounded length that must
// arrive in time, no bodies, and a bounded number of connections, in all and
// per client. Only the method and path of a request are logged: the query
// holds the player's password.
class SiteServer : public QObject {
 public:
  // Behind a reverse proxy every request comes from the proxy; the client is
  // then the last address of X-Forwarded-For, which the proxy appends.
  SiteServer(ScoreSite& site, bool behindProxy, FrontLimits limits = {});
  ~SiteServer() override;

  // The port it listens on, 0 when it cannot listen there.
  quint16 listen(const QHostAddress& address, quint16 port);

 private:
  class Connection;

  void Accept(qintptr descriptor);
  // Closes the connection idle longest, of that client when one is named;
  // false when no connection is idle.
  bool CloseOldestIdle(const QHostAddress* client);
  // The address connections are counted by.
  static QHostAddress ClientKey(const QHostAddress& peer);

  ScoreSite& site_;
  bool behindProxy_;
  FrontLimits limits_;
  QByteArray contentSecurityPolicy_;
  int mostConnections_;
  std::unique_ptr<QTcpServer> listener_;
  std::unordered_set<Connection*> connections_;
  std::list<Connection*> idle_;  // the longest idle first
  QHash<QHostAddress, int> perClient_;
};

}  // namespace pyxaro
