#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include "core/game_state.h"
#include "core/version.h"
#include "highscores/submission_rules.h"
#include "http_client.h"
#include "scoring/categories.h"
#include "scoring/check_value.h"
#include "server/score_site.h"
#include "server/site_server.h"
#include "test_database.h"

namespace pyxaro::testing {
namespace {

const int kVersion = VersionNumber(kAppVersion);

// The address the game opens for a row, made by the game's own routine; the
// key is the game's check value unless one is given.
QByteArray GameTarget(const std::string& user, const std::string& password, int points,
                      int month = 2612, std::string key = {}) {
  if (key.empty()) key = CheckValue(7, points, month, kVersion);
  return QByteArray::fromStdString(SubmissionAddress(
      "/submit", {user, password, kVersion, std::to_string(month), std::to_string(points), key}));
}

class SiteTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  void SetUp() override { ASSERT_NE(port, 0); }

  HttpAnswer Get(const QByteArray& target, const QByteArray& client = "203.0.113.1") {
    return Fetch(port, target, "GET", "X-Forwarded-For: 198.51.100.9, " + client + "\r\n");
  }
  // One field of each game the JSON list holds.
  template <typename T>
  QList<T> TopOf(const QByteArray& query, const QString& field) {
    QList<T> values;
    for (const auto& game :
         QJsonDocument::fromJson(Get("/api/top?" + query).body)["games"].toArray()) {
      values << game.toObject()[field].toVariant().value<T>();
    }
    return values;
  }

  QDateTime now{QDate(2026, 12, 15), QTime(12, 0), Qt::UTC};
  TestDatabase database{GetParam()};
  ScoreStore store{database.Address()};
  ScoreSite site{store, [this] { return now; }};
  SiteServer server{site, true};
  quint16 port = server.listen(QHostAddress::LocalHost, 0);
};

// A name is one player whatever its case and spacing, and belongs to the
// password it was first sent with. Its quotes, ampersand and Qt placeholders,
// beside the markup the browser test sends, are text in the pages and kept as
// they are in JSON.
TEST_P(SiteTest, TheGamesAddressIsEnteredRankedAndListedUnderItsFirstPassword) {
  // Each row from a client of its own, as players send them; the password
  // holds every character that could end a field.
  const std::string password = "p&w=d%+ \xC3\xBC?#";
  const std::string odd = "<b>x</b>&\"'%1%4";
  const std::tuple<std::string, std::string, int, int, QByteArray> games[] = {
      {"Bob", password, 412, 2612, "Entered: 412 points, #1 this month, #1 of all time."},
      {"Ann", password, 500, 2612, "Entered: 500 points, #1 this month, #1 of all time."},
      {odd, password, 412, 2612, "Entered: 412 points, #3 this month, #3 of all time."},
      {" BOB ", password, 450, 2611, "Entered: 450 points, #1 in 2026-11, #2 of all time."},
      {"bob", "wrong", 413, 2612, "The name bob is registered with another password."},
      {"Bob", password, 412, 2612,
       "This game was entered before: 412 points, #2 this month, #3 of all time."},
  };
  int client = 0;
  for (const auto& [user, pass, points, month, text] : games) {
    const HttpAnswer answer =
        Get(GameTarget(user, pass, points, month), "203.0.113." + QByteArray::number(++client));
    EXPECT_EQ(answer.status, pass == password ? 200 : 409);
    EXPECT_TRUE(answer.body.contains(text)) << answer.body.toStdString();
  }
  EXPECT_EQ(TopOf<QString>("period=all", "name"),
            QStringList({"Ann", "Bob", "Bob", QString::fromStdString(odd)}));
  EXPECT_EQ(TopOf<QString>("period=month&limit=2", "name"), QStringList({"Ann", "Bob"}));
  const QByteArray lists = Get("/").body;
  EXPECT_GT(lists.indexOf(">450<"), lists.indexOf("All time"));
  const QByteArray player =
      Get("/player/" + QUrl::toPercentEncoding(QString::fromStdString(odd))).body;
  for (const QByteArray& page : {lists, player}) {
    EXPECT_TRUE(page.contains("&lt;b&gt;x&lt;/b&gt;&amp;&quot;'%1%4") && !page.contains("<b>x"))
        << page.toStdString();
  }
  const QByteArray bob = Get("/player/bob").body;
  EXPECT_TRUE(bob.contains(">450<") && bob.contains(">412<") && !bob.contains(">500<") &&
              !bob.contains(">413<"));
}

// The lists are answered from memory between entries, yet show a game this
// server enters at once, a new month from its first second, and a game
// another server entered once their lifetime is over.
TEST_P(SiteTest, TheListsFollowEntriesTheMonthAndOtherServers) {
  const auto monthly = [this](int month) {
    EXPECT_EQ(QJsonDocument::fromJson(Get("/api/top?period=month").body)["month"].toInt(), month);
    return TopOf<int>("period=month", "points");
  };
  now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::UTC);
  EXPECT_EQ(monthly(2612), QList<int>());
  ASSERT_EQ(Get(GameTarget("Ann", "pw", 412)).status, 200);
  EXPECT_EQ(monthly(2612), QList<int>({412}));

