#include "server/score_site.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>
#include <variant>

#include "core/text.h"
#include "scoring/check_value.h"
#include "server/game_rules.h"
#include "server/pages.h"
#include "server/password_hash.h"
#include "server/query_items.h"
#include "server/store_error.h"
#include "server/submission_query.h"

namespace pyxaro {

namespace {

constexpr qint64 kMinuteMs = 60 * 1000;

// Names that differ only in case, spacing or Unicode form are one player, so
// no one can pass for another by a capital or a blank.
QString NameKey(const QString& name) {
  return name.simplified().normalized(QString::NormalizationForm_C).toCaseFolded();
}

int CurrentMonth(const QDateTime& nowUtc) {
  const QDate today = nowUtc.toUTC().date();
  return GameMonth(today.year(), today.month());
}

Reply JsonReply(int status, const QJsonObject& object) {
  return {status, "application/json", QJsonDocument(object).toJson(QJsonDocument::Compact), {}};
}

Reply EnteredPage(const QString& title, const QString& lead, const QString& name, int points,
                  const Standing& standing, const QString& monthWords) {
  const QString text = QString("%1: %2 points, #%3 %4, #%5 of all time.")
                           .arg(lead, QString::number(points), QString::number(standing.inMonth),
                                monthWords, QString::number(standing.allTime));
  return HtmlPage(200, title,
                  "<p>" + text.toHtmlEscaped() +
                      "</p><p><a href=\"/\">The lists</a> &middot; <a href=\"" +
                      PlayerPath(name).toHtmlEscaped() + "\">" + name.toHtmlEscaped() +
                      "\u2019s games</a></p>");
}

}  // namespace

ScoreSite::ScoreSite(ScoreStore& store, Clock clock)
    : store_(store),
      clock_(std::move(clock)),
      byClient_(kSubmissionsPerMinute, kMinuteMs),
      byName_(kSubmissionsPerMinute, kMinuteMs) {}

Reply ScoreSite::Answer(const SiteRequest& request) {
  if (request.method == SiteRequest::Method::Other) {
    Reply reply = MessagePage(405, "Not allowed", "The list answers GET and HEAD only.");
    reply.headers.emplace_back("Allow", "GET, HEAD");
    return reply;
  }
  if (request.path.size() + 1 + request.query.size() > kLongestTarget) {
    return MessagePage(
        414, "Address too long",
        QString("The list reads addresses of up to %1 characters.").arg(kLongestTarget));
  }
  try {
    return Route(request);
  } catch (const std::exception& failure) {
    // The database or the password hash failed: nothing the request did.
    // No password is in the reason: the database never sees one, and the
    // hash's failures are told in words of this program's own.
    qWarning().noquote() << "pyxaro-scores:" << failure.what();
    return MessagePage(503, "Not available", "The list cannot be reached now. Try again later.");
  }
}

Reply ScoreSite::Route(const SiteRequest& request) {
  static const QByteArray kPlayerPrefix = "/player/";
  if (request.path == "/") return CurrentLists().page;
  if (request.path == "/submit") {
    // A HEAD asks what a GET would answer and must change nothing: it
    // enters no game.
    if (request.method == SiteRequest::Method::Head) {
      Reply reply = MessagePage(405, "Not allowed", "A score is sent with GET.");
      reply.headers.emplace_back("Allow", "GET");
      return reply;
    }
    return Submit(request);
  }
  if (request.path == "/api/top") return TopAsJson(request.query);
  if (request.path.startsWith(kPlayerPrefix)) {
    return PlayerPage(request.path.sliced(kPlayerPrefix.size()));
  }
  return MessagePage(404, "Not found", "The list has no such page.");
}

Reply ScoreSite::Submit(const SiteRequest& request) {
  const QDateTime now = clock_();
  const auto tooMany = [](int seconds) {
    Reply reply = MessagePage(
        429, "Too many submissions",
        QString("Too many submissions in a minute. Try again in %1 seconds.").arg(seconds));
    reply.headers.emplace_back("Retry-After", QByteArray::number(seconds));
    return reply;
  };
  if (const int wait = byClient_.Admit(request.client, now.toMSecsSinceEpoch())) {
    return tooMany(wait);
  }
  const auto read = ReadSubmission(request.query);
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    return MessagePage(refusal->status, "Not entered", refusal->reason);
  }
  const Submission& submission = std::get<Submission>(read);
  const QString name = submission.user.simplified();
  if (name.isEmpty()) return MessagePage(400, "Not entered", "The name is blank.");
  if (const int wait = byName_.Admit(NameKey(name), now.toMSecsSinceEpoch())) {
    return tooMany(wait);
  }
  if (const std::optional<Refusal> broken = BrokenRule(submission, now)) {
    return MessagePage(broken->status, "Not entered", broken->reason);
  }

