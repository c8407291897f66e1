#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "server/rate_limiter.h"
#include "server/reply.h"
#include "server/score_store.h"

namespace pyxaro {

inline constexpr int kLongestTarget = 2048;
inline constexpr int kSubmissionsPerMinute = 10;
inline constexpr int kListLength = 100;
// How long the lists are answered from memory at most. A game this server
// enters shows at once; one entered by another server on the same database
// shows within this time.
inline constexpr int kListsLifetimeSeconds = 5;

struct SiteRequest {
  enum class Method { Get, Head, Other };
  Method method = Method::Get;
  QByteArray path;   // as it arrived, percent-encoded
  QByteArray query;  // as it arrived, without the "?"
  QString client;
};

// What the list answers, whatever carries the requests to it: the pages,
// the submissions and their rules, and the limits on how often one client or
// one name may submit.
class ScoreSite {
 public:
  using Clock = std::function<QDateTime()>;

  ScoreSite(ScoreStore& store, Clock clock);

  Reply Answer(const SiteRequest& request);

 private:
  Reply Route(const SiteRequest& request);
  Reply Submit(const SiteRequest& request);
  // The player the name belongs to, registered with the password when the
  // name is new; nothing when the name belongs to another password.
  std::optional<PlayerRecord> Owner(const QString& name, const QString& password,
                                    qint64 nowSeconds);
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

  ScoreStore& store_;
  Clock clock_;
  RateLimiter byClient_;
  RateLimiter byName_;
  std::optional<Lists> lists_;
};

}  // namespace pyxaro
