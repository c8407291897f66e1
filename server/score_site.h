#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "server/rate_limiter.h"
#include "server/reply.h"
#include "server/score_store.h"

namespace pyxaro {

inline constexpr int kLongestTarget = 2048;
inline constexpr int kSubmissionsPerMinute = 10;
inline constexpr int kListLength = 100;

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
  Reply Lists();
  Reply PlayerPage(const QByteArray& encodedName);
  Reply TopAsJson(const QByteArray& query);

  ScoreStore& store_;
  Clock clock_;
  RateLimiter byClient_;
  RateLimiter byName_;
};

}  // namespace pyxaro
