#include "server/score_site.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>
#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

#include "core/dice.h"
#include "core/text.h"
#include "scoring/advisor.h"
#include "scoring/advisor_correction.h"
#include "scoring/block_values.h"
#include "scoring/check_value.h"
#include "scoring/players.h"
#include "server/game_rules.h"
#include "server/name_skeleton.h"
#include "server/pages.h"
#include "server/password_hash.h"
#include "server/query_items.h"
#include "server/store_error.h"
#include "server/submission_query.h"

namespace pyxaro {

namespace {

constexpr qint64 kMinuteMs = 60 * 1000;

int CurrentMonth(const QDateTime& nowUtc) {
  const QDate today = nowUtc.toUTC().date();
  return GameMonth(today.year(), today.month());
}

Reply JsonReply(int status, const QJsonObject& object) {
  return {status, "application/json", QJsonDocument(object).toJson(QJsonDocument::Compact), {}};
}

// `what` as "submissions": what came too often.
Reply TooMany(const QString& what, int seconds) {
  Reply reply = MessagePage(429, "Too many " + what,
                            QString("Too many %1 in a minute. Try again in %2 seconds.")
                                .arg(what, QString::number(seconds)));
  reply.headers.emplace_back("Retry-After", QByteArray::number(seconds));
  return reply;
}

QString DayPath(const QString& day) { return "/day/" + day; }

// The database or the password hash failed: nothing the request did. No
// password is in the reason: the database never sees one, and the hash's
// failures are told in words of this program's own.
Reply Unavailable(const char* reason) {
  qWarning().noquote() << "pyxaro-scores:" << reason;
  return MessagePage(503, "Not available", "The list cannot be reached now. Try again later.");
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

Reply ListsPage(int month, const std::vector<ListedGame>& monthly,
                const std::vector<ListedGame>& allTime) {
  return HtmlPage(200, "Pyxaro online list",
                  "<p><a href=\"/today\">Today\u2019s game of the day</a></p>\n"
                  "<h2>This month (" +
                      MonthText(month) + ")</h2>\n" + GamesTable(monthly) +
                      "\n<h2>All time</h2>\n" + GamesTable(allTime));
}

// The game placed in a list as the store's Top would place it: each player
// once by the best game, the earlier of two equal ones, below the games of as
// many points entered before it.
void PlaceIn(std::vector<ListedGame>& list, const ListedGame& game) {
  const auto same = std::find_if(
      list.begin(), list.end(), [&](const ListedGame& listed) { return listed.name == game.name; });
  if (same != list.end()) {
    if (same->points >= game.points) return;
    list.erase(same);
  }
  list.insert(std::find_if(list.begin(), list.end(),
                           [&](const ListedGame& listed) { return listed.points < game.points; }),
              game);
  if (list.size() > static_cast<std::size_t>(kListLength)) list.pop_back();
}

// Whether the path and the query, with the "?" between, are as short as the
// list reads.
bool FitsTarget(const SiteRequest& request) {
  return request.path.size() + 1 + request.query.size() <= kLongestTarget;
}

}  // namespace

QString NameKey(const QString& name) {
  return name.simplified().normalized(QString::NormalizationForm_C).toCaseFolded();
}

ScoreSite::ScoreSite(ScoreStore& store, Clock clock, PasswordWorkers::Size workers)
    : store_(store),
      clock_(std::move(clock)),
      byClient_(kSubmissionsPerMinute, kMinuteMs),
      wrongPasswords_(kWrongPasswordsPerMinute, kMinuteMs),
      workers_(workers) {}

ScoreSite::~ScoreSite() = default;

Reply AddressTooLong() {
  return MessagePage(
      414, "Address too long",
      QString("The list reads addresses of up to %1 characters.").arg(kLongestTarget));
}

void ScoreSite::Answer(const SiteRequest& request, Done done) {
  // Only a submission waits for anything: its password's check.
  if (request.method == SiteRequest::Method::Get && request.path == "/submit" &&
      FitsTarget(request)) {
    Submit(request, std::move(done));
    return;
  }
  done(AnswerNow(request));
}

Reply ScoreSite::AnswerNow(const SiteRequest& request) {
  if (request.method == SiteRequest::Method::Other) {
    Reply reply = MessagePage(405, "Not allowed", "The list answers GET and HEAD only.");
    reply.headers.emplace_back("Allow", "GET, HEAD");
    return reply;
  }
  if (!FitsTarget(request)) return AddressTooLong();
  try {
    return Route(request);
  } catch (const std::exception& failure) {
    return Unavailable(failure.what());
  }
}

Reply ScoreSite::Route(const SiteRequest& request) {
  static const QByteArray kPlayerPrefix = "/player/";
  static const QByteArray kDayPrefix = "/day/";
  if (request.path == "/") return CurrentLists().page;
  if (request.path == "/today") return DayPage(DayOf(clock_().toUTC().date()));
  if (request.path.startsWith(kDayPrefix)) {
    const std::optional<CalendarDay> day =
        ParseDay(request.path.sliced(kDayPrefix.size()).toStdString());
    if (!day) return MessagePage(404, "Not found", "A day's list is at /day/2026-12-08.");
    return DayPage(*day);
  }
  if (request.path == "/api/day") return DayAsJson(request.query);
  if (request.path == "/submit") {
    // A GET is answered by Submit. A HEAD asks what a GET would answer and
    // must change nothing: it enters no game.
    Reply reply = MessagePage(405, "Not allowed", "A score is sent with GET.");
    reply.headers.emplace_back("Allow", "GET");
    return reply;
  }
  if (request.path == "/api/top") return TopAsJson(request.query);
  if (request.path == "/health") return Health();
  if (request.path.startsWith(kPlayerPrefix)) {
    return PlayerPage(request.path.sliced(kPlayerPrefix.size()));
  }
  return MessagePage(404, "Not found", "The list has no such page.");
}

void ScoreSite::Take(const SendingPtr& sending, const Step& step) {
  std::optional<Reply> reply;
  try {
    reply = step();
  } catch (const std::exception& failure) {
    reply = Unavailable(failure.what());
  }
  if (!reply) return;
  if (!sending->guesser.isEmpty() && --checking_[sending->guesser] == 0) {
    checking_.remove(sending->guesser);
  }
  sending->done(std::move(*reply));
}

void ScoreSite::Submit(const SiteRequest& request, Done done) {
  const auto sending = std::make_shared<Sending>();
  sending->now = clock_();
  sending->client = request.client;
  sending->done = std::move(done);
  Take(sending, [&]() -> std::optional<Reply> {
    if (const int wait = byClient_.Admit(request.client, sending->now.toMSecsSinceEpoch())) {
      return TooMany("submissions", wait);
    }
    return IsDayForm(request.query) ? SubmitDay(request.query, request.client, sending)
                                    : SubmitRow(request.query, request.client, sending);
  });
}

std::optional<Reply> ScoreSite::Send(const SendingPtr& sending, const QString& user,
                                     const QString& password, const QString& client,
                                     const std::function<std::optional<Refusal>()>& rules) {
  const QString name = user.simplified();
  if (name.isEmpty()) return MessagePage(400, "Not entered", "The name is blank.");
  // Only wrong passwords count against a name, and only from the client
  // that sent them: a stranger's guesses then never keep the owner, whose
  // password matches, from entering a game. Those being checked count as
  // wrong ones until they are known, or a guesser sending many at once
  // would have them all checked.
  const QString guesser = client + '\n' + NameKey(name);
  if (const int wait = wrongPasswords_.Wait(guesser, sending->now.toMSecsSinceEpoch(),
                                            checking_.value(guesser))) {
    return TooMany("wrong passwords for " + name, wait);
  }
  if (const std::optional<Refusal> broken = rules()) {
    return MessagePage(broken->status, "Not entered", broken->reason);
  }
  sending->name = name;
  sending->password = password;
  sending->guesser = guesser;
  ++checking_[guesser];
  if (const std::optional<PlayerRecord> player = store_.FindPlayer(NameKey(name))) {
    return CheckPassword(sending, player->passwordHash);
  }
  return Register(sending);
}

std::optional<Reply> ScoreSite::SubmitRow(const QByteArray& query, const QString& client,
                                          const SendingPtr& sending) {
  const auto read = ReadSubmission(query);
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    return MessagePage(refusal->status, "Not entered", refusal->reason);
  }
  const Submission& submission = std::get<Submission>(read);
  const QDateTime now = sending->now;
  sending->enter = [this, submission, now](const PlayerRecord& player) {
    const GameRecord game{player.id,      submission.points,  submission.month,
                          submission.key, submission.version, now.toSecsSinceEpoch()};
    const bool added = store_.AddGame(game);
    if (added) PlaceInLists({player.name, submission.points, submission.month});
    const QString monthWords = submission.month == CurrentMonth(now)
                                   ? QString("this month")
                                   : "in " + MonthText(submission.month);
    return EnteredPage(added ? "Entered" : "Already entered",
                       added ? "Entered" : "This game was entered before", player.name,
                       submission.points, store_.StandingOf(game), monthWords);
  };
  return Send(sending, submission.user, submission.password, client,
              [&] { return BrokenRule(submission, now); });
}

std::optional<Reply> ScoreSite::SubmitDay(const QByteArray& query, const QString& client,
                                          const SendingPtr& sending) {
  const auto read = ReadDaySubmission(query);
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    return MessagePage(refusal->status, "Not entered", refusal->reason);
  }
  const DaySubmission& submission = std::get<DaySubmission>(read);
  const QDateTime now = sending->now;
  // The points entered are always the replay's: the stated ones only have
  // to agree with them.
  const auto points = std::make_shared<int>(0);
  sending->enter = [this, submission, now, points](const PlayerRecord& player) {
    const QString day = QString::fromStdString(DayText(submission.day));
    const DayEntry entry = store_.AddDayGame(
        {player.id, day, *points, submission.moves, submission.version, now.toSecsSinceEpoch()});
    if (entry == DayEntry::OtherGame) {
      return MessagePage(409, "Not entered",
                         QString("%1 has entered a game of %2 already: one game a day counts.")
                             .arg(player.name, day));
    }
    const QString text =
        QString("%1: %2 points, #%3 of the day %4.")
            .arg(entry == DayEntry::Added ? "Entered" : "This game was entered before",
                 QString::number(*points), QString::number(store_.DayStandingOf(player.id, day)),
                 day);
    return HtmlPage(200, entry == DayEntry::Added ? "Entered" : "Already entered",
                    "<p>" + text.toHtmlEscaped() + "</p><p><a href=\"" + DayPath(day) +
                        "\">The day\u2019s list</a> &middot; <a href=\"/\">The lists</a></p>");
  };
  return Send(sending, submission.user, submission.password, client,
              [&]() -> std::optional<Refusal> {
                const auto replayed = ReplayedPoints(submission, now);
                if (const auto* refusal = std::get_if<Refusal>(&replayed)) return *refusal;
                *points = std::get<int>(replayed);
                return std::nullopt;
              });
}