  now = now.addSecs(1);
  EXPECT_EQ(monthly(2701), QList<int>());
  EXPECT_EQ(TopOf<int>("period=all", "points"), QList<int>({412}));

  const auto enteredElsewhere = [this](int points) {
    database.Run(QString("INSERT INTO games (player_id, points, month, check_value, version, "
                         "entered) SELECT id, %1, 2701, 'k%1', 504, 0 FROM players")
                     .arg(points));
  };
  enteredElsewhere(300);
  now = now.addSecs(kListsLifetimeSeconds);
  EXPECT_EQ(monthly(2701), QList<int>({300}));
  // A clock set back ends their lifetime too.
  enteredElsewhere(200);
  now = now.addSecs(-1);
  EXPECT_EQ(monthly(2701), QList<int>({300, 200}));
}

TEST_P(SiteTest, SubmissionsPerClientAndPerNameWaitOutTheirMinute) {
  // The page tells the wait the header gives; its length is the limiter's.
  const auto tooMany = [](const HttpAnswer& answer) {
    const QByteArray wait = answer.headers.value("retry-after");
    return answer.status == 429 && !wait.isEmpty() &&
           answer.body.contains("Try again in " + wait + " seconds");
  };
  // Ten names from one client, and one name from ten clients.
  for (int n = 1; n <= kSubmissionsPerMinute; ++n) {
    EXPECT_EQ(Get(GameTarget("p" + std::to_string(n), "pw", n), "203.0.113.1").status, 200);
    EXPECT_EQ(Get(GameTarget("Ann", "pw", n), "198.51.100." + QByteArray::number(n)).status, 200);
    now = now.addSecs(1);
  }
  EXPECT_TRUE(tooMany(Get(GameTarget("other", "pw", 400), "203.0.113.1")));
  EXPECT_TRUE(tooMany(Get(GameTarget("ANN", "pw", 400), "198.51.100.77")));

  // Without --behind-proxy a forwarded address is the client's to invent, so
  // the peer counts.
  SiteServer direct(site, false);
  const quint16 directPort = direct.listen(QHostAddress::LocalHost, 0);
  int status = 0;
  for (int n = 0; n <= kSubmissionsPerMinute; ++n) {
    status = Fetch(directPort, GameTarget("d" + std::to_string(n), "pw", 5), "GET",
                   "X-Forwarded-For: 192.0.2." + QByteArray::number(n) + "\r\n")
                 .status;
  }
  EXPECT_EQ(status, 429);
}

