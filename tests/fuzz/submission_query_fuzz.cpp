// The query of the online list's /submit, hostile or nearly the game's own: read the same every
// time and from a buffer that runs on past it, and what is read comes back unchanged through the
// game's address for it. The game's address of fields it could send is read as those fields, and
// the rules take the row exactly when version, month, points and key are the game's. Built with
// libFuzzer in the sanitizer configuration, and run over inputs by every test run (replay.cpp).

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "core/text.h"
#include "core/version.h"
#include "highscores/highscore_rules.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"
#include "server/game_rules.h"
#include "server/submission_query.h"

namespace {

using namespace pyxaro;
using Reading = std::variant<Submission, Refusal>;

// What must become of a field, a query or a row: taken, either, or refused; of several, the worst.
enum class Verdict { Taken, Either, Refused };

Verdict TakenIf(bool taken) { return taken ? Verdict::Taken : Verdict::Refused; }

// The largest number a field of nine digits holds.
constexpr int kLargestNumber = 999'999'999;

struct Field {
  std::string text;
  Verdict verdict;
};

template <typename List>
auto Pick(FuzzedDataProvider& input, const List& list) {
  return list[input.ConsumeIntegralInRange<std::size_t>(0, std::size(list) - 1)];
}

// Text of up to `most` + 1 pieces of characters the list takes, delimiters and escapes among them
// ("%41" is three characters, not an "A"), else ending in one it refuses, or any bytes.
Field Text(FuzzedDataProvider& input, int most) {
  static constexpr std::string_view kAscii = "aZ7 &=%+?#";
  static constexpr const char* kWider[] = {"%41", "\xC3\xBC", "\xE4\xB8\x80", "\xF0\x9F\x98\x80"};
  static constexpr std::string_view kRefused[] = {{"\0", 1},      "\n",   "\x7F", "\xC2\x85",
                                                  "\xE2\x80\xAE", "\xFF", "\xC3"};
  const int kind = input.ConsumeIntegralInRange(0, 11);
  if (kind == 0)
    return {input.ConsumeRandomLengthString(4 * static_cast<std::size_t>(most)), Verdict::Either};
  std::string text;
  for (int pieces = input.ConsumeIntegralInRange(0, most + 1); pieces > 0; --pieces)
    text += input.ConsumeBool() ? std::string(1, Pick(input, kAscii)) : Pick(input, kWider);
  if (kind == 1) return {text + std::string(Pick(input, kRefused)), Verdict::Refused};
  const auto characters = static_cast<int>(ToCodePoints(text).size());
  return {text, TakenIf(characters >= 1 && characters <= most)};
}

// A number's text: most often the plausible one, else with leading zeros, too many digits, or a
// sign, a blank or a letter among them.
Field Number(FuzzedDataProvider& input, int plausible) {
  std::string text = std::to_string(plausible);
  switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
      text = std::string(input.ConsumeIntegralInRange(0, 2), '0') +
             std::to_string(input.ConsumeIntegralInRange(0, 2 * kLargestNumber));
      break;
    case 1:
      text.insert(input.ConsumeIntegralInRange<std::size_t>(0, text.size()), 1,
                  Pick(input, std::string_view("-+ a.")));
      return {text, Verdict::Refused};
  }
  // Leading zeros count among the nine digits a field holds.
  return {text, TakenIf(text.size() <= 9)};
}

// A calendar month up to the current one in UTC has begun everywhere; one after the month a month
// from now has begun nowhere.
Verdict MonthVerdict(int month, const QDateTime& now) {
  const auto monthOf = [](const QDate& date) { return GameMonth(date.year(), date.month()); };
  if (month % 100 < 1 || month % 100 > 12 || month > monthOf(now.date().addDays(32)))
    return Verdict::Refused;
  return month <= monthOf(now.date()) ? Verdict::Taken : Verdict::Either;
}

struct Query {
  std::string text;
  SubmissionFields fields;
  Verdict read = Verdict::Either;   // by the reader
  Verdict rules = Verdict::Either;  // by the game's rules, of the fields read
};

