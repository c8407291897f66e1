#pragma once

#include <QAbstractHttpServer>
#include <QHttpServerResponder>

#include "server/score_site.h"

namespace pyxaro {

// Carries HTTP requests to the site and its replies back. Only the method
// and path of a request are logged: the query holds the player's password.
class SiteServer : public QAbstractHttpServer {
 public:
  // Behind a reverse proxy every request comes from the proxy; the client is
  // then the last address of X-Forwarded-For, which the proxy appends.
  SiteServer(ScoreSite& site, bool behindProxy);

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 private:
  void Send(QHttpServerResponder& responder, const SiteRequest& asked, const Reply& reply) const;

  ScoreSite& site_;
  bool behindProxy_;
  QByteArray contentSecurityPolicy_;
};

}  // namespace pyxaro
