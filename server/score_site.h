#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/calendar_day.h"
#include "server/password_hash.h"
#include "server/rate_limiter.h"
#include "server/refusal.h"
#include "server/reply.h"
#include "server/score_store.h"

namespace pyxaro {

class Advisor;

// The game of the day's longest legal record encoded (12,258 characters),
// with the longest name and password there are encoded too, and room.
inline constexpr int kLongestTarget = 14 * 1024;
// The answer to a request whose target is longer, whoever finds it so: the
// HTTP front for a request line past its bound, the site for a target past
// this one.
Reply AddressTooLong();
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

  using Done = std::function<void(Reply)>;

  // Made and destroyed on the thread that calls Answer, whose event loop
  // delivers the password workers' results.
  ScoreSite(ScoreStore& store, Clock clock,
            PasswordWorkers::Size workers = PasswordWorkers::ForThisMachine());
  ~ScoreSite();

  // Answers the request through done, exactly once and on the thread that
  // called Answer: at once for the pages, later for a submission whose
  // password is checked on a worker. A submission still being checked when
  // the site is destroyed is never answered.
  void Answer(const SiteRequest& request, Done done);

 private:
  // A submission between its steps: who sends it, and what it enters once
  // the password is the name's.
  struct Sending {
    QDateTime now;
    QString client;
    QString name;
    QString password;
    QString guesser;
    std::function<Reply(const PlayerRecord&)> enter;
    Done done;
  };
  using SendingPtr = std::shared_ptr<Sending>;
  // A step answers, or returns nothing when a later one will.
  using Step = std::function<std::optional<Reply>()>;

  Reply AnswerNow(const SiteRequest& request);
  Reply Route(const SiteRequest& request);
  // Runs the step and answers the submission when it has the answer; a
  // failure of the database or the hash is answered as the list's own.
  void Take(const SendingPtr& sending, const Step& step);
  void Submit(const SiteRequest& request, Done done);
  std::optional<Reply> SubmitRow(const QByteArray& query, const QString& client,
                                 const SendingPtr& sending);
  std::optional<Reply> SubmitDay(const QByteArray& query, const QString& client,
                                 const SendingPtr& sending);
  // Enters the submission once the client may try the name's password
  // again, the rules take it, the password is the name's and the name is
  // not banned; else answers why not.
  std::optional<Reply> Send(const SendingPtr& sending, const QString& user, const QString& password,
                            const QString& client,
                            const std::function<std::optional<Refusal>()>& rules);
  // A new name, registered with the password when it can be seen, looks like
  // no other player's and its password is long enough.
  std::optional<Reply> Register(const SendingPtr& sending);
  std::optional<Reply> CheckPassword(const SendingPtr& sending, const QByteArray& hash);
  std::optional<Reply> LookAlikeRefusal(const Sending& sending, const QString& skeleton);
  // Runs the check on a password worker, then the step on this thread;
  // answers at once that the list is busy when the workers' queue is full.
  std::optional<Reply> Offload(const SendingPtr& sending, std::function<void()> check, Step then);
  void Resume(quint64 ticket, const QString& failure);
  // The two lists, read again when the month turned or they are older than
  // their lifetime; a game this server enters is placed in them, so that an
  // entry costs the readers no reading of the database.
  struct Lists {
    int month = 0;
    qint64 readMs = 0;
    std::vector<ListedGame> monthly;
    std::vector<ListedGame> allTime;
    Reply page;
  };
  const Lists& CurrentLists();
  void PlaceInLists(const ListedGame& game);
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
  // Submissions whose name's password is being checked, for each guesser:
  // each may yet prove a wrong one.
  QHash<QString, int> checking_;
  struct Resumption {
    SendingPtr sending;
    Step then;
  };
  quint64 lastTicket_ = 0;
  std::unordered_map<quint64, Resumption> resumptions_;
  // Where the workers' results arrive, on this thread. Deleted after the
  // workers have stopped, it takes the results not yet delivered with it,
  // so none reaches a destroyed site.
  QObject home_;
  PasswordWorkers workers_;
};

}  // namespace pyxaro
