#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "core/calendar_day.h"
#include "server/rate_limiter.h"
#include "server/refusal.h"
#include "server/reply.h"
#include "server/score_store.h"

namespace pyxaro {

class Advisor;

// The game of the day's longest legal record encoded (12,258 characters),
// with the longest name and password there are encoded too, and room.
inline constexpr int kLongestTarget = 14 * 1024;
inline constexpr int kSubmissionsPerMinute = 10;
// Wrong passwords one client may send for one name in a minute: fewer than
// its submissions, so a guesser learns little before he must wait.
inline constexpr int kWrongPasswordsPerMinute = 5;
// The fewest characters a new name's password has. Names registered before
// keep the passwords they have.
inline constexpr int kShortestNewPassword = 8;
inline constexpr int kListLength = 100;
// How long the lists are answered from memory at most. A game this server
// enters shows at once; one entered by another server on the same database
// shows within this time.
inline constexpr int kListsLifetimeSeconds = 5;

// Names that differ only in case, spacing or Unicode form are one player, so
// no one can pass for another by a capital or a blank.
QString NameKey(const QString& name);

struct SiteRequest {
  enum class Method { Get, Head, Other };
  Method method = Method::Get;
  QByteArray path;   // as it arrived, percent-encoded
  QByteArray query;  // as it arrived, without the "?"
  QString client;
};

// What the list answers, whatever carries the requests to it: the pages,
// the submissions and their rules, and the limits on how often one client may
// submit and send a name's wrong password.
class ScoreSite {
 public:
  using Clock = std::function<QDateTime()>;

  ScoreSite(ScoreStore& store, Clock clock);
  ~ScoreSite();

  // Answers the request through done, exactly once and on the thread that
  // called Answer: at once for most pages, later for a submission whose
  // password is checked away from that thread.
  void Answer(const SiteRequest& request, std::function<void(Reply)> done);

 private:
  Reply AnswerNow(const SiteRequest& request);
  Reply Route(const SiteRequest& request);
  Reply Submit(const SiteRequest& request);
  Reply SubmitRow(const QByteArray& query, const QString& client, const QDateTime& now);
  Reply SubmitDay(const QByteArray& query, const QString& client, const QDateTime& now);
  // The player who sends a submission once the client may try the name's
  // password again, the rules take it, the password is the name's and the
  // name is not banned; else the answer saying why it is not entered.
  std::variant<PlayerRecord, Reply> Sender(const QString& user, const QString& password,
                                           const QString& client, const QDateTime& now,
                                           const std::function<std::optional<Refusal>()>& rules);
  // The player the name belongs to, registered with the password when the
  // name is new and the password long enough; else the answer saying why
  // not, a wrong password counted against the guesser.
  std::variant<PlayerRecord, Reply> Owner(const QString& name, const QString& password,
                                          const QString& guesser, const QDateTime& now);
  // The two lists, read again when a game was entered, the month turned or
  // they are older than their lifetime.
  struct Lists {
    int month = 0;
    qint64 readMs = 0;
    std::vector<ListedGame> monthly;
    std::vector<ListedGame> allTime;
    Reply page;
  };
  const Lists& CurrentLists();
  Reply PlayerPage(const QByteArray& encodedName);
  Reply TopAsJson(const QByteArray& query);
  // The advisor's total on the day's dice, worked out the first time a day
  // is asked for and kept in the store.
  int AdvisorPointsOf(const CalendarDay& day);
  Reply DayPage(const CalendarDay& day);
  Reply DayAsJson(const QByteArray& query);
  Reply Health();

  ScoreStore& store_;
  Clock clock_;
  RateLimiter byClient_;
  RateLimiter wrongPasswords_;
  std::optional<Lists> lists_;
  std::unique_ptr<Advisor> advisor_;
};

}  // namespace pyxaro
