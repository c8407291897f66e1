#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "core/calendar_day.h"
#include "core/dice.h"
#include "core/game_state.h"
#include "core/version.h"
#include "highscores/highscore_rules.h"
#include "highscores/submission_rules.h"
#include "http_client.h"
#include "scoring/advisor_correction.h"
#include "scoring/block_values.h"
#include "scoring/categories.h"
#include "scoring/check_value.h"
#include "scoring/move_record.h"
#include "server/password_hash.h"
#include "server/schema.h"
#include "server/score_site.h"
#include "server/site_server.h"
#include "server/submission_query.h"
#include "test_database.h"
#include "tests/helpers/played_game.h"

namespace pyxaro::testing {
namespace {

const int kVersion = VersionNumber(kAppVersion);
constexpr char kPassword[] = "passw0rd";

// The address the game opens for a row, made by the game's own routine; the
// key is the game's check value unless one is given.
QByteArray GameTarget(const std::string& user, const std::string& password, int points,
                      int month = 2612, std::string key = {}) {
  if (key.empty()) key = CheckValue(7, points, month, kVersion);
  return QByteArray::fromStdString(SubmissionAddress(
      "/submit", {user, password, kVersion, std::to_string(month), std::to_string(points), key}));
}

// The address the game opens for a finished game of the day, made by the
// game's own routine.
QByteArray DayTarget(const std::string& user, const std::string& day, int points,
                     const std::string& moves, const std::string& password = kPassword) {
  return QByteArray::fromStdString(
      DaySubmissionAddress("/submit", {user, password, kVersion, day, points, moves}));
}

// The game the player makes of the day's dice.
pyxaro::PlayedGame DayGame(Player& player, const std::string& day) {
  return PlayGame(player, SeededDice(), DaySeed(*ParseDay(day)));
}

Advisor& TheAdvisor() {
  static Advisor advisor(blocks::Embedded(), kFittedCorrection);
  return advisor;
}

pyxaro::PlayedGame AdvisorGame(const std::string& day) {
  AdvisorPlayer player(TheAdvisor());
  return DayGame(player, day);
}

class SiteTest : public ::testing::TestWithParam<DatabaseAddress::Engine> {
 protected:
  void SetUp() override { ASSERT_NE(port, 0); }

