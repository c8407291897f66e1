#include "server/submission_query.h"

#include <QList>
#include <algorithm>
#include <array>
#include <optional>

#include "core/text.h"
#include "highscores/highscore_rules.h"
#include "server/query_items.h"

namespace pyxaro {

namespace {

// As many digits as an int always holds.
constexpr int kNumberDigits = 9;

constexpr std::size_t kFieldCount = 6;
using FieldNames = std::array<QByteArrayView, kFieldCount>;
constexpr FieldNames kRowFields{"user", "pass", "ver", "date", "points", "key"};
constexpr FieldNames kDayFields{"user", "pass", "ver", "day", "points", "moves"};

struct NamedValue {
  QByteArrayView name;
  QByteArray bytes;
};

Refusal FieldRefusal(QByteArrayView name, const QString& problem) {
  return {400, QString("The field \u201C%1\u201D %2.").arg(QString::fromLatin1(name), problem)};
}

std::variant<QString, Refusal> TextField(const NamedValue& field, int longest) {
  if (field.bytes.isEmpty()) return FieldRefusal(field.name, "is empty");
  if (!IsValidUtf8(field.bytes.toStdString())) {
    return FieldRefusal(field.name, "is not UTF-8 text");
  }
  const QString text = QString::fromUtf8(field.bytes);
  const QList<uint> codePoints = text.toUcs4();
  if (codePoints.size() > longest) {
    return FieldRefusal(field.name, QString("is longer than %1 characters").arg(longest));
  }
  if (std::any_of(codePoints.begin(), codePoints.end(), SteersText)) {
    return FieldRefusal(field.name, "holds a control character");
  }
  return text;
}

std::variant<int, Refusal> NumberField(const NamedValue& field) {
  const QByteArray& bytes = field.bytes;
  if (bytes.isEmpty() || bytes.size() > kNumberDigits ||
      !std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return FieldRefusal(field.name,
                        QString("is not a whole number of at most %1 digits").arg(kNumberDigits));
  }
  return bytes.toInt();
}

std::variant<CalendarDay, Refusal> DayField(const NamedValue& field) {
  if (const std::optional<CalendarDay> day = ParseDay(field.bytes.toStdString())) return *day;
  return FieldRefusal(field.name, "is not a calendar day from 2000 on written as 2026-12-08");
}

// The form's fields from the query, each exactly once and nothing else, read
// by `fill` into the form; the first field it refuses ends the reading.
template <typename Form, typename Fill>
std::variant<Form, Refusal> ReadForm(QByteArrayView query, const FieldNames& names, Fill fill) {
  const std::optional<QueryItems> items = DecodedQuery(query);
  if (!items) return Refusal{400, "The address has a % not followed by two hexadecimal digits."};
  std::array<std::optional<QByteArray>, kFieldCount> values;
  for (const auto& [name, value] : *items) {
    const auto known = std::find(names.begin(), names.end(), name);
    if (known == names.end()) {
      return Refusal{400, "The address holds a field the game does not send."};
    }
    std::optional<QByteArray>& slot = values[static_cast<std::size_t>(known - names.begin())];
    if (slot) return FieldRefusal(*known, "appears more than once");
    slot = value;
  }
  std::array<NamedValue, kFieldCount> fields;
  for (std::size_t f = 0; f < kFieldCount; ++f) {
    if (!values[f]) return FieldRefusal(names[f], "is missing");
    fields[f] = {names[f], *values[f]};
  }

  Form form;
  std::optional<Refusal> refusal;
  const auto take = [&refusal]<typename T>(T& into, std::variant<T, Refusal> read) {
    if (refusal) return;
    if (const auto* problem = std::get_if<Refusal>(&read)) {
      refusal = *problem;
    } else {
      into = std::get<T>(std::move(read));
    }
  };
  fill(form, fields, take);
  if (refusal) return *refusal;
  return form;
}

}  // namespace

std::variant<Submission, Refusal> ReadSubmission(QByteArrayView query) {
  return ReadForm<Submission>(query, kRowFields, [](Submission& row, const auto& field, auto take) {
    take(row.user, TextField(field[0], kNameLength));
    take(row.password, TextField(field[1], kPasswordLength));
    take(row.version, NumberField(field[2]));
    take(row.month, NumberField(field[3]));
    take(row.points, NumberField(field[4]));
    take(row.key, TextField(field[5], kKeyLength));
  });
}

bool IsDayForm(QByteArrayView query) {
  const std::optional<QueryItems> items = DecodedQuery(query);
  return items && std::any_of(items->begin(), items->end(),
                              [](const auto& item) { return item.first == kDayFields[3]; });
}

std::variant<DaySubmission, Refusal> ReadDaySubmission(QByteArrayView query) {
  return ReadForm<DaySubmission>(query, kDayFields,
                                 [](DaySubmission& game, const auto& field, auto take) {
                                   take(game.user, TextField(field[0], kNameLength));
                                   take(game.password, TextField(field[1], kPasswordLength));
                                   take(game.version, NumberField(field[2]));
                                   take(game.day, DayField(field[3]));
                                   take(game.points, NumberField(field[4]));
                                   take(game.moves, TextField(field[5], kRecordLength));
                                 });
}

}  // namespace pyxaro
