#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

#include "core/version.h"
#include "direct_statement.h"
#include "highscores/submission_rules.h"
#include "http_client.h"
#include "scoring/check_value.h"
#include "server/game_rules.h"
#include "server/pages.h"
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
  QJsonArray AllTime() {
    return QJsonDocument::fromJson(Get("/api/top?period=all").body)["games"].toArray();
  }

  QDateTime now{QDate(2026, 12, 15), QTime(12, 0), Qt::UTC};
  TestDatabase database{GetParam()};
  ScoreStore store{database.Address()};
  ScoreSite site{store, [this] { return now; }};
  SiteServer server{site, true};
  quint16 port = server.listen(QHostAddress::LocalHost, 0);
};

TEST_P(SiteTest, TheGamesAddressIsEnteredRankedAndListed) {
  // Each row from a client of its own, as players send them; the password
  // holds every character that could end a field.
  const std::string password = "p&w=d%+ \xC3\xBC?#";
  const std::tuple<std::string, int, int, std::string> games[] = {
      {"Bob", 412, 2612, "Entered: 412 points, #1 this month, #1 of all time."},
      {"Ann", 500, 2612, "Entered: 500 points, #1 this month, #1 of all time."},
      {"Cid", 412, 2612, "Entered: 412 points, #3 this month, #3 of all time."},
      {"Bob", 450, 2611, "Entered: 450 points, #1 in 2026-11, #2 of all time."},
      {"Bob", 412, 2612,
       "This game was entered before: 412 points, #2 this month, #3 of all time."},
  };
  int client = 0;
  for (const auto& [user, points, month, text] : games) {
    const HttpAnswer answer =
        Get(GameTarget(user, password, points, month), "203.0.113." + QByteArray::number(++client));
    EXPECT_EQ(answer.status, 200);
    EXPECT_TRUE(answer.body.contains(QByteArray::fromStdString(text))) << answer.body.toStdString();
    EXPECT_TRUE(answer.body.contains("href=\"/player/" + QByteArray::fromStdString(user)));
  }
  QStringList names;
  for (const auto& game :
       QJsonDocument::fromJson(Get("/api/top?period=month&limit=3").body)["games"].toArray()) {
    names << game.toObject()["name"].toString();
  }
  EXPECT_EQ(names, QStringList({"Ann", "Bob", "Cid"}));
  const QByteArray lists = Get("/").body;
  EXPECT_GT(lists.indexOf(">450<"), lists.indexOf("All time"));
  const QByteArray bob = Get("/player/bob").body;
  EXPECT_TRUE(bob.contains(">450<") && bob.contains(">412<") && !bob.contains(">500<"));
}

// The lists are answered from memory between entries, yet show a game this
// server enters at once, a new month from its first second, and a game
// another server entered once their lifetime is over.
TEST_P(SiteTest, TheListsFollowEntriesTheMonthAndOtherServers) {
  // This month's points as the page shows them, checked against the JSON.
  const auto monthly = [this](int month) {
    const QByteArray page = Get("/").body;
    const qsizetype start = page.indexOf("<h2>This month (" + MonthText(month).toUtf8() + ")");
    EXPECT_GE(start, 0) << page.toStdString();
    const QString table = QString::fromUtf8(page.mid(start, page.indexOf("<h2>All time") - start));
    QList<int> shown;
    static const QRegularExpression kPoints("<td class=\"number\">(\\d+)</td><td>\\d+-\\d+</td>");
    for (const QRegularExpressionMatch& row : kPoints.globalMatch(table)) {
      shown << row.captured(1).toInt();
    }
    const QJsonObject json = QJsonDocument::fromJson(Get("/api/top?period=month").body).object();
    QList<int> sent;
    for (const auto& game : json["games"].toArray()) sent << game.toObject()["points"].toInt();
    EXPECT_EQ(json["month"].toInt(), month);
    EXPECT_EQ(sent, shown);
    return shown;
  };
  now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::UTC);
  EXPECT_EQ(monthly(2612), QList<int>());
  ASSERT_EQ(Get(GameTarget("Ann", "pw", 412)).status, 200);
  EXPECT_EQ(monthly(2612), QList<int>({412}));

  now = now.addSecs(1);
  EXPECT_EQ(monthly(2701), QList<int>());
  EXPECT_EQ(AllTime().size(), 1);

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

