// The query of the online list's /submit, hostile or nearly the game's own: it is read the same
// every time, also from a buffer that runs on past it; what is read keeps every field within its
// cap and comes back unchanged through the address the game would make of it; what the game's rules
// then take lies within their ranges. Built with libFuzzer in the sanitizer configuration, and run
// over a fixed series of inputs by every test run (replay.cpp).

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

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

// The largest number a field of nine digits holds.
constexpr int kLargestNumber = 999'999'999;

// One of the list's items.
template <typename List>
auto Pick(FuzzedDataProvider& input, const List& list) {
  return list[input.ConsumeIntegralInRange<std::size_t>(0, std::size(list) - 1)];
}

// Text of up to `most` + 1 pieces, most often of characters the list takes, the address's
// delimiters and escapes among them; else with a character that steers text after them, or any
// bytes at all.
std::string Text(FuzzedDataProvider& input, int most) {
  static constexpr std::string_view kAscii = "aZ7 &=%+?#";
  static constexpr const char* kWider[] = {"%41", "\xC3\xBC", "\xE4\xB8\x80", "\xF0\x9F\x98\x80"};
  static constexpr const char* kSteering[] = {"\n", "\x7F", "\xC2\x85", "\xE2\x80\xAE"};
  const int kind = input.ConsumeIntegralInRange(0, 7);
  if (kind == 0) return input.ConsumeRandomLengthString(4 * static_cast<std::size_t>(most));
  std::string text;
  for (int pieces = input.ConsumeIntegralInRange(0, most + 1); pieces > 0; --pieces)
    text += input.ConsumeBool() ? std::string(1, Pick(input, kAscii)) : Pick(input, kWider);
  if (kind == 1) text += Pick(input, kSteering);
  return text;
}

// A number's text: most often the plausible one, else one too long or not a number.
std::string Number(FuzzedDataProvider& input, int plausible) {
  switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
      return std::string(input.ConsumeIntegralInRange(0, 2), '0') +
             std::to_string(input.ConsumeIntegralInRange(0, 2 * kLargestNumber));
    case 1:
      return Text(input, 4);
    default:
      return std::to_string(plausible);
  }
}

// The six fields as the game sends them at `now`, the key most often the check value of the rest,
// and the month and points often at the edges of what the rules allow.
SubmissionFields Fields(FuzzedDataProvider& input, const QDateTime& now) {
  SubmissionFields fields;
  fields.User = Text(input, kNameLength);
  fields.Password = Text(input, kPasswordLength);
  fields.Version = input.ConsumeBool() ? VersionNumber(kAppVersion)
                                       : input.ConsumeIntegralInRange(-1, 2 * kLargestNumber);
  const QDate near = now.addDays(input.ConsumeIntegralInRange(-40, 40)).date();
  fields.Month =
      Number(input, input.ConsumeBool() ? GameMonth(near.year(), near.month())
                                        : GameMonth(input.ConsumeIntegralInRange(0, 99),
                                                    input.ConsumeIntegralInRange(0, 13)));
  const int highest = kHighestTotal;
  const std::array<int, 4> edges{0, 1, highest, highest + 1};
  fields.Points = Number(
      input, input.ConsumeBool() ? Pick(input, edges) : input.ConsumeIntegralInRange(0, highest));
  // The numbers as far as they read as numbers at all, else 0.
  const int month = QByteArray::fromStdString(fields.Month).toInt();
  const int points = QByteArray::fromStdString(fields.Points).toInt();
  fields.Key = input.ConsumeIntegralInRange(0, 3) != 0
                   ? CheckValue(input.ConsumeIntegralInRange(1, 9), points, month, fields.Version)
                   : Text(input, kKeyLength);
  return fields;
}

// The game's query with fields left out, repeated or added, or stray bytes put in.
std::string Query(FuzzedDataProvider& input, const QDateTime& now) {
  std::string query = SubmissionAddress("", Fields(input, now)).substr(1);
  for (int edits = input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange(1, 3); edits > 0;
       --edits) {
    const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(0, query.size());
    switch (input.ConsumeIntegralInRange(0, 2)) {
      case 0:
        query.erase(at, input.ConsumeIntegralInRange<std::size_t>(0, 16));
        break;
      case 1:
        query.insert(at, "&" + Text(input, 8) + "=" + PercentEncoded(Text(input, 24)));
        break;
      default:
        query.insert(at, Text(input, 8));
    }
  }
  return query;
}

bool Same(const Reading& a, const Reading& b) {
  if (a.index() != b.index()) return false;
  if (const auto* submission = std::get_if<Submission>(&a)) return *submission == std::get<0>(b);
  const Refusal& refusal = std::get<Refusal>(a);
  return refusal.status == std::get<Refusal>(b).status &&
         refusal.reason == std::get<Refusal>(b).reason;
}

bool WithinCap(const QString& text, int cap) {
  const QList<uint> codePoints = text.toUcs4();
  return !codePoints.empty() && codePoints.size() <= cap &&
         std::none_of(codePoints.begin(), codePoints.end(), SteersText);
}

bool IsNumber(int number) { return number >= 0 && number <= kLargestNumber; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const QDateTime now =
      QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)
          .addSecs(input.ConsumeIntegralInRange<qint64>(0, 100LL * 365 * 24 * 60 * 60));
  const std::string query = input.ConsumeIntegralInRange(0, 7) != 0
                                ? Query(input, now)
                                : input.ConsumeRandomLengthString();

  // Read twice, and from a buffer whose bytes go on past the query: the same reading.
  const Reading read = ReadSubmission(QByteArray::fromStdString(query));
  const std::string longer = query + "4&user=x&points=1%";
  if (!Same(read, ReadSubmission(QByteArrayView(longer.data(), query.size())))) std::abort();
  if (!Same(read, ReadSubmission(QByteArray::fromStdString(query)))) std::abort();

  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    if (refusal->status != 400 || refusal->reason.isEmpty()) std::abort();
    return 0;
  }
  const Submission& submission = std::get<Submission>(read);
  if (!WithinCap(submission.user, kNameLength) ||
      !WithinCap(submission.password, kPasswordLength) || !WithinCap(submission.key, kKeyLength) ||
      !IsNumber(submission.version) || !IsNumber(submission.month) || !IsNumber(submission.points))
    std::abort();
  // What is read is what the game would have sent for it.
  const std::string sent =
      SubmissionAddress("", {submission.user.toStdString(), submission.password.toStdString(),
                             submission.version, std::to_string(submission.month),
                             std::to_string(submission.points), submission.key.toStdString()});
  if (!Same(read, ReadSubmission(QByteArray::fromStdString(sent.substr(1))))) std::abort();

  const std::optional<Refusal> broken = BrokenRule(submission, now);
  if (broken) {
    if ((broken->status != 400 && broken->status != 403) || broken->reason.isEmpty()) std::abort();
    return 0;
  }
  const int monthOfYear = submission.month % 100;
  const int digit = submission.key.front().digitValue();
  if (!IsKnownVersion(submission.version) || monthOfYear < 1 || monthOfYear > 12 ||
      submission.month > LatestGameMonth(now) || submission.points < 1 ||
      submission.points > kHighestTotal || digit < 1 ||
      CheckValue(digit, submission.points, submission.month, submission.version) !=
          submission.key.toStdString())
    std::abort();
  return 0;
}
