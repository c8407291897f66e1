#pragma once

#include <QByteArrayView>
#include <QString>
#include <variant>

#include "server/refusal.h"

namespace pyxaro {

inline constexpr int kPasswordLength = 64;
inline constexpr int kKeyLength = 24;

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

}  // namespace pyxaro
