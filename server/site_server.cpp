#include "server/site_server.h"

#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QBasicTimer>
#include <QByteArrayView>
#include <QDebug>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "server/pages.h"
#include "server/reply.h"
#include "server/request_head.h"

namespace pyxaro {

namespace {

// Enough of a method and a path to tell the requests apart in the log.
constexpr int kLoggedPathLength = 100;
// What Qt reads ahead of the front while it answers: the rest waits in the
// kernel, whose full buffer stops the client.
constexpr qint64 kReadAhead = 16 * 1024;
// How long a closing connection's late bytes are dropped after its last
// answer, so that the client reads that answer rather than a reset.
constexpr int kLingerMs = 1000;
// How long accepting pauses after an error such as running out of files,
// so that the error is not met again at once in a loop.
constexpr int kAcceptRetryMs = 100;
// Connections the kernel queues before they are accepted: a burst waits
// there rather than being dropped and tried again a second later.
constexpr int kListenBacklog = 1024;

class Listener : public QTcpServer {
 public:
  explicit Listener(std::function<void(qintptr)> accept) : accept_(std::move(accept)) {}

 protected:
  void incomingConnection(qintptr descriptor) override { accept_(descriptor); }

 private:
  std::function<void(qintptr)> accept_;
};

QByteArrayView ReasonOf(int status) {
  static const std::pair<int, QByteArrayView> kReasons[] = {
      {200, "OK"},
      {400, "Bad Request"},
      {403, "Forbidden"},
      {404, "Not Found"},
      {405, "Method Not Allowed"},
      {408, "Request Timeout"},
      {409, "Conflict"},
      {413, "Content Too Large"},
      {414, "URI Too Long"},
      {429, "Too Many Requests"},
      {431, "Request Header Fields Too Large"},
      {500, "Internal Server Error"},
      {501, "Not Implemented"},
      {503, "Service Unavailable"},
      {505, "HTTP Version Not Supported"},
  };
  for (const auto& [known, reason] : kReasons) {
    if (known == status) return reason;
  }
  return {};
}

// The answer as it goes on the wire, with the headers every answer carries.
QByteArray Wire(const Reply& reply, bool withBody, bool keepAlive,
                const QByteArray& contentSecurityPolicy) {
  QByteArray bytes = "HTTP/1.1 " + QByteArray::number(reply.status) + " ";
  bytes += ReasonOf(reply.status);
  bytes += "\r\n";
  const auto header = [&bytes](QByteArrayView name, QByteArrayView value) {
    bytes += name;
    bytes += ": ";
    bytes += value;
    bytes += "\r\n";
  };
  header("Content-Type", reply.contentType);
  header("Content-Length", QByteArray::number(reply.body.size()));
  header("Content-Security-Policy", contentSecurityPolicy);
  header("X-Content-Type-Options", "nosniff");
  // A page reached from the submission must not pass its address, and with
  // it the password, on to the next one.
  header("Referrer-Policy", "no-referrer");
  header("Cache-Control", "no-store");
  for (const auto& [name, value] : reply.headers) header(name, value);
  header("Connection", keepAlive ? "keep-alive" : "close");
  bytes += "\r\n";
  if (withBody) bytes += reply.body;
  return bytes;
}

// The front's own answer to a request it does not pass on.
Reply FrontRefusal(int status) {
  switch (status) {
    case 408:
      return MessagePage(status, "Too slow", "The request did not arrive in time.");
    case 413:
    case 501:
      return MessagePage(status, "Not taken", "The list reads no request bodies.");
    case 414:
      return AddressTooLong();
    case 431:
      return MessagePage(status, "Headers too long",
                         "The request's headers are longer than the list reads.");
    case 503:
      return MessagePage(status, "Busy",
                         "The list has too many connections open. Try again in a moment.");
    case 505:
      return MessagePage(status, "Not taken", "The list speaks HTTP/1.1.");
    default:
      return MessagePage(400, "Bad request", "The list cannot read this request.");
  }
}

// Once a connection's last answer is written its sending side is shut, and
// what the client sends meanwhile is dropped until it closes too: closing on
// unread bytes would reset the connection, which can cost the client the
// answer it has not read yet. The caller ends the wait.
void Linger(QTcpSocket* socket) {
  ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
  QObject::connect(socket, &QTcpSocket::readyRead, socket,
                   [socket] { socket->skip(socket->bytesAvailable()); });
  socket->skip(socket->bytesAvailable());
}

SiteRequest::Method MethodOf(const QByteArray& method) {
  if (method == "GET") return SiteRequest::Method::Get;
  if (method == "HEAD") return SiteRequest::Method::Head;
  return SiteRequest::Method::Other;
}

void Log(const QByteArray& method, const QByteArray& path, int status) {
  qInfo().noquote() << (method.isEmpty() ? "-" : method.left(kLoggedPathLength))
                    << (path.isEmpty() ? "-" : path.left(kLoggedPathLength)) << status;
}

// Half the files the process may open, so that sockets still closing, the
// database and the log find files too.
int FileLimitShare() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return kMostConnections;
  }
  return static_cast<int>(std::min<rlim_t>(limit.rlim_cur / 2, kMostConnections));
}

}  // namespace

