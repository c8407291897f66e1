// The day form of the online list's /submit: a random player's game of a day's dice, sent as the
// game sends it, maybe changed, or any bytes. The replay takes it as played while its day is open,
// and says why it refuses other points (naming both), another open day, a game cut short or a day
// not open. Built with libFuzzer in the sanitizer configuration, and run over a fixed series of
// inputs by every test run (replay.cpp).

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstdlib>

#include "core/calendar_day.h"
#include "core/version.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"
#include "scoring/move_record.h"
#include "server/game_rules.h"
#include "server/submission_query.h"
#include "tests/helpers/played_game.h"

namespace {

using namespace pyxaro;

// What is done to the game's query: after None, up to ClosedDay, each edit is refused.
enum class Edit {
  None,
  Points,
  OtherDay,
  CutShort,
  ClosedDay,
  AnyByte,
  AnyQuery,
  kMaxValue = AnyQuery
};

std::string DayOn(const QDate& date) { return DayText(DayOf(date)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // Late enough that a closed day 400 days before is still a calendar day the list reads.
  const QDate played = QDate(2001, 3, 1).addDays(input.ConsumeIntegralInRange(0, 36500));
  // Within ten hours of noon UTC the day before and the day after are open too.
  const QDateTime now =
      QDateTime(played, QTime(12, 0), Qt::UTC).addSecs(input.ConsumeIntegralInRange(-36000, 36000));
  testing::RandomPlayer player(input.ConsumeIntegral<unsigned>());
  const PlayedGame game = PlayGame(player, SeededDice(), DaySeed(DayOf(played)));
  DaySubmissionFields fields{"Ann",
                             "pw",
                             VersionNumber(kAppVersion),
                             DayOn(played),
                             game.state.Total(),
                             RecordText(game.moves)};

  const Edit edit = input.ConsumeEnum<Edit>();
  switch (edit) {
    case Edit::Points: {
      const int change = input.ConsumeIntegralInRange(1, 999);
      fields.Points += fields.Points >= change && input.ConsumeBool() ? -change : change;
      break;
    }
    case Edit::OtherDay:
      fields.Day = DayOn(played.addDays(input.ConsumeBool() ? -1 : 1));
      break;
    case Edit::CutShort: {
      MoveRecord moves = game.moves;
      moves.resize(moves.size() - input.ConsumeIntegralInRange<std::size_t>(1, moves.size() - 1));
      fields.Moves = RecordText(moves);
      break;
    }
    case Edit::ClosedDay:
      fields.Day =
          DayOn(played.addDays(input.ConsumeBool() ? input.ConsumeIntegralInRange(2, 400)
                                                   : -input.ConsumeIntegralInRange(3, 400)));
      break;
    default:
      break;
  }
  std::string query = DaySubmissionAddress("", fields).substr(1);
  if (edit == Edit::AnyByte) {
    const std::size_t place = input.ConsumeIntegralInRange<std::size_t>(0, query.size() - 1);
    query[place] = static_cast<char>(input.ConsumeIntegral<std::uint8_t>());
  } else if (edit == Edit::AnyQuery) {
    query = input.ConsumeRandomLengthString();
  }

  const auto read = ReadDaySubmission(QByteArray::fromStdString(query));
  const std::string longer = query + "2&moves=U%";
  if (read != ReadDaySubmission(QByteArrayView(longer.data(), query.size()))) std::abort();
  if (const auto* refusal = std::get_if<Refusal>(&read)) {
    // Only a changed byte or any query at all is not the game's.
    if (refusal->status != 400 || refusal->reason.isEmpty() || edit < Edit::AnyByte) std::abort();
    return 0;
  }
  const auto replayed = ReplayedPoints(std::get<DaySubmission>(read), now);
  if (const auto* refusal = std::get_if<Refusal>(&replayed)) {
    if (edit == Edit::None || (refusal->status != 400 && refusal->status != 403) ||
        refusal->reason.isEmpty())
      std::abort();
    const auto says = [&](int number) { return refusal->reason.contains(QString::number(number)); };
    if (edit == Edit::Points && !(says(fields.Points) && says(game.state.Total()))) std::abort();
  } else if (edit != Edit::AnyByte &&
             (edit != Edit::None || std::get<int>(replayed) != fields.Points)) {
    std::abort();
  }
  return 0;
}