// The game's query at `now`, month and points often at the rules' edges, the key most often made
// for them; then maybe a pair left out, sent twice or unknown, and bytes cut out or put in.
Query GameQuery(FuzzedDataProvider& input, const QDateTime& now) {
  Query query;
  SubmissionFields& fields = query.fields;
  Verdict read = Verdict::Taken;
  const auto take = [&read](const Field& field) {
    read = std::max(read, field.verdict);
    return field.text;
  };
  fields.User = take(Text(input, kNameLength));
  fields.Password = take(Text(input, kPasswordLength));
  const int version = VersionNumber(kAppVersion);
  fields.Version = input.ConsumeIntegralInRange(0, 3) != 0
                       ? version
                       : input.ConsumeIntegralInRange(-1, 2 * kLargestNumber);
  const QDate near = now.date().addDays(input.ConsumeIntegralInRange(-40, 70));
  fields.Month =
      take(Number(input, input.ConsumeBool() ? GameMonth(near.year(), near.month())
                                             : GameMonth(input.ConsumeIntegralInRange(0, 99),
                                                         input.ConsumeIntegralInRange(0, 13))));
  const int edges[] = {0, 1, kHighestTotal, kHighestTotal + 1};
  fields.Points =
      take(Number(input, input.ConsumeBool() ? Pick(input, edges)
                                             : input.ConsumeIntegralInRange(0, kHighestTotal)));
  // The game's numbers as far as they read as numbers at all, else 0.
  const int game[] = {QByteArray::fromStdString(fields.Points).toInt(),
                      QByteArray::fromStdString(fields.Month).toInt(), fields.Version};
  const int digit = input.ConsumeIntegralInRange(0, 9);
  Verdict key = TakenIf(digit > 0);
  int keyed[] = {game[0], game[1], game[2]};
  if (input.ConsumeIntegralInRange(0, 3) == 0) {
    keyed[input.ConsumeIntegralInRange(0, 2)] += input.ConsumeIntegralInRange(1, 99);
    key = Verdict::Refused;
  }
  const std::string made = CheckValue(digit, keyed[0], keyed[1], keyed[2]);
  Field keyText{made, TakenIf(made.size() <= static_cast<std::size_t>(kKeyLength))};
  if (input.ConsumeIntegralInRange(0, 5) == 0) {
    keyText = Text(input, kKeyLength);
    key = Verdict::Either;
  }
  fields.Key = take(keyText);
  query.read = std::max(read, TakenIf(fields.Version >= 0 && fields.Version <= kLargestNumber));
  query.rules = std::max({key, TakenIf(fields.Version == version), MonthVerdict(game[1], now),
                          TakenIf(game[0] >= 1 && game[0] <= kHighestTotal)});

  QList<QByteArray> pairs =
      QByteArray::fromStdString(SubmissionAddress("", fields)).sliced(1).split('&');
  // The escapes in either case.
  if (input.ConsumeBool())
    for (QByteArray& pair : pairs)
      for (qsizetype at = pair.indexOf('%'); at >= 0; at = pair.indexOf('%', at + 1))
        pair.replace(at + 1, 2, pair.mid(at + 1, 2).toLower());
  static constexpr const char* kUnknown[] = {"admin=1", "User=Ann", "use=Ann", "=", "points"};
  const qsizetype at = input.ConsumeIntegralInRange<qsizetype>(0, pairs.size() - 1);
  const int edit = input.ConsumeIntegralInRange(0, 8);
  if (edit == 0) pairs.removeAt(at);
  if (edit == 1) pairs.append(pairs[at]);
  if (edit == 2) pairs.insert(at, Pick(input, kUnknown));
  if (edit <= 2) query.read = Verdict::Refused;
  query.text = pairs.join('&').toStdString();
  if (input.ConsumeIntegralInRange(0, 3) == 0) {
    // Bytes cut out, often to the end, or text put in: the reading is left open.
    const std::size_t place = input.ConsumeIntegralInRange<std::size_t>(0, query.text.size());
    if (input.ConsumeBool()) {
      query.text.erase(place, input.ConsumeBool()
                                  ? std::string::npos
                                  : input.ConsumeIntegralInRange<std::size_t>(1, 16));
    } else {
      query.text.insert(place, Text(input, 8).text);
    }
    query.read = Verdict::Either;
  }
  return query;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // Up to 2098, so that a month a month later still has a year of its own.
  const QDateTime now =
      QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)
          .addSecs(input.ConsumeIntegralInRange<qint64>(0, 99LL * 365 * 24 * 60 * 60));
  const Query query = input.ConsumeIntegralInRange(0, 7) != 0
                          ? GameQuery(input, now)
                          : Query{input.ConsumeRandomLengthString(), {}};

  // Read twice, and from a buffer whose bytes go on past the query: the same reading.
  const Reading read = ReadSubmission(QByteArray::fromStdString(query.text));
  const std::string longer = query.text + "4&user=x&points=1%";
  if (read != ReadSubmission(QByteArrayView(longer.data(), query.text.size())) ||
      read != ReadSubmission(QByteArray::fromStdString(query.text)))
    std::abort();
  if (query.read != Verdict::Either &&
      std::holds_alternative<Refusal>(read) != (query.read == Verdict::Refused))
    std::abort();
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    if (refusal->status != 400 || refusal->reason.isEmpty()) std::abort();
    return 0;
  }

  // What is read is what the game would have sent for it.
  const Submission& submission = std::get<Submission>(read);
  const std::string sent =
      SubmissionAddress("", {submission.user.toStdString(), submission.password.toStdString(),
                             submission.version, std::to_string(submission.month),
                             std::to_string(submission.points), submission.key.toStdString()});
  if (read != ReadSubmission(QByteArray::fromStdString(sent.substr(1)))) std::abort();
  if (query.read != Verdict::Taken) return 0;
  const SubmissionFields& fields = query.fields;
  if (!(submission == Submission{QString::fromStdString(fields.User),
                                 QString::fromStdString(fields.Password), fields.Version,
                                 std::stoi(fields.Month), std::stoi(fields.Points),
                                 QString::fromStdString(fields.Key)}))
    std::abort();

  const std::optional<Refusal> broken = BrokenRule(submission, now);
  if (query.rules != Verdict::Either && broken.has_value() != (query.rules == Verdict::Refused))
    std::abort();
  if (broken && ((broken->status != 400 && broken->status != 403) || broken->reason.isEmpty()))
    std::abort();
  return 0;
}