// One client's connection: its requests are read one at a time, the next
// once the answer to the one before is written, so that a client that sends
// many at once or takes no answers holds one request's bytes and one answer.
class SiteServer::Connection : public QObject {
 public:
  Connection(SiteServer& server, QTcpSocket* socket, QHostAddress client)
      : QObject(&server), server_(server), socket_(socket), client_(std::move(client)) {
    socket_->setParent(this);
    socket_->setReadBufferSize(kReadAhead);
    server_.connections_.insert(this);
    ++server_.perClient_[client_];
    connect(socket_, &QTcpSocket::readyRead, this, [this] { Read(false); });
    connect(socket_, &QTcpSocket::bytesWritten, this, [this] { Written(); });
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
      Forget();
      deleteLater();
    });
    BecomeIdle();
  }
  ~Connection() override { Forget(); }

  const QHostAddress& Client() const { return client_; }

  // Closes it without an answer: it has no request under way.
  void Close() {
    Forget();
    deleteLater();
    socket_->abort();
  }

 private:
  enum class Phase { Idle, Reading, Answering, Writing, Closing };

  void BecomeIdle() {
    phase_ = Phase::Idle;
    idleAt_ = server_.idle_.insert(server_.idle_.end(), this);
    timer_.start(server_.limits_.idleTimeoutSeconds * 1000, this);
  }

  // Takes what arrived of the request under way and passes the request on
  // once its head is whole. Resumed after an answer, the bytes that came
  // with the request before are read first.
  void Read(bool resumed) {
    if (phase_ != Phase::Idle && phase_ != Phase::Reading) return;
    const QByteArray arrived = socket_->read(kLongestHead - buffer_.size());
    buffer_ += arrived;
    if (buffer_.isEmpty()) return;
    if (phase_ == Phase::Idle) {
      server_.idle_.erase(idleAt_);
      phase_ = Phase::Reading;
      timer_.start(server_.limits_.requestTimeoutSeconds * 1000, this);
    }
    // A head is decided only at the end of a line or at its bound, so a
    // client that sends it a byte at a time is not read again each time.
    if (!resumed && !arrived.contains('\n') && buffer_.size() < kLongestHead) return;
    const RequestHead head = ReadRequestHead(buffer_);
    if (head.state == RequestHead::State::Refused) {
      Refuse(head.status, head.method, head.path);
    } else if (head.state == RequestHead::State::Whole) {
      buffer_.remove(0, head.length);
      if (buffer_.isEmpty()) buffer_.clear();
      Ask(head);
    }
  }

  void Ask(const RequestHead& head) {
    phase_ = Phase::Answering;
    timer_.stop();
    keepAlive_ = head.keepAlive;
    const QString peer = socket_->peerAddress().toString();
    const QString client = server_.behindProxy_ && !head.forwardedFor.isEmpty()
                               ? QString::fromLatin1(head.forwardedFor)
                               : peer;
    const SiteRequest request{MethodOf(head.method), head.path, head.query, client};
    // The site may answer after the client has gone, and this with it.
    server_.site_.Answer(
        request, [connection = QPointer<Connection>(this), method = head.method,
                  path = head.path.left(kLoggedPathLength),
                  withBody = request.method != SiteRequest::Method::Head](const Reply& reply) {
          Log(method, path, reply.status);
          if (connection) connection->Send(reply, withBody);
        });
  }

  void Refuse(int status, const QByteArray& method, const QByteArray& path) {
    Log(method, path, status);
    keepAlive_ = false;
    Send(FrontRefusal(status), method != "HEAD");
  }

  void Send(const Reply& reply, bool withBody) {
    if (forgotten_) return;  // closed while the site was answering
    phase_ = Phase::Writing;
    // A client that takes no answer is given the idle time to take some.
    timer_.start(server_.limits_.idleTimeoutSeconds * 1000, this);
    socket_->write(Wire(reply, withBody, keepAlive_, server_.contentSecurityPolicy_));
  }

  void Written() {
    if (phase_ != Phase::Writing) return;
    if (socket_->bytesToWrite() > 0) {
      timer_.start(server_.limits_.idleTimeoutSeconds * 1000, this);
      return;
    }
    if (keepAlive_) {
      BecomeIdle();
      Read(true);
      return;
    }
    phase_ = Phase::Closing;
    Linger(socket_);
    timer_.start(kLingerMs, this);
  }

  void timerEvent(QTimerEvent* event) override {
    if (event->timerId() != timer_.timerId()) {
      QObject::timerEvent(event);
      return;
    }
    timer_.stop();
    if (phase_ == Phase::Reading) {
      Refuse(408, {}, {});
    } else {
      Close();
    }
  }

  // Counts it no longer among the server's connections. Once forgotten it
  // touches the server no more, as the server may be gone before it is
  // deleted.
  void Forget() {
    if (forgotten_) return;
    forgotten_ = true;
    server_.connections_.erase(this);
    if (phase_ == Phase::Idle) server_.idle_.erase(idleAt_);
    if (--server_.perClient_[client_] == 0) server_.perClient_.remove(client_);
    timer_.stop();
  }

  SiteServer& server_;
  QTcpSocket* socket_;
  const QHostAddress client_;
  Phase phase_ = Phase::Idle;
  std::list<Connection*>::iterator idleAt_;
  QByteArray buffer_;
  bool keepAlive_ = true;
  bool forgotten_ = false;
  QBasicTimer timer_;
};

