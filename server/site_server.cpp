#include "server/site_server.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMetaEnum>
#include <QUrl>
#include <memory>

#include "server/pages.h"

namespace pyxaro {

namespace {

// Enough of a path to tell the pages apart in the log.
constexpr int kLoggedPathLength = 100;

SiteRequest::Method MethodOf(const QHttpServerRequest& request) {
  switch (request.method()) {
    case QHttpServerRequest::Method::Get:
      return SiteRequest::Method::Get;
    case QHttpServerRequest::Method::Head:
      return SiteRequest::Method::Head;
    default:
      return SiteRequest::Method::Other;
  }
}

QString ClientOf(const QHttpServerRequest& request, bool behindProxy) {
  const QString peer = request.remoteAddress().toString();
  if (!behindProxy) return peer;
  const QByteArray forwarded = request.value("X-Forwarded-For");
  const QString last =
      QString::fromLatin1(forwarded.sliced(forwarded.lastIndexOf(',') + 1)).trimmed();
  return last.isEmpty() ? peer : last;
}

}  // namespace

void SiteServer::Send(QHttpServerResponder& responder, const SiteRequest& asked,
                      const Reply& reply) const {
  responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply.status));
  responder.writeHeader("Content-Type", reply.contentType);
  responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
  responder.writeHeader("Content-Security-Policy", contentSecurityPolicy_);
  responder.writeHeader("X-Content-Type-Options", "nosniff");
  // A page reached from the submission must not pass its address, and with
  // it the password, on to the next one.
  responder.writeHeader("Referrer-Policy", "no-referrer");
  responder.writeHeader("Cache-Control", "no-store");
  for (const auto& [name, value] : reply.headers) responder.writeHeader(name, value);
  responder.writeBody(asked.method == SiteRequest::Method::Head ? QByteArray() : reply.body);
}

SiteServer::SiteServer(ScoreSite& site, bool behindProxy)
    : site_(site), behindProxy_(behindProxy), contentSecurityPolicy_(ContentSecurityPolicy()) {}

bool SiteServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  // Qt has read the target into a QUrl already, which writes a stray % as
  // %25; every other escape reaches the site as it was sent.
  const QUrl url = request.url();
  const SiteRequest asked{MethodOf(request), url.path(QUrl::FullyEncoded).toLatin1(),
                          url.query(QUrl::FullyEncoded).toLatin1(),
                          ClientOf(request, behindProxy_)};
  site_.Answer(asked, [this, asked, method = request.method(),
                       responder = std::make_shared<QHttpServerResponder>(
                           makeResponder(request, socket))](const Reply& reply) {
    Send(*responder, asked, reply);
    const char* methodName =
        QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(static_cast<int>(method));
    qInfo().noquote() << methodName << asked.path.left(kLoggedPathLength) << reply.status;
  });
  return true;
}

void SiteServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
  makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

}  // namespace pyxaro