  const std::optional<PlayerRecord> player =
      Owner(name, submission.password, now.toSecsSinceEpoch());
  if (!player) {
    return MessagePage(409, "Not entered",
                       QString("The name %1 is registered with another password.").arg(name));
  }

  const GameRecord game{player->id,     submission.points,  submission.month,
                        submission.key, submission.version, now.toSecsSinceEpoch()};
  const bool added = store_.AddGame(game);
  if (added) lists_.reset();
  const QString monthWords = submission.month == CurrentMonth(now)
                                 ? QString("this month")
                                 : "in " + MonthText(submission.month);
  return EnteredPage(added ? "Entered" : "Already entered",
                     added ? "Entered" : "This game was entered before", player->name,
                     submission.points, store_.StandingOf(game), monthWords);
}

std::optional<PlayerRecord> ScoreSite::Owner(const QString& name, const QString& password,
                                             qint64 nowSeconds) {
  const QString key = NameKey(name);
  std::optional<PlayerRecord> player = store_.FindPlayer(key);
  if (!player) {
    const QByteArray hash = PasswordHash(password);
    if (const std::optional<qint64> id = store_.AddPlayer(name, key, hash, nowSeconds)) {
      return PlayerRecord{*id, name, hash};
    }
    // Another request registered the name a moment ago: its password decides.
    player = store_.FindPlayer(key);
    if (!player) throw StoreError("a player registered meanwhile is not there");
  }
  if (!PasswordMatches(player->passwordHash, password)) return std::nullopt;
  return player;
}

const ScoreSite::Lists& ScoreSite::CurrentLists() {
  const QDateTime now = clock_();
  const int month = CurrentMonth(now);
  const qint64 nowMs = now.toMSecsSinceEpoch();
  // A clock set back counts as the lifetime's end too.
  if (lists_ && lists_->month == month && nowMs >= lists_->readMs &&
      nowMs - lists_->readMs < kListsLifetimeSeconds * 1000) {
    return *lists_;
  }
  Lists fresh{
      month, nowMs, store_.Top(month, kListLength), store_.Top(std::nullopt, kListLength), {}};
  fresh.page =
      HtmlPage(200, "Pyxaro online list",
               "<h2>This month (" + MonthText(month) + ")</h2>\n" + GamesTable(fresh.monthly) +
                   "\n<h2>All time</h2>\n" + GamesTable(fresh.allTime));
  return lists_.emplace(std::move(fresh));
}

Reply ScoreSite::PlayerPage(const QByteArray& encodedName) {
  const std::optional<QByteArray> bytes = PercentDecoded(encodedName);
  if (!bytes || !IsValidUtf8(bytes->toStdString())) {
    return MessagePage(404, "Not found", "No player has that name.");
  }
  const std::optional<PlayerRecord> player = store_.FindPlayer(NameKey(QString::fromUtf8(*bytes)));
  if (!player) return MessagePage(404, "Not found", "No player has that name.");
  return HtmlPage(200, player->name,
                  "<h2>Best games</h2>\n" + GamesTable(store_.BestOf(player->id, kListLength)) +
                      "\n<p><a href=\"/\">The lists</a></p>");
}

Reply ScoreSite::TopAsJson(const QByteArray& query) {
  const auto refuse = [](const QString& why) { return JsonReply(400, {{"error", why}}); };
  const std::optional<QueryItems> items = DecodedQuery(query);
  if (!items) return refuse("broken percent escape");
  QByteArray period = "all";
  int limit = kListLength;
  for (const auto& [name, value] : *items) {
    if (name == "period" && (value == "month" || value == "all")) {
      period = value;
    } else if (name == "limit") {
      bool number = false;
      limit = value.toInt(&number);
      if (!number || limit < 1 || limit > kListLength) {
        return refuse(QString("limit is a number from 1 to %1").arg(kListLength));
      }
    } else {
      return refuse("the parameters are period=month|all and limit=N");
    }
  }
  const bool monthly = period == "month";
  const Lists& lists = CurrentLists();
  QJsonArray games;
  int rank = 0;
  for (const ListedGame& game : monthly ? lists.monthly : lists.allTime) {
    if (rank == limit) break;
    games.append(QJsonObject{
        {"rank", ++rank}, {"name", game.name}, {"points", game.points}, {"month", game.month}});
  }
  QJsonObject answer{{"period", QString::fromLatin1(period)}, {"games", games}};
  if (monthly) answer.insert("month", lists.month);
  return JsonReply(200, answer);
}

}  // namespace pyxaro