SiteServer::SiteServer(ScoreSite& site, bool behindProxy, FrontLimits limits)
    : site_(site),
      behindProxy_(behindProxy),
      limits_(limits),
      contentSecurityPolicy_(ContentSecurityPolicy()),
      mostConnections_(FileLimitShare()),
      listener_(std::make_unique<Listener>([this](qintptr descriptor) { Accept(descriptor); })) {
  listener_->setListenBacklogSize(kListenBacklog);
  // Qt stops accepting after an error such as running out of files: the
  // connection idle longest makes room, and accepting resumes shortly.
  connect(listener_.get(), &QTcpServer::acceptError, this, [this] {
    CloseOldestIdle(nullptr);
    QTimer::singleShot(kAcceptRetryMs, listener_.get(), &QTcpServer::resumeAccepting);
  });
}

SiteServer::~SiteServer() {
  while (!connections_.empty()) delete *connections_.begin();
}

quint16 SiteServer::listen(const QHostAddress& address, quint16 port) {
  return listener_->listen(address, port) ? listener_->serverPort() : 0;
}

QHostAddress SiteServer::ClientKey(const QHostAddress& peer) {
  // Whoever holds an IPv6 address holds the 2^64 of its network as well.
  bool mapped = false;
  peer.toIPv4Address(&mapped);
  if (peer.protocol() != QAbstractSocket::IPv6Protocol || mapped) return peer;
  Q_IPV6ADDR network = peer.toIPv6Address();
  std::memset(&network[8], 0, 8);
  return QHostAddress(network);
}

void SiteServer::Accept(qintptr descriptor) {
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(descriptor)) {
    ::close(static_cast<int>(descriptor));
    delete socket;
    return;
  }
  // Behind a proxy every connection is the proxy's, so only the total counts.
  const QHostAddress client = behindProxy_ ? QHostAddress() : ClientKey(socket->peerAddress());
  const bool clientRoom =
      behindProxy_ || perClient_.value(client) < kConnectionsPerClient || CloseOldestIdle(&client);
  if (clientRoom &&
      (static_cast<int>(connections_.size()) < mostConnections_ || CloseOldestIdle(nullptr))) {
    new Connection(*this, socket, client);
    return;
  }
  Log({}, {}, 503);
  connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
    if (socket->bytesToWrite() == 0) Linger(socket);
  });
  socket->write(Wire(FrontRefusal(503), true, false, contentSecurityPolicy_));
  QTimer::singleShot(kLingerMs, socket, [socket] {
    socket->abort();
    socket->deleteLater();
  });
}

bool SiteServer::CloseOldestIdle(const QHostAddress* client) {
  const auto oldest = std::find_if(idle_.begin(), idle_.end(), [client](const Connection* c) {
    return client == nullptr || c->Client() == *client;
  });
  if (oldest == idle_.end()) return false;
  (*oldest)->Close();
  return true;
}

}  // namespace pyxaro