// Every request is answered with its status and the policy every answer
// carries; only GET and HEAD are served. A row the rules refuse is told why
// and enters nothing, one at their edges is entered; the reader's own cases
// are the query fuzz target's.
TEST_P(SiteTest, EveryRequestIsAnsweredWithItsStatusAndPolicy) {
  // The most a card scores, as the game totals one of every category at its
  // best.
  GameState best;
  for (int k = 1; k <= kCategoryCount; ++k) best.Score[k] = CategoryMax(k);
  const int most = best.Total();
  // The newest month is the one begun furthest ahead: in Kiribati, at 10:00
  // UTC on the last day of the month.
  now = QDateTime(QDate(2026, 12, 31), QTime(9, 59, 59), Qt::UTC);
  // Method, target, status, and the seconds that pass before. Each row has a
  // name and a client of its own, so that none waits for another's limit.
  const std::tuple<QByteArray, QByteArray, int, int> cases[] = {
      {"GET", "/", 200, 0},
      {"HEAD", "/", 200, 0},
      {"POST", "/submit", 405, 0},
      {"HEAD", GameTarget("a0", "pw", 400), 405, 0},
      {"GET", "/nothing", 404, 0},
      {"GET", "/player/Nobody", 404, 0},
      {"GET", "/api/top?period=week", 400, 0},
      {"GET", "/api/top?limit=101", 400, 0},
      {"GET", "/api/top?period=all&limit=100", 200, 0},
      {"GET", "/?" + QByteArray(kLongestTarget - 2, 'a'), 200, 0},
      {"GET", "/?" + QByteArray(kLongestTarget - 1, 'a'), 414, 0},
      {"GET", "/submit", 400, 0},
      {"GET", GameTarget("   ", "pw", 400), 400, 0},
      {"GET", GameTarget("a1", "pw", most + 1), 400, 0},
      {"GET", GameTarget("a2", "pw", 400, 2612, CheckValue(7, 401, 2612, kVersion)), 403, 0},
      {"GET", GameTarget("a3", "pw", 400, 2701), 400, 0},
      {"GET", GameTarget("a4", "pw", 400, 2701), 200, 1},
      {"GET", GameTarget("a5", "pw", most), 200, 0},
  };
  const HttpAnswer page = Fetch(port, "/");
  int client = 0;
  int entered = 0;
  for (const auto& [method, target, status, later] : cases) {
    now = now.addSecs(later);
    const HttpAnswer answer =
        Fetch(port, target, method,
              "X-Forwarded-For: 203.0.113." + QByteArray::number(++client) + "\r\n");
    EXPECT_EQ(answer.status, status)
        << method.toStdString() << " " << target.left(60).toStdString() << "\n"
        << answer.body.toStdString();
    EXPECT_TRUE(answer.headers.value("content-security-policy").startsWith("default-src 'none';"));
    EXPECT_EQ(answer.headers.value("referrer-policy"), "no-referrer");
    if (status == 405) {
      EXPECT_EQ(answer.headers.value("allow"), method == "HEAD" ? "GET" : "GET, HEAD");
    }
    if (method == "HEAD" && status == 200) {
      EXPECT_EQ(answer.headers.value("content-length").toInt(), page.body.size());
      EXPECT_TRUE(answer.body.isEmpty());
    }
    if (method == "GET" && target.startsWith("/submit")) {
      EXPECT_EQ(answer.body.contains("Not entered"), status != 200) << target.toStdString();
      entered += status == 200 ? 1 : 0;
    }
  }
  EXPECT_EQ(TopOf<int>("period=all", "points").size(), entered);

  // A database that fails is the list's fault, told as such once the lists
  // are read again.
  database.Run("DROP TABLE games");
  now = now.addSecs(kListsLifetimeSeconds);
  EXPECT_EQ(Fetch(port, "/").status, 503);
}

PYXARO_ON_BOTH_ENGINES(SiteTest);

// The database server may end the list's connection at any time: when it
// restarts, or when an administrator ends it.
class ReconnectTest : public SiteTest {
 protected:
  // A statement on the cluster about the test's database, %1 standing for
  // its name.
  void OnCluster(const QString& statement) {
    database.RunOnCluster(statement.arg(database.Address().name));
  }
  void EndConnections() {
    OnCluster("SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity WHERE datname = '%1'");
  }
};

TEST_P(ReconnectTest, EveryRequestAfterAnEndedConnectionIsAnswered) {
  const std::pair<QByteArray, QByteArray> requests[] = {
      {GameTarget("Ann", "pw", 412), "Entered: 412 points"},
      {"/", ">412<"},
      {"/player/ann", ">412<"},
      {"/api/top?period=month", "\"points\":412"},
      {GameTarget("Ann", "pw", 413), "Entered: 413 points"},
  };
  for (const auto& [target, shown] : requests) {
    EndConnections();
    // The lists are read from the database again.
    now = now.addSecs(kListsLifetimeSeconds);
    const HttpAnswer answer = Get(target);
    EXPECT_EQ(answer.status, 200) << target.toStdString();
    EXPECT_TRUE(answer.body.contains(shown)) << answer.body.toStdString();
  }

  // While the database takes no connections at all, a submission is refused
  // as the list's failure; the next one after it is back is entered.
  OnCluster("ALTER DATABASE %1 ALLOW_CONNECTIONS false");
  EndConnections();
  const HttpAnswer refused = Get(GameTarget("Ann", "pw", 414));
  EXPECT_EQ(refused.status, 503);
  EXPECT_FALSE(refused.body.contains("Entered")) << refused.body.toStdString();
  OnCluster("ALTER DATABASE %1 ALLOW_CONNECTIONS true");
  EXPECT_TRUE(Get(GameTarget("Ann", "pw", 414)).body.contains("Entered: 414 points"));
  EXPECT_EQ(TopOf<int>("period=all", "points").size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReconnectTest,
                         ::testing::Values(DatabaseAddress::Engine::PostgreSQL),
                         [](const auto&) { return "PostgreSQL"; });

}  // namespace
}  // namespace pyxaro::testing
