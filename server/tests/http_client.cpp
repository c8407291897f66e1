#include "http_client.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>

namespace pyxaro::testing {

namespace {

constexpr int kTimeoutMs = 20000;

// Whether the bytes hold a whole answer, parsed into `answer` when they do.
bool Complete(const QByteArray& bytes, bool head, HttpAnswer& answer) {
  const qsizetype end = bytes.indexOf("\r\n\r\n");
  if (end < 0) return false;
  const QList<QByteArray> lines = bytes.left(end).split('\n');
  answer = {lines.front().split(' ').value(1).toInt(), {}, {}};
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const qsizetype colon = lines[i].indexOf(':');
    answer.headers.insert(lines[i].left(colon).toLower(), lines[i].mid(colon + 1).trimmed());
  }
  const qsizetype length = head ? 0 : answer.headers.value("content-length").toLongLong();
  answer.body = bytes.mid(end + 4);
  return answer.body.size() >= length;
}

}  // namespace

HttpAnswer Fetch(quint16 port, const QByteArray& target, const QByteArray& method,
                 const QByteArray& extraHeaders) {
  QTcpSocket socket;
  QEventLoop loop;
  QByteArray received;
  HttpAnswer answer;
  const bool head = method == "HEAD";
  QObject::connect(&socket, &QTcpSocket::connected, [&] {
    socket.write(method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders +
                 "Connection: close\r\n\r\n");
  });
  QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
    received += socket.readAll();
    if (Complete(received, head, answer)) loop.quit();
  });
  QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
  QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
  socket.connectToHost("127.0.0.1", port);
  loop.exec();
  received += socket.readAll();
  if (!Complete(received, head, answer)) return {};
  return answer;
}

}  // namespace pyxaro::testing
