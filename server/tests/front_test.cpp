#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QThread>
#include <deque>

#include "http_client.h"
#include "server/front_limits.h"
#include "server/score_site.h"
#include "server_process.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

// A raw connection to the server on 127.0.0.1, closed with this.
class RawConnection {
 public:
  explicit RawConnection(quint16 port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    fcntl(fd_, F_SETFL, O_NONBLOCK);
  }
  ~RawConnection() { close(fd_); }
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  // Sends the bytes while it reads what comes back, until the server closes
  // the connection or the time is up; whether the server closed it.
  bool Exchange(QByteArrayView bytes, int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
      pollfd watched{fd_, static_cast<short>(POLLIN | (bytes.isEmpty() ? 0 : POLLOUT)), 0};
      if (poll(&watched, 1, static_cast<int>(std::max<qint64>(0, ms - clock.elapsed()))) <= 0) {
        continue;
      }
      if (watched.revents & POLLIN) {
        char chunk[65536];
        const ssize_t got = recv(fd_, chunk, sizeof chunk, 0);
        if (got <= 0) return true;
        received.append(chunk, got);
      } else if (watched.revents & POLLOUT) {
        const ssize_t sent =
            send(fd_, bytes.data(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL);
        bytes = sent < 0 ? QByteArrayView() : bytes.sliced(sent);
      }
    } while (connected_ && clock.elapsed() < ms);
    return false;
  }

  // The statuses of the whole answers received, -1 for bytes that are none.
  QList<int> Statuses() const {
    QList<int> statuses;
    qsizetype at = 0;
    while (received.sliced(at).startsWith("HTTP/1.1 ")) {
      const qsizetype end = received.indexOf("\r\n\r\n", at);
      const qsizetype length = received.indexOf("\r\nContent-Length: ", at) + 18;
      if (end < 0 || length > end) break;
      statuses << received.mid(at + 9, 3).toInt();
      at = end + 4 + received.mid(length, received.indexOf('\r', length) - length).toInt();
    }
    if (at != received.size()) statuses << -1;
    return statuses;
  }

  QByteArray received;

 private:
  int fd_;
  bool connected_ = false;
};

// A figure of the process's /proc status, such as VmRSS, in KiB.
qint64 StatusKiB(qint64 pid, QByteArrayView name) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(name))
      return line.sliced(name.size() + 1).trimmed().split(' ')[0].toLongLong();
  }
  return -1;
}

constexpr char kGet[] = "GET / HTTP/1.1\r\nHost: list\r\n";

// Each request is answered with its status, or refused with the status that
// says why, and then the connection is closed: nothing after a refused head,
// a body or a close is read as a request of its own. The timeouts are short
// here: an idle connection is closed quietly, a crawling request with 408.
TEST(FrontTest, HostileRequestsAreRefusedAndTheConnectionClosed) {
  TestDatabase database(DatabaseAddress::Engine::SQLite);
  ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address(),
                       {"--request-timeout", "1", "--idle-timeout", "1"});
  ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
  const QByteArray get = kGet;
  const QByteArray next = "GET /nothing HTTP/1.1\r\nHost: list\r\n\r\n";
  const std::pair<QByteArray, QList<int>> cases[] = {
      {get + "Content-Length: 1073741824\r\n\r\nabc", {413}},
      {get + "X-Long: " + QByteArray(64 << 20, 'a') + "\r\n\r\n", {431}},
      {"GET /" + QByteArray(kLongestTarget + 100, 'a') + " HTTP/1.1\r\nHost: list\r\n\r\n", {414}},
      {get + "Content-Length: 0\r\nContent-Length: 0\r\n\r\n", {400}},
      {get + "Content-Length : 5\r\n\r\nhello", {400}},
      {get + "Transfer-Encoding: chunked\r\n\r\nzz\r\n" + next, {501}},
      {"GET / HTTP/1.1\nHost: list\n\n" + next, {400}},
      {"GARBAGE\r\n\r\n" + next, {400}},
      {"GET / HTTP/1.1\r\n\r\n", {400}},
      {next + get + "Connection: close\r\n\r\n" + next, {404, 200}},
      {"GET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\nGET /nothing HTTP/1.0\r\n\r\n" + next,
       {200, 404}},
      {get + "\r\n", {200}},
      {get, {408}},
      {"", {}},
  };
  const qint64 peak = StatusKiB(server.Pid(), "VmHWM");
  for (const auto& [request, statuses] : cases) {
    RawConnection connection(server.Port());
    EXPECT_TRUE(connection.Exchange(request, 5000)) << request.left(80).toStdString();
    EXPECT_EQ(connection.Statuses(), statuses) << request.left(80).toStdString();
  }
  // None of the long requests was held whole.
  EXPECT_LT(StatusKiB(server.Pid(), "VmHWM") - peak, 16 * 1024);
}