std::optional<Reply> ScoreSite::LookAlikeRefusal(const Sending& sending, const QString& skeleton) {
  const std::optional<QString> registered = store_.LookAlike(skeleton, NameKey(sending.name));
  if (!registered) return std::nullopt;
  return MessagePage(409, "Not entered",
                     QString("The name %1 looks like %2, a name registered already. Choose one "
                             "that looks like no other player's.")
                         .arg(sending.name, *registered));
}

std::optional<Reply> ScoreSite::Register(const SendingPtr& sending) {
  // A name refused here costs no hash. A name that mixes alphabets yet looks
  // like no registered one is taken: it deceives no one on the lists, a
  // player may well write a letter of his own alphabet in a Latin name, and
  // from then on its skeleton keeps every look-alike of it out.
  const QString skeleton = NameSkeleton(sending->name);
  if (skeleton.isEmpty()) {
    return MessagePage(400, "Not entered", "A name needs letters that can be seen.");
  }
  if (std::optional<Reply> refusal = LookAlikeRefusal(*sending, skeleton)) return refusal;
  // A short password falls to guesses spread over enough addresses and
  // minutes, and the name with it.
  if (sending->password.toUcs4().size() < kShortestNewPassword) {
    return MessagePage(400, "Not entered",
                       QString("A new name needs a password of at least %1 characters, so "
                               "that no one can guess it and send games as %2.")
                           .arg(QString::number(kShortestNewPassword), sending->name));
  }
  const auto hash = std::make_shared<QByteArray>();
  return Offload(
      sending, [hash, password = sending->password] { *hash = PasswordHash(password); },
      [this, sending, hash, skeleton]() -> std::optional<Reply> {
        // A look-alike may have been registered while the hash ran.
        if (std::optional<Reply> refusal = LookAlikeRefusal(*sending, skeleton)) return refusal;
        const QString key = NameKey(sending->name);
        if (const std::optional<qint64> id =
                store_.AddPlayer(sending->name, key, *hash, sending->now.toSecsSinceEpoch())) {
          return sending->enter(PlayerRecord{*id, sending->name, *hash});
        }
        // Another request registered the name a moment ago: its password
        // decides.
        const std::optional<PlayerRecord> player = store_.FindPlayer(key);
        if (!player) throw StoreError("a player registered meanwhile is not there");
        return CheckPassword(sending, player->passwordHash);
      });
}

