#pragma once

#include <QByteArray>
#include <QMap>

namespace pyxaro::testing {

struct HttpAnswer {
  int status = 0;
  QMap<QByteArray, QByteArray> headers;  // names in lower case
  QByteArray body;
};

// Sends one request exactly as written to a server on 127.0.0.1 and reads the
// answer, running the event loop meanwhile so a server in the same thread
// answers; status 0 when nothing came back in time.
HttpAnswer Fetch(quint16 port, const QByteArray& target, const QByteArray& method = "GET",
                 const QByteArray& extraHeaders = {});

// The same for a server in another process, from any thread: it blocks
// instead of running an event loop.
HttpAnswer FetchBlocking(quint16 port, const QByteArray& target,
                         const QByteArray& extraHeaders = {});

}  // namespace pyxaro::testing