// Connections that idle or crawl hold a file and little memory each, and
// the next client is served at once beside them, on either engine. Behind a
// proxy all come from one address, so only the total counts.
class SlowClientsTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {};

TEST_P(SlowClientsTest, ThousandsOfIdleAndCrawlingConnectionsLeaveTheNextClientServed) {
  constexpr int kIdle = 2000;
  constexpr int kCrawling = 5;
  // The server inherits the limit; it keeps its connections to half of it.
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);
  if (files.rlim_cur < 2 * (kIdle + 100)) GTEST_SKIP() << "the hard file limit is too low";
  TestDatabase database(GetParam());
  ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address(), {"--behind-proxy"});
  ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
  const qint64 before = StatusKiB(server.Pid(), "VmRSS");
  std::deque<RawConnection> idle;
  for (int i = 0; i < kIdle; ++i) idle.emplace_back(server.Port());
  std::deque<RawConnection> crawling;
  for (int i = 0; i < kCrawling; ++i) crawling.emplace_back(server.Port());
  for (int second = 0; second < 3; ++second) {
    for (RawConnection& connection : crawling)
      connection.Exchange(QByteArrayView(kGet).sliced(second, 1), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Fetch(server.Port(), "/").status, 200);
    EXPECT_LT(clock.elapsed(), 1000);
    QThread::msleep(static_cast<unsigned long>(std::max<qint64>(0, 1000 - clock.elapsed())));
  }
  EXPECT_LT(StatusKiB(server.Pid(), "VmRSS") - before, 16 * kIdle);
  for (RawConnection& connection : idle) ASSERT_FALSE(connection.Exchange({}, 0));
}

PYXARO_ON_BOTH_ENGINES(SlowClientsTest);

// A client that connects directly holds a bounded number of connections: a
// new one closes its connection idle longest, and when none is idle it is
// refused with 503 at once.
TEST(FrontTest, AClientsNewConnectionClosesItsOldestIdleOneOrIsRefused) {
  TestDatabase database(DatabaseAddress::Engine::SQLite);
  ServerProcess server(PYXARO_SCORES_EXECUTABLE, database.Address());
  ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
  std::deque<RawConnection> held;
  for (int i = 0; i < kConnectionsPerClient; ++i) held.emplace_back(server.Port());
  RawConnection another(server.Port());
  EXPECT_FALSE(another.Exchange(QByteArray(kGet) + "\r\n", 500));
  EXPECT_EQ(another.Statuses(), QList<int>{200});
  EXPECT_TRUE(held.front().Exchange({}, 1000));
  held.pop_front();
  // Every connection of the client has a request under way now.
  for (RawConnection& connection : held) EXPECT_FALSE(connection.Exchange(kGet, 0));
  EXPECT_FALSE(another.Exchange(kGet, 100));
  RawConnection refused(server.Port());
  EXPECT_TRUE(refused.Exchange(kGet, 5000));
  EXPECT_EQ(refused.Statuses(), QList<int>{503});
}

}  // namespace
}  // namespace pyxaro::testing