std::optional<Reply> ScoreSite::CheckPassword(const SendingPtr& sending, const QByteArray& hash) {
  const auto matches = std::make_shared<bool>(false);
  return Offload(
      sending,
      [matches, hash, password = sending->password] { *matches = PasswordMatches(hash, password); },
      [this, sending, matches]() -> std::optional<Reply> {
        if (!*matches) {
          wrongPasswords_.Count(sending->guesser, sending->now.toMSecsSinceEpoch());
          return MessagePage(
              409, "Not entered",
              QString("The name %1 is registered with another password.").arg(sending->name));
        }
        // Read again: the operator may have banned the name meanwhile.
        const std::optional<PlayerRecord> player = store_.FindPlayer(NameKey(sending->name));
        if (!player) throw StoreError("a player whose password was checked is gone");
        if (player->banned) {
          return MessagePage(403, "Not entered",
                             QString("The name %1 is banned from this list.").arg(player->name));
        }
        return sending->enter(*player);
      });
}

std::optional<Reply> ScoreSite::Offload(const SendingPtr& sending, std::function<void()> check,
                                        Step then) {
  const quint64 ticket = ++lastTicket_;
  const bool taken = workers_.Take([this, ticket, check = std::move(check)] {
    QString failure;
    try {
      check();
    } catch (const std::exception& error) {
      failure = QString::fromUtf8(error.what());
    }
    QMetaObject::invokeMethod(
        &home_, [this, ticket, failure] { Resume(ticket, failure); }, Qt::QueuedConnection);
  });
  if (!taken) {
    // The player is told to try again: this one does not count against
    // the client's submissions.
    byClient_.TakeBack(sending->client);
    return MessagePage(503, "Busy",
                       "The list is busy checking other players' passwords. Try again in a "
                       "minute.");
  }
  resumptions_.emplace(ticket, Resumption{sending, std::move(then)});
  return std::nullopt;
}

