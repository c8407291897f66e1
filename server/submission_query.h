#pragma once

#include <QByteArrayView>
#include <QString>
#include <variant>

#include "core/calendar_day.h"
#include "server/refusal.h"

namespace pyxaro {

inline constexpr int kPasswordLength = 64;
inline constexpr int kKeyLength = 24;
// The longest game the rules allow is written in 7,430 characters; the cap
// leaves room for a record a later game might write a little longer.
inline constexpr int kRecordLength = 8000;

// One top-ten row as the game sends it; the numbers are read but not yet
// judged against the game's rules.
struct Submission {
  QString user;
  QString password;
  int version = 0;
  int month = 0;
  int points = 0;
  QString key;

  bool operator==(const Submission&) const = default;
};

// The game's six fields from a query as it arrived, still percent-encoded:
// each exactly once and nothing else, text as UTF-8 without steering
// characters, numbers as plain digits, and every field within its cap.
// Depends on nothing but its argument, so any byte string can be thrown at it.
std::variant<Submission, Refusal> ReadSubmission(QByteArrayView query);

// A finished game of the day as the game sends it: its moves are read as
// text within their cap but not yet replayed.
struct DaySubmission {
  QString user;
  QString password;
  int version = 0;
  CalendarDay day;
  int points = 0;
  QString moves;

  bool operator==(const DaySubmission&) const = default;
};

// Whether the query sends a game of the day rather than a row: it has a
// "day" field.
bool IsDayForm(QByteArrayView query);

// The day game's six fields, read by the same rules as a row's, the day a
// calendar day in its one text form.
std::variant<DaySubmission, Refusal> ReadDaySubmission(QByteArrayView query);

}  // namespace pyxaro
