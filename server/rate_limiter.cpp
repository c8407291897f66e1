#include "server/rate_limiter.h"

namespace pyxaro {

RateLimiter::RateLimiter(int allowed, qint64 windowMs) : allowed_(allowed), windowMs_(windowMs) {}

int RateLimiter::Admit(const QString& key, qint64 nowMs) {
  const int wait = Wait(key, nowMs);
  if (wait == 0) Count(key, nowMs);
  return wait;
}

int RateLimiter::Wait(const QString& key, qint64 nowMs, int pending) {
  const std::deque<qint64>& times = Recent(key, nowMs);
  const int counted = static_cast<int>(times.size());
  if (counted + pending < allowed_) return 0;
  if (counted < allowed_) return 1;
  const qint64 waitMs = times.front() - (nowMs - windowMs_);
  return static_cast<int>((waitMs + 999) / 1000);
}

void RateLimiter::Count(const QString& key, qint64 nowMs) { Recent(key, nowMs).push_back(nowMs); }

void RateLimiter::TakeBack(const QString& key) {
  const auto found = attempts_.find(key);
  if (found != attempts_.end() && !found->empty()) found->pop_back();
}

std::deque<qint64>& RateLimiter::Recent(const QString& key, qint64 nowMs) {
  const qint64 windowStartMs = nowMs - windowMs_;
  // Keys that went quiet are dropped once a window, so the table holds only
  // the last window's callers however many come and go.
  if (windowStartMs >= forgottenUntilMs_ + windowMs_) ForgetBefore(windowStartMs);
  std::deque<qint64>& times = attempts_[key];
  while (!times.empty() && times.front() <= windowStartMs) times.pop_front();
  return times;
}

void RateLimiter::ForgetBefore(qint64 startMs) {
  for (auto it = attempts_.begin(); it != attempts_.end();) {
    if (it->empty() || it->back() <= startMs) {
      it = attempts_.erase(it);
    } else {
      ++it;
    }
  }
  forgottenUntilMs_ = startMs;
}

}  // namespace pyxaro