  HttpAnswer Get(const QByteArray& target, const QByteArray& client = "203.0.113.1",
                 const QByteArray& method = "GET") {
    return Fetch(port, target, method, "X-Forwarded-For: 198.51.100.9, " + client + "\r\n");
  }
  // Sent from a client of its own, so that no limit is reached.
  HttpAnswer Expect(const QByteArray& target, int status, const QByteArray& said = {},
                    const QByteArray& method = "GET") {
    const HttpAnswer answer = Get(target, "192.0.2." + QByteArray::number(++clients), method);
    SCOPED_TRACE((method + " " + target.left(80) + "\n" + answer.body).toStdString());
    EXPECT_EQ(answer.status, status);
    EXPECT_TRUE(answer.body.contains(said)) << said.toStdString();
    return answer;
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

  // The day's list as JSON: the advisor's total and each game's name and
  // points, best first.
  std::pair<int, QList<std::pair<QString, int>>> DayList(const std::string& day) {
    const QJsonDocument list =
        QJsonDocument::fromJson(Get("/api/day?date=" + QByteArray::fromStdString(day)).body);
    QList<std::pair<QString, int>> games;
    for (const auto& game : list["games"].toArray()) {
      games.append({game.toObject()["name"].toString(), game.toObject()["points"].toInt()});
    }
    return {list["advisor"].toInt(-1), games};
  }

  int clients = 0;
  QDateTime now{QDate(2026, 12, 15), QTime(12, 0), Qt::UTC};
  TestDatabase database{GetParam()};
  ScoreStore store{database.Address()};
  ScoreSite site{store, [this] { return now; }};
  SiteServer server{site, true};
  quint16 port = server.listen(QHostAddress::LocalHost, 0);
};

// A name is one player whatever its case and spacing, and belongs to the
// password it was first sent with; the lists in memory place each game as the
// database does. Its quotes, ampersand and Qt placeholders,
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
      {"Bob", password, 420, 2612, "Entered: 420 points, #2 this month, #2 of all time."},
      {"Bob", password, 412, 2612,
       "This game was entered before: 412 points, #2 this month, #2 of all time."},
      // Below a player's games, that player counts once.
      {odd, password, 300, 2612, "Entered: 300 points, #3 this month, #3 of all time."},
      // Equal points stand below those entered before, a player's own too.
      {"Cy", password, 420, 2612, "Entered: 420 points, #3 this month, #3 of all time."},
      {"Ann", password, 500, 2611, "Entered: 500 points, #1 in 2026-11, #1 of all time."},
  };
  // The lists are in memory before the first game, and each is placed there.
  ASSERT_EQ(Get("/").status, 200);
  for (const auto& [user, pass, points, month, text] : games) {
    Expect(GameTarget(user, pass, points, month), pass == password ? 200 : 409, text);
  }
  // The lists show each player's best game once, the player's page them all.
  EXPECT_EQ(TopOf<QString>("period=all", "name"),
            QStringList({"Ann", "Bob", "Cy", QString::fromStdString(odd)}));
  EXPECT_EQ(TopOf<int>("period=all", "month"), QList<int>({2612, 2611, 2612, 2612}));
  EXPECT_EQ(TopOf<int>("period=month", "points"), QList<int>({500, 420, 420, 412}));
  EXPECT_EQ(TopOf<QString>("period=month&limit=2", "name"), QStringList({"Ann", "Bob"}));
  const QByteArray lists = Get("/").body;
  EXPECT_GT(lists.indexOf(">450<"), lists.indexOf("All time"));
  EXPECT_EQ(lists.count(">Bob</a>"), 2);
  const QByteArray player =
      Get("/player/" + QUrl::toPercentEncoding(QString::fromStdString(odd))).body;
  for (const QByteArray& page : {lists, player}) {
    EXPECT_TRUE(page.contains("&lt;b&gt;x&lt;/b&gt;&amp;&quot;'%1%4") && !page.contains("<b>x"))
        << page.toStdString();
  }
  const QByteArray bob = Get("/player/bob").body;
  EXPECT_TRUE(bob.contains(">450<") && bob.contains(">420<") && bob.contains(">412<") &&
              !bob.contains(">500<") && !bob.contains(">413<"));
  // Read again from the database, they are the same.
  now = now.addSecs(kListsLifetimeSeconds);
  EXPECT_EQ(Get("/").body, lists);
}

// While the one worker hashes a password, the pages are answered at once; a
// submission past the worker's queue is told at once that the list is busy
// and enters nothing; a site destroyed while a check runs is never called
// back.
TEST_P(SiteTest, PagesAreAnsweredWhilePasswordsAreCheckedAndAFullQueueIsTurnedAway) {
  std::vector<int> answered;
  QEventLoop loop;
  const auto answer = [&](ScoreSite& busy, const QByteArray& target) {
    const qsizetype query = target.indexOf('?');
    busy.Answer({SiteRequest::Method::Get, target.left(query), target.mid(query + 1), "client"},
                [&](const Reply& reply) {
                  answered.push_back(reply.status);
                  loop.quit();
                });
  };
  {
    ScoreSite busy(store, [this] { return now; }, {1, 1});
    for (const char* name : {"first", "second", "third"}) {
      answer(busy, GameTarget(name, kPassword, 300));
    }
    answer(busy, "/?");
    EXPECT_EQ(answered, std::vector<int>({503, 200}));
    const QDeadlineTimer deadline(10000);
    while (answered.size() < 4 && !deadline.hasExpired()) loop.exec();
    EXPECT_EQ(answered, std::vector<int>({503, 200, 200, 200}));
    answer(busy, GameTarget("fourth", kPassword, 300));
    // Long enough for the worker to begin it, too short for it to end.
    QThread::msleep(50);
  }
  QTimer::singleShot(500, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_EQ(answered.size(), 4U);
  EXPECT_EQ(TopOf<QString>("period=all", "name"), QStringList({"first", "second"}));
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
  ASSERT_EQ(Get(GameTarget("Ann", kPassword, 412)).status, 200);
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
  enteredElsewhere(500);
  now = now.addSecs(-1);
  EXPECT_EQ(monthly(2701), QList<int>({500}));
}

TEST_P(SiteTest, AClientWaitsOutItsMinuteAndAStrangerLocksNoPlayerOut) {
  // The page tells the wait the header gives; its length is the limiter's.
  const auto tooMany = [](const HttpAnswer& answer, const QByteArray& what) {
    const QByteArray wait = answer.headers.value("retry-after");
    return answer.status == 429 && !wait.isEmpty() && answer.body.contains(what) &&
           answer.body.contains("Try again in " + wait + " seconds");
  };
  for (int n = 1; n <= kSubmissionsPerMinute; ++n) {
    EXPECT_EQ(Get(GameTarget("p" + std::to_string(n), kPassword, n), "203.0.113.1").status, 200);
    now = now.addSecs(1);
  }
  EXPECT_TRUE(tooMany(Get(GameTarget("other", kPassword, 400), "203.0.113.1"), "submissions"));
  // A game of the day counts among the same submissions.
  EXPECT_TRUE(
      tooMany(Get(DayTarget("other", "2026-12-15", 400, "U"), "203.0.113.1"), "submissions"));

  // A stranger guessing Ann's password is stopped after a few guesses, while
  // Ann, sending hers from her own address in between, enters every game.
  ASSERT_EQ(Get(GameTarget("Ann", kPassword, 200), "198.51.100.1").status, 200);
  for (int n = 1; n < kSubmissionsPerMinute; ++n) {
    const HttpAnswer guess = Get(GameTarget("ANN", "guess", 100 + n), "198.51.100.66");
    if (n <= kWrongPasswordsPerMinute) {
      EXPECT_EQ(guess.status, 409) << n;
    } else {
      EXPECT_TRUE(tooMany(guess, "wrong passwords for ANN")) << n << guess.body.toStdString();
    }
    EXPECT_EQ(Get(GameTarget("Ann", kPassword, 200 + n), "198.51.100.1").status, 200) << n;
  }

  // Without --behind-proxy a forwarded address is the client's to invent, so
  // the peer counts.
  SiteServer direct(site, false);
  const quint16 directPort = direct.listen(QHostAddress::LocalHost, 0);
  int status = 0;
  for (int n = 0; n <= kSubmissionsPerMinute; ++n) {
    status = Fetch(directPort, GameTarget("d" + std::to_string(n), kPassword, 5), "GET",
                   "X-Forwarded-For: 192.0.2." + QByteArray::number(n) + "\r\n")
                 .status;
  }
  EXPECT_EQ(status, 429);
}

// Every request is answered with its status and the policy every answer
// carries; only GET and HEAD are served. A row the rules refuse is told why
// and enters nothing, one at their edges is entered; the reader's own cases
// are the query fuzz target's. A new name must have a password of eight
// characters, however many bytes they take, and look like no registered
// name, in letters of another alphabet, fullwidth or invisible characters;
// the names registered before keep their short passwords and look-alikes.
// A mixed-alphabet name that looks like no other registers, and from then on
// is the one others must not look like.
TEST_P(SiteTest, EveryRequestIsAnsweredWithItsStatusAndPolicy) {
  database.Run(QString("INSERT INTO players (name, name_key, name_skeleton, password_hash, "
                       "registered) VALUES ('Old', 'old', NULL, '%1', 0), "
                       "('Bob', 'bob', 'bob', '%2', 0), ('\u0412ob', '\u0432ob', 'bob', '%2', 0)")
                   .arg(QString::fromLatin1(PasswordHash("pw")),
                        QString::fromLatin1(PasswordHash(kPassword))));
  // The most a card scores, as the game totals one of every category at its
  // best.
  GameState best;
  for (int k = 1; k <= kCategoryCount; ++k) best.Score[k] = CategoryMax(k);
  const int most = best.Total();
  // The newest month is the one begun furthest ahead: in Kiribati, at 10:00
  // UTC on the last day of the month.
  now = QDateTime(QDate(2026, 12, 31), QTime(9, 59, 59), Qt::UTC);
  const QByteArray shortPassword = "a password of at least 8 characters";
  // Target, status, what the answer says, the seconds that pass before, and
  // the method.
  struct Case {
    QByteArray target;
    int status;
    QByteArray said = {};
    int later = 0;
    QByteArray method = "GET";
  };
  const Case cases[] = {
      {"/", 200},
      {"/", 200, "", 0, "HEAD"},
      {"/submit", 405, "", 0, "POST"},
      {GameTarget("a0", kPassword, 400), 405, "", 0, "HEAD"},
      {"/nothing", 404},
      {"/player/Nobody", 404},
      {"/api/top?period=week", 400},
      {"/api/top?limit=101", 400},
      {"/api/top?period=all&limit=100", 200},
      {"/today", 200},
      {"/day/2026-12-31", 200},
      {"/day/2027-01-01", 404},
      {"/day/2026-02-29", 404},
      {"/api/day?date=2026-12-31", 200},
      {"/api/day?date=2027-01-01", 404},
      {"/api/day?date=2026-12-3", 400},
      {"/api/day?day=2026-12-31", 400},
      {"/health", 200,
       "{\"database\":\"ok\",\"schema\":" + QByteArray::number(NewestSchemaVersion()) + "}"},
      {"/?" + QByteArray(kLongestTarget - 2, 'a'), 200},
      {"/?" + QByteArray(kLongestTarget - 1, 'a'), 414},
      {"/submit", 400},
      {GameTarget("   ", kPassword, 400), 400},
      {GameTarget("a1", kPassword, most + 1), 400},
      {GameTarget("a2", kPassword, 400, 2612, CheckValue(7, 401, 2612, kVersion)), 403},
      {GameTarget("a3", kPassword, 400, 2701), 400},
      {GameTarget("a4", kPassword, 400, 2701), 200, "Entered", 1},
      {GameTarget("a5", kPassword, most), 200, "Entered"},
      {GameTarget("Old", "pw", 300), 200, "Entered"},
      {GameTarget("Seven", "seven77", 300), 400, shortPassword},
      {GameTarget("Wide", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 300),
       400, shortPassword},
      {GameTarget("Wide", "\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC", 300),
       200, "Entered"},
      {GameTarget("Seven", "seven777", 300), 200, "Entered"},
      {GameTarget("Alice", kPassword, 300), 200, "Entered"},
      {GameTarget("\u0410lice", kPassword, 300), 409, "The name \u0410lice looks like Alice"},
      {GameTarget("Ali\u200Bce", kPassword, 300), 409, "looks like Alice"},
      {GameTarget("\uFF21\uFF2C\uFF29\uFF23\uFF25", kPassword, 300), 409, "looks like Alice"},
      {GameTarget("\u200B\u2060\uFE0F\u00AD", kPassword, 300), 400,
       "A name needs letters that can be seen"},
      {GameTarget(" ALICE ", kPassword, 300), 200, "This game was entered before"},
      {GameTarget("\u0412ob", kPassword, 300), 200, "Entered"},
      {GameTarget("M\u0430rkus", kPassword, 300), 200, "Entered"},
      {GameTarget("Markus", kPassword, 300), 409, "looks like M\u0430rkus"},
  };
  const HttpAnswer page = Get("/");
  int entered = 0;
  for (const auto& [target, status, said, later, method] : cases) {
    now = now.addSecs(later);
    const HttpAnswer answer = Expect(target, status, said, method);
    EXPECT_TRUE(answer.headers.value("content-security-policy").startsWith("default-src 'none';"));
    EXPECT_EQ(answer.headers.value("referrer-policy"), "no-referrer");
    EXPECT_EQ(answer.headers.value("cache-control"), "no-store");
    EXPECT_EQ(answer.headers.value("content-type") == "application/json",
              target.startsWith("/api/") || target == "/health")
        << target.toStdString();
    if (status == 405) {
      EXPECT_EQ(answer.headers.value("allow"), method == "HEAD" ? "GET" : "GET, HEAD");
    }
    if (method == "HEAD" && status == 200) {
      EXPECT_EQ(answer.headers.value("content-length").toInt(), page.body.size());
      EXPECT_TRUE(answer.body.isEmpty());
    }
    if (method == "GET" && target.startsWith("/submit")) {
      EXPECT_EQ(answer.body.contains("Not entered"), status != 200) << target.toStdString();
      entered += said.startsWith("Entered") ? 1 : 0;
    }
  }
  EXPECT_EQ(TopOf<int>("period=all", "points").size(), entered);

  // A database that fails is the list's fault, told as such once the lists
  // are read again; the health is asked of the database itself.
  database.Run("DROP TABLE games");
  now = now.addSecs(kListsLifetimeSeconds);
  Expect("/", 503);
  database.Run("DROP TABLE schema_version");
  Expect("/health", 503, "{\"database\":\"unreachable\"}");
}

// A game of the day is entered with the points its moves make on that day's
// dice, and only when they are a whole game the rules allow there, of a day
// someone can be playing; each forgery is refused and enters nothing.
TEST_P(SiteTest, AGameOfTheDayIsEnteredOnlyAsItsMovesReplay) {
  const std::string day = "2026-12-15";
  const pyxaro::PlayedGame honest = AdvisorGame(day);
  const int total = honest.state.Total();
  const auto forged = [&](const std::function<void(MoveRecord&)>& change) {
    MoveRecord moves = honest.moves;
    change(moves);
    return RecordText(moves);
  };
  const auto isEntry = [](const Move& move) { return move.kind == Move::Kind::Enter; };
  const auto lastEntry = [&](MoveRecord& moves) {
    return std::find_if(moves.rbegin(), moves.rend(), isEntry).base() - 1;
  };
  const std::string text = RecordText(honest.moves);
  const std::string odd = "<b>x</b>&";
  RandomPlayer random(7);
  const pyxaro::PlayedGame other = DayGame(random, day);
  const auto onTheDay = [](const std::string& date) { return RecordText(AdvisorGame(date).moves); };
  const auto pointsOn = [](const std::string& date) { return AdvisorGame(date).state.Total(); };
  // Name, day, points, moves, status, what the answer says, and the seconds
  // that pass before; each name and client its own, so no limit is reached.
  const std::tuple<std::string, std::string, int, std::string, int, QByteArray, int> cases[] = {
      {odd, day, total, text, 200, "Entered: " + QByteArray::number(total) + " points, #1", 0},
      {"faces", day, total,
       forged([](MoveRecord& m) { m.front().faces[1] = m.front().faces[1] % 6 + 1; }), 403,
       "not a game the rules allow on the dice of 2026-12-15", 0},
      // At the dice's worth there, so that only the category is wrong.
      {"used", day, total, forged([&](MoveRecord& m) {
         const auto last = lastEntry(m);
         *last = EntryOf(*Replay(MoveRecord(m.begin(), last)),
                         std::find_if(m.begin(), m.end(), isEntry)->category);
       }),
       403, "not a game the rules allow", 0},
      {"pool", day, total, forged([&](MoveRecord& m) {
         m.push_back(Move::Throw(SeededDice().Roll(DaySeed(*ParseDay(day)), kRollPool + 1), 0));
       }),
       403, "not a game the rules allow", 0},
      {"entry", day, total + 1, forged([&](MoveRecord& m) { ++lastEntry(m)->points; }), 403,
       "not a game the rules allow", 0},
      {"points", day, total + 1, text, 403,
       "The moves make " + QByteArray::number(total) + " points, not the " +
           QByteArray::number(total + 1),
       0},
      {"unfinished", day, total, forged([](MoveRecord& m) { m.resize(m.size() / 2); }), 400,
       "do not end the game", 0},
      {"garbled", day, total, "T12", 400, "not a game's record", 0},
      {"yesterday", day, pointsOn("2026-12-14"), onTheDay("2026-12-14"), 403,
       "on the dice of 2026-12-15", 0},
      {"capped", day, total, std::string(kRecordLength + 1, 'U'), 400,
       "longer than " + QByteArray::number(kRecordLength), 0},
      {"nonday", "2026-02-29", total, text, 400, "is not a calendar day", 0},
      {odd, day, other.state.Total(), RecordText(other.moves), 409, "one game a day counts", 0},
      {odd, day, total, text, 200, "This game was entered before", 0},
      // The open days' edges: the day begun furthest ahead from its first
      // second, the day before the one furthest behind up to its last.
      {"ahead1", "2026-12-16", pointsOn("2026-12-16"), onTheDay("2026-12-16"), 400,
       "not of 2026-12-16", -7201},
      {"ahead2", "2026-12-16", pointsOn("2026-12-16"), onTheDay("2026-12-16"), 200, "Entered", 1},
      {"behind1", "2026-12-13", pointsOn("2026-12-13"), onTheDay("2026-12-13"), 200, "Entered",
       7199},
      {"behind2", "2026-12-13", pointsOn("2026-12-13"), onTheDay("2026-12-13"), 400,
       "not of 2026-12-13", 1},
  };
  for (const auto& [user, date, points, moves, status, said, later] : cases) {
    now = now.addSecs(later);
    Expect(DayTarget(user, date, points, moves), status, said);
  }
  const QString name = QString::fromStdString(odd);
  EXPECT_EQ(DayList(day), std::pair(total, QList<std::pair<QString, int>>{{name, total}}));
  EXPECT_EQ(DayList("2026-12-16").second.size(), 1);
  EXPECT_EQ(DayList("2026-12-13").second.size(), 1);
  const QByteArray page = Get("/day/" + QByteArray::fromStdString(day)).body;
  EXPECT_TRUE(page.contains("&lt;b&gt;x&lt;/b&gt;&amp;") && !page.contains("<b>x"))
      << page.toStdString();
}

// Whatever game the game itself plays on a day's dice is entered with its
// own points, the advisor's among them at the advisor's total the list
// shows; the longest game there is fits the address with the longest name and
// password there are.
TEST_P(SiteTest, EveryGameTheGamePlaysIsEnteredWithItsOwnPoints) {
  constexpr int kDays = 6;
  // Characters of four bytes each, every byte encoded: the longest fields
  // there are.
  const auto wide = [](int characters) {
    std::string text;
    for (int c = 0; c < characters; ++c) text += "\xF0\x9F\x98\x80";
    return text;
  };
  for (int d = 0; d < kDays; ++d) {
    const QDate date = QDate(2026, 11, 20).addDays(d);
    now = QDateTime(date, QTime(12, 0), Qt::UTC);
    const std::string day = date.toString(Qt::ISODate).toStdString();
    const pyxaro::PlayedGame advised = AdvisorGame(day);
    RandomPlayer first(static_cast<unsigned>(2 * d));
    RandomPlayer second(static_cast<unsigned>(2 * d + 1));
    LongestPlayer longest;
    std::vector<std::tuple<std::string, std::string, pyxaro::PlayedGame>> games = {
        {"advisor", kPassword, advised},
        {"first", kPassword, DayGame(first, day)},
        {"second", kPassword, DayGame(second, day)}};
    if (d == 0) {
      games.emplace_back(wide(kNameLength), wide(kPasswordLength), DayGame(longest, day));
    }
    QList<std::pair<QString, int>> expected;
    for (const auto& [name, password, game] : games) {
      Expect(DayTarget(name, day, game.state.Total(), RecordText(game.moves), password), 200);
      expected.append({QString::fromStdString(name), game.state.Total()});
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    EXPECT_EQ(DayList(day), std::pair(advised.state.Total(), expected)) << day;
  }
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
      {GameTarget("Ann", kPassword, 412), "Entered: 412 points"},
      {"/", ">412<"},
      {"/player/ann", ">412<"},
      {"/api/top?period=month", "\"points\":412"},
      {GameTarget("Ann", kPassword, 413), "Entered: 413 points"},
  };
  for (const auto& [target, shown] : requests) {
    EndConnections();
    // The lists are read from the database again.
    now = now.addSecs(kListsLifetimeSeconds);
    Expect(target, 200, shown);
  }

  // While the database takes no connections at all, a submission is refused
  // as the list's failure; the next one after it is back is entered.
  OnCluster("ALTER DATABASE %1 ALLOW_CONNECTIONS false");
  EndConnections();
  Expect(GameTarget("Ann", kPassword, 414), 503, "The list cannot be reached now.");
  Expect("/health", 503);
  OnCluster("ALTER DATABASE %1 ALLOW_CONNECTIONS true");
  Expect(GameTarget("Ann", kPassword, 414), 200, "Entered: 414 points");
  Expect("/health", 200);
  EXPECT_EQ(Get("/player/ann").body.count("<tr><td"), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReconnectTest,
                         ::testing::Values(DatabaseAddress::Engine::PostgreSQL),
                         [](const auto&) { return "PostgreSQL"; });

}  // namespace
}  // namespace pyxaro::testing
