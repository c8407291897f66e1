#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/calendar_day.h"
#include "core/dice.h"
#include "core/version.h"
#include "highscores/submission_rules.h"
#include "scoring/advisor_correction.h"
#include "scoring/block_values.h"
#include "scoring/check_value.h"
#include "scoring/move_record.h"
#include "scoring/players.h"
#include "server/game_rules.h"
#include "server/pages.h"
#include "server_process.h"
#include "settings/ini.h"
#include "test_database.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

constexpr int kBrowserMs = 60000;

// A game ended on the fake desktop sends its row as a player's would: the
// game makes the address, a real browser opens it on the built server, and the
// lists are read as the browser laid them out.
class BrowserTest : public GameTest {
 protected:
  void SetUp() override {
    ASSERT_NE(server.Port(), 0) << server.Stop().toStdString();
    ASSERT_FALSE(chromium.isEmpty()) << "setup.sh installs chromium";
    Start();
  }

  // The address the game opens once a game of this total has ended and its
  // row is sent under the only profile, `profile`.
  std::string SentAddress(const std::string& profile, int total) {
    SetINIBatch(
        {{"Options", "ShowUser", "No"},
         {"Users", "antal", "1"},
         {"Users", "selected", "1"},
         {"Users", "user1", profile},
         {"Users", "pass1", "pw" + profile},
         {"Internet", "send", "http://127.0.0.1:" + std::to_string(server.Port()) + "/submit"}},
        folder.File("Pyx4.ini"));
    host.inputs = {"Row name"};
    EndGame(total);
    host.answers = {true};
    game->Pick(List::TopTen, Row{game->TopTen().NewRank() - 1});
    game->Do(Command::ProfileTick);
    game->Do(Command::SendTick);
    return host.opened.empty() ? "" : host.opened.back();
  }

  // The page as the browser built it, serialised again.
  QByteArray Dom(const QString& address) {
    QTemporaryDir profileFolder;
    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                             "--user-data-dir=" + profileFolder.path(), "--dump-dom", address});
    EXPECT_TRUE(browser.waitForFinished(kBrowserMs)) << address.toStdString();
    return browser.readAllStandardOutput();
  }

  QString Local(const QString& path) const {
    return QString("http://127.0.0.1:%1%2").arg(server.Port()).arg(path);
  }

  const QString chromium = QStandardPaths::findExecutable("chromium");
  TestDatabase database{DatabaseAddress::Engine::SQLite};
  ServerProcess server{PYXARO_SCORES_EXECUTABLE, database.Address()};
};

TEST_F(BrowserTest, TheGamesRowIsEnteredAndItsNameShownAsText) {
  // The name must reach every page as the letters typed, markup included.
  const QString name = "<b>Eve</b>";
  const QByteArray shown = name.toHtmlEscaped().toUtf8();
  const std::string address = SentAddress(name.toStdString(), 280);
  const QByteArray entered = Dom(QString::fromStdString(address));
  EXPECT_TRUE(entered.contains("Entered: 280 points")) << address << "\n" << entered.toStdString();
  // The row on the lists: the name as text in its link, then the points.
  const QByteArray lists = Dom(Local("/"));
  EXPECT_TRUE(lists.contains(">" + shown + "</a></td><td class=\"number\">280<"))
      << lists.toStdString();
  for (const QByteArray& page : {entered, lists, Dom(Local(PlayerPath(name)))}) {
    EXPECT_TRUE(page.contains(shown)) << page.toStdString();
    EXPECT_FALSE(page.contains("<b>")) << page.toStdString();
  }
}

// The game of the server's day, played by the game's own advisor and sent by
// the game's own routine, is listed with the points its moves make; the same
// address with other points or one face changed is refused and enters nothing.
TEST_F(BrowserTest, TodaysGameIsListedWithItsReplayedPointsAndForgeriesEnterNothing) {
  const CalendarDay today = DayOf(QDateTime::currentDateTimeUtc().date());
  Advisor advisor(blocks::Embedded(), kFittedCorrection);
  AdvisorPlayer player(advisor);
  const pyxaro::PlayedGame played = PlayGame(player, SeededDice(), DaySeed(today));
  const int points = played.state.Total();
  const auto address = [&](int stated, const MoveRecord& moves) {
    return QString::fromStdString(DaySubmissionAddress(
        Local("/submit").toStdString(), {"Dora", "pw of Dora", VersionNumber(kAppVersion),
                                         DayText(today), stated, RecordText(moves)}));
  };
  MoveRecord otherFace = played.moves;
  const auto throwAt = std::find_if(otherFace.rbegin(), otherFace.rend(), [](const Move& move) {
    return move.kind == Move::Kind::Throw;
  });
  throwAt->faces[6] = throwAt->faces[6] % 6 + 1;

  const QByteArray entered = Dom(address(points, played.moves));
  EXPECT_TRUE(entered.contains("Entered: " + QByteArray::number(points) + " points"))
      << entered.toStdString();
  for (const QString& forged : {address(points + 1, played.moves), address(points, otherFace)}) {
    const QByteArray refused = Dom(forged);
    EXPECT_TRUE(refused.contains("Not entered")) << refused.toStdString();
  }
  const QByteArray listed = Dom(Local("/today"));
  EXPECT_TRUE(listed.contains(">Dora</td><td class=\"number\">" + QByteArray::number(points) + "<"))
      << listed.toStdString();
  EXPECT_EQ(listed.count("<tr>"), 2) << listed.toStdString();
  EXPECT_TRUE(Dom(Local("/")).contains("href=\"/today\""));
}

}  // namespace
}  // namespace pyxaro::testing
