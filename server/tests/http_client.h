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
// answer, running an event loop of its own meanwhile, so that a server in the
// same thread answers and any thread may ask; status 0 when nothing came back
// in time.
HttpAnswer Fetch(quint16 port, const QByteArray& target, const QByteArray& method = "GET",
                 const QByteArray& extraHeaders = {});

}  // namespace pyxaro::testing
