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

enum class Field { User, Password, Version, Month, Points, Key };
constexpr std::array<QByteArrayView, 6> kFieldNames{"user", "pass", "ver", "date", "points", "key"};

Refusal FieldRefusal(Field field, const QString& problem) {
  return {400,
          QString("The field \u201C%1\u201D %2.")
              .arg(QString::fromLatin1(kFieldNames[static_cast<std::size_t>(field)]), problem)};
}

std::variant<QString, Refusal> TextField(Field field, const QByteArray& bytes, int longest) {
  if (bytes.isEmpty()) return FieldRefusal(field, "is empty");
  if (!IsValidUtf8(bytes.toStdString())) return FieldRefusal(field, "is not UTF-8 text");
  const QString text = QString::fromUtf8(bytes);
  const QList<uint> codePoints = text.toUcs4();
  if (codePoints.size() > longest) {
    return FieldRefusal(field, QString("is longer than %1 characters").arg(longest));
  }
  if (std::any_of(codePoints.begin(), codePoints.end(), SteersText)) {
    return FieldRefusal(field, "holds a control character");
  }
  return text;
}

std::variant<int, Refusal> NumberField(Field field, const QByteArray& bytes) {
  if (bytes.isEmpty() || bytes.size() > kNumberDigits ||
      !std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return FieldRefusal(field,
                        QString("is not a whole number of at most %1 digits").arg(kNumberDigits));
  }
  return bytes.toInt();
}

}  // namespace

std::variant<Submission, Refusal> ReadSubmission(QByteArrayView query) {
  const std::optional<QueryItems> items = DecodedQuery(query);
  if (!items) return Refusal{400, "The address has a % not followed by two hexadecimal digits."};
  std::array<std::optional<QByteArray>, kFieldNames.size()> values;
  for (const auto& [name, value] : *items) {
    const auto known = std::find(kFieldNames.begin(), kFieldNames.end(), name);
    if (known == kFieldNames.end()) {
      return Refusal{400, "The address holds a field the game does not send."};
    }
    const auto field = static_cast<Field>(known - kFieldNames.begin());
    std::optional<QByteArray>& slot = values[static_cast<std::size_t>(field)];
    if (slot) return FieldRefusal(field, "appears more than once");
    slot = value;
  }
  for (std::size_t f = 0; f < values.size(); ++f) {
    if (!values[f]) return FieldRefusal(static_cast<Field>(f), "is missing");
  }

  const auto bytes = [&values](Field field) { return *values[static_cast<std::size_t>(field)]; };
  Submission submission;
  std::optional<Refusal> refusal;
  const auto take = [&refusal]<typename T>(T& into, std::variant<T, Refusal> read) {
    if (refusal) return;
    if (const auto* problem = std::get_if<Refusal>(&read)) {
      refusal = *problem;
    } else {
      into = std::get<T>(std::move(read));
    }
  };
  take(submission.user, TextField(Field::User, bytes(Field::User), kNameLength));
  take(submission.password, TextField(Field::Password, bytes(Field::Password), kPasswordLength));
  take(submission.version, NumberField(Field::Version, bytes(Field::Version)));
  take(submission.month, NumberField(Field::Month, bytes(Field::Month)));
  take(submission.points, NumberField(Field::Points, bytes(Field::Points)));
  take(submission.key, TextField(Field::Key, bytes(Field::Key), kKeyLength));
  if (refusal) return *refusal;
  return submission;
}

}  // namespace pyxaro