TEST_P(SiteTest, ANameBelongsToItsFirstPasswordWhateverItsCase) {
  EXPECT_EQ(Get(GameTarget("Bob", "right", 412)).status, 200);
  for (const std::string name : {"Bob", "BOB", " bob "}) {
    const HttpAnswer wrong = Get(GameTarget(name, "wrong", 413));
    EXPECT_EQ(wrong.status, 409) << name;
    EXPECT_TRUE(wrong.body.contains("registered with another password"));
  }
  EXPECT_EQ(Get(GameTarget("BOB", "right", 413)).status, 200);
  EXPECT_EQ(AllTime().size(), 2);
  EXPECT_EQ(AllTime()[1].toObject()["name"].toString(), "Bob");
}

TEST_P(SiteTest, HostileInputsAreRefusedWithTheirReasonAndEnterNothing) {
  const int most = kHighestTotal;
  const std::string twenty(20, 'a');
  std::string twentyWide;  // twenty characters of two bytes each
  for (int c = 0; c < 20; ++c) twentyWide += "\xC3\xBC";
  // The query after /submit?, or a whole target the game would build, and the
  // status. The names differ so that no row waits for another's limit.
  const std::pair<QByteArray, int> cases[] = {
      {"", 400},
      {GameTarget("a1", "pw", 400) + "&points=400", 400},
      {GameTarget("a2", "pw", 400) + "&admin=1", 400},
      {GameTarget("a4", "pw", -5, 2612, CheckValue(7, -5, 2612, kVersion)), 400},
      {GameTarget("a6", "pw", most + 1), 400},
      {GameTarget("a7", "pw", 400).replace("points=400", "points=abc"), 400},
      {GameTarget("a8", "pw", 400).replace("points=400", "points=99999999999"), 400},
      {GameTarget("a9", "pw", 400, 2701), 400},
      {GameTarget("b1", "pw", 400, 2613), 400},
      {GameTarget("b2", "pw", 400, 2600), 400},
      {GameTarget("b4", "pw", 400, 2612, CheckValue(8, 401, 2612, kVersion)), 403},
      {GameTarget("b5", "pw", 400, 2612, CheckValue(7, 400, 2611, kVersion)), 403},
      {GameTarget("b6", "pw", 400, 2612, CheckValue(7, 400, 2612, kVersion + 1)), 403},
      {GameTarget("b7", "pw", 400, 2612, "0" + CheckValue(7, 400, 2612, kVersion).substr(1)), 403},
      {GameTarget("b8", "pw", 400).replace("ver=" + QByteArray::number(kVersion), "ver=503"), 403},
      {GameTarget(twenty + "b", "pw", 400), 400},
      {GameTarget("b9", std::string(65, 'p'), 400), 400},
      {GameTarget("c1", "pw", 400, 2612, std::string(25, '7')), 400},
      {GameTarget("c2\n", "pw", 400), 400},
      {GameTarget("c3\xE2\x80\xAE", "pw", 400), 400},
      {GameTarget("c4", std::string("p\0w", 3), 400), 400},
      {GameTarget("c5\xFF", "pw", 400), 400},
      {GameTarget("   ", "pw", 400), 400},
      // What the rules allow at their edges is entered.
      {GameTarget("c6", "pw", most), 200},
      {GameTarget("c7", "pw", 1, 1), 200},
      {GameTarget(twenty, "pw", 400), 200},
      {GameTarget(twentyWide, "pw", 400), 200},
  };
  int entered = 0;
  int client = 0;
  for (const auto& [target, status] : cases) {
    const QByteArray asked = target.startsWith('/') ? target : "/submit?" + target;
    const HttpAnswer answer = Get(asked, "203.0.113." + QByteArray::number(++client));
    EXPECT_EQ(answer.status, status) << asked.toStdString() << "\n" << answer.body.toStdString();
    EXPECT_TRUE(answer.headers.value("content-type").startsWith("text/html"));
    if (status != 200) {
      EXPECT_TRUE(answer.body.contains("Not entered")) << asked.toStdString();
    }
    entered += status == 200 ? 1 : 0;
  }
  EXPECT_EQ(AllTime().size(), entered);
}