void ScoreSite::Resume(quint64 ticket, const QString& failure) {
  const auto found = resumptions_.find(ticket);
  if (found == resumptions_.end()) return;
  const Resumption resumption = std::move(found->second);
  resumptions_.erase(found);
  Take(resumption.sending, [&]() -> std::optional<Reply> {
    if (!failure.isEmpty()) throw std::runtime_error(failure.toStdString());
    return resumption.then();
  });
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
  fresh.page = ListsPage(month, fresh.monthly, fresh.allTime);
  return lists_.emplace(std::move(fresh));
}

void ScoreSite::PlaceInLists(const ListedGame& game) {
  if (!lists_) return;
  if (game.month == lists_->month) PlaceIn(lists_->monthly, game);
  PlaceIn(lists_->allTime, game);
  lists_->page = ListsPage(lists_->month, lists_->monthly, lists_->allTime);
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

int ScoreSite::AdvisorPointsOf(const CalendarDay& day) {
  const QString text = QString::fromStdString(DayText(day));
  if (const std::optional<int> kept = store_.AdvisorPoints(text)) return *kept;
  if (!advisor_) advisor_ = std::make_unique<Advisor>(blocks::Embedded(), kFittedCorrection);
  const int points = AdvisorTotal(*advisor_, SeededDice(), DaySeed(day));
  store_.KeepAdvisorPoints(text, points);
  return points;
}

Reply ScoreSite::DayPage(const CalendarDay& day) {
  const QString text = QString::fromStdString(DayText(day));
  const QDate date = DateOf(day);
  const QDate latest = OpenDaysAt(clock_()).latest;
  // A day not begun anywhere has no list yet, and the advisor plays no game
  // for the days up to 9999 an address can name; those since 2000 are few
  // enough to keep one total each.
  if (date > latest) {
    return MessagePage(404, "Not found", QString("The game of %1 has not begun yet.").arg(text));
  }
  const int advisor = AdvisorPointsOf(day);
  QString links;
  const auto link = [&links](const QDate& other) {
    const QString shown = other.toString(Qt::ISODate);
    links += "<a href=\"" + DayPath(shown) + "\">" + shown + "</a> &middot; ";
  };
  if (ParseDay(date.addDays(-1).toString(Qt::ISODate).toStdString())) link(date.addDays(-1));
  if (date < latest) link(date.addDays(1));
  links = "<p>" + links + "<a href=\"/\">The lists</a></p>";
  return HtmlPage(
      200, "Game of " + text,
      QString("<p>The advisor makes <b>%1</b> points on these dice.</p>\n").arg(advisor) +
          DayGamesTable(store_.DayTop(text, kListLength)) + "\n" + links);
}

Reply ScoreSite::DayAsJson(const QByteArray& query) {
  const std::optional<QueryItems> items = DecodedQuery(query);
  const auto refuse = [](int status, const QString& why) {
    return JsonReply(status, {{"error", why}});
  };
  if (!items || items->size() != 1 || items->front().first != "date") {
    return refuse(400, "the parameter is date=YYYY-MM-DD");
  }
  const std::optional<CalendarDay> day = ParseDay(items->front().second.toStdString());
  if (!day) return refuse(400, "the date is a calendar day from 2000 on, as 2026-12-08");
  if (DateOf(*day) > OpenDaysAt(clock_()).latest) {
    return refuse(404, "the game of that day has not begun yet");
  }
  const QString text = QString::fromStdString(DayText(*day));
  const int advisor = AdvisorPointsOf(*day);
  QJsonArray games;
  int rank = 0;
  for (const DayListedGame& game : store_.DayTop(text, kListLength)) {
    games.append(QJsonObject{{"rank", ++rank}, {"name", game.name}, {"points", game.points}});
  }
  return JsonReply(200, {{"date", text}, {"advisor", advisor}, {"games", games}});
}

Reply ScoreSite::Health() {
  // Asked of the database each time, never of the lists in memory, so that a
  // monitor sees the moment it stops answering.
  try {
    return JsonReply(200, {{"database", "ok"}, {"schema", store_.SchemaVersion()}});
  } catch (const StoreError&) {
    return JsonReply(503, {{"database", "unreachable"}});
  }
}

}  // namespace pyxaro
