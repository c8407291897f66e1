#pragma once

#include <QHash>
#include <QString>
#include <deque>

namespace pyxaro {

// At most `allowed` attempts per key within any window of `windowMs`, counted
// in memory: a restart forgets them, which only ever lets a few more through.
class RateLimiter {
 public:
  RateLimiter(int allowed, qint64 windowMs);

  // 0 when the key may make an attempt at `nowMs`, which is then counted;
  // otherwise the whole seconds until it may, and nothing is counted.
  int Admit(const QString& key, qint64 nowMs);
  // The same wait, counting nothing: for attempts counted only once their
  // outcome is known, `pending` of them not known yet and counted as made
  // now. While those alone fill the window the wait is a second, about as
  // long as they take to be known.
  int Wait(const QString& key, qint64 nowMs, int pending = 0);
  void Count(const QString& key, qint64 nowMs);
  // Takes back the key's latest attempt counted: one turned away for a
  // reason of the list's own, which the caller is told to try again.
  void TakeBack(const QString& key);

 private:
  // The key's attempts within the window that ends at `nowMs`.
  std::deque<qint64>& Recent(const QString& key, qint64 nowMs);
  void ForgetBefore(qint64 startMs);

  int allowed_;
  qint64 windowMs_;
  QHash<QString, std::deque<qint64>> attempts_;
  qint64 forgottenUntilMs_ = 0;
};

}  // namespace pyxaro