TEST_P(SiteTest, NamesAreEscapedInPagesAndKeptAsTheyAreInJson) {
  const std::string name = "<b>x</b>&\"'%1%4";
  const HttpAnswer entered = Get(GameTarget(name, "pw", 400));
  ASSERT_EQ(entered.status, 200);
  for (const QByteArray& page : {entered.body, Get("/").body, Get("/player/%3Cb%3Ex").body}) {
    EXPECT_FALSE(page.contains("<b>x")) << page.toStdString();
    EXPECT_FALSE(page.contains("<script"));
  }
  EXPECT_TRUE(Get("/").body.contains("&lt;b&gt;x&lt;/b&gt;&amp;&quot;'%1%4"));
  EXPECT_EQ(Get("/player/" + QUrl::toPercentEncoding(QString::fromStdString(name))).status, 200);
  EXPECT_EQ(AllTime()[0].toObject()["name"].toString().toStdString(), name);
}

TEST_P(SiteTest, SubmissionsPerClientAndPerNameWaitOutTheirMinute) {
  const auto tooMany = [](const HttpAnswer& answer) {
    const int wait = answer.headers.value("retry-after").toInt();
    EXPECT_TRUE(wait >= 1 && wait <= 60) << wait;
    EXPECT_TRUE(answer.body.contains("Try again in " + QByteArray::number(wait) + " seconds"));
    return answer.status == 429;
  };
  // One client, ten names; then one name from ten clients.
  for (int n = 1; n <= kSubmissionsPerMinute; ++n) {
    EXPECT_EQ(Get(GameTarget("p" + std::to_string(n), "pw", n), "203.0.113.1").status, 200);
    now = now.addSecs(1);
  }
  EXPECT_TRUE(tooMany(Get(GameTarget("other", "pw", 400), "203.0.113.1")));
  for (int n = 1; n <= kSubmissionsPerMinute; ++n) {
    EXPECT_EQ(Get(GameTarget("Ann", "pw", n), "198.51.100." + QByteArray::number(n)).status, 200);
  }
  EXPECT_TRUE(tooMany(Get(GameTarget("ANN", "pw", 400), "198.51.100.77")));
  now = now.addSecs(60);
  EXPECT_EQ(Get(GameTarget("Ann", "pw", 400), "203.0.113.1").status, 200);

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

TEST_P(SiteTest, EveryAnswerCarriesItsPolicyAndOnlyGetAndHeadAreServed) {
  // Method, target, status.
  const std::tuple<QByteArray, QByteArray, int> cases[] = {
      {"GET", "/", 200},
      {"HEAD", "/", 200},
      {"POST", "/submit", 405},
      {"HEAD", "/submit?user=a&pass=b&ver=504&date=2612&points=5&key=1", 405},
      {"PUT", "/", 405},
      {"GET", "/nothing", 404},
      {"GET", "/player/Nobody", 404},
      {"GET", "/player/%FF", 404},
      {"GET", "/api/top?period=week", 400},
      {"GET", "/api/top?limit=101", 400},
      {"GET", "/api/top?period=all&limit=100", 200},
      {"GET", "/?" + QByteArray(kLongestTarget - 2, 'a'), 200},
      {"GET", "/?" + QByteArray(kLongestTarget - 1, 'a'), 414},
      {"GET", "/submit?" + QByteArray(kLongestTarget, 'a'), 414},
  };
  const HttpAnswer page = Fetch(port, "/");
  for (const auto& [method, target, status] : cases) {
    const HttpAnswer answer = Fetch(port, target, method);
    EXPECT_EQ(answer.status, status)
        << method.toStdString() << " " << target.left(40).toStdString();
    EXPECT_TRUE(answer.headers.value("content-security-policy").startsWith("default-src 'none';"));
    EXPECT_EQ(answer.headers.value("referrer-policy"), "no-referrer");
    if (status == 405) {
      EXPECT_EQ(answer.headers.value("allow"), method == "HEAD" ? "GET" : "GET, HEAD");
    }
    if (method == "HEAD" && status == 200) {
      EXPECT_EQ(answer.headers.value("content-length").toInt(), page.body.size());
      EXPECT_TRUE(answer.body.isEmpty());
    }
  }
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
  // Runs a statement on the cluster's own database, %1 standing for the
  // test's.
  void OnCluster(const QString& statement) {
    DatabaseAddress cluster = database.Address();
    cluster.name = "pyxaro_tests";
    EXPECT_EQ(RunDirectly(cluster, statement.arg(database.Address().name)), "");
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
  EXPECT_EQ(AllTime().size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReconnectTest,
                         ::testing::Values(DatabaseAddress::Engine::PostgreSQL),
                         [](const auto&) { return "PostgreSQL"; });

}  // namespace
}  // namespace pyxaro::testing
