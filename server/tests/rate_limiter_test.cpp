#include "server/rate_limiter.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace pyxaro::testing {
namespace {

// Over random attempts by a few keys: no window holds more admitted attempts
// than allowed, an attempt is refused only when its window is full, counting
// those not yet known and not those taken back, and the wait told is the
// least whole number of seconds after which it is admitted.
TEST(RateLimiterTest, WindowsHoldAtMostTheAllowedAttemptsAndWaitsAreExact) {
  constexpr int kAllowed = 3;
  constexpr qint64 kWindowMs = 10000;
  RateLimiter limiter(kAllowed, kWindowMs);
  std::map<QString, std::vector<qint64>> admitted;
  std::mt19937 random(1);
  qint64 now = 1'000'000;
  for (int n = 0; n < 5000; ++n) {
    now += random() % 3000;
    const QString key = QString::number(random() % 4);
    std::vector<qint64>& times = admitted[key];
    const auto inWindow =
        std::count_if(times.begin(), times.end(), [now](qint64 t) { return t > now - kWindowMs; });
    RateLimiter later = limiter;
    RateLimiter sooner = limiter;
    // Attempts whose outcome is not known fill the window as counted ones,
    // for about a second.
    const int pending = static_cast<int>(random() % kAllowed);
    const int pendingWait = limiter.Wait(key, now, pending);
    EXPECT_EQ(pendingWait == 0, inWindow + pending < kAllowed);
    EXPECT_TRUE(inWindow == kAllowed || pendingWait <= 1) << pendingWait;
    const int wait = limiter.Admit(key, now);
    if (wait == 0) {
      EXPECT_LT(inWindow, kAllowed);
      // Some are taken back, as a submission the list was too busy for.
      if (random() % 5 == 0) {
        limiter.TakeBack(key);
      } else {
        times.push_back(now);
      }
      continue;
    }
    EXPECT_EQ(inWindow, kAllowed);
    EXPECT_EQ(later.Admit(key, now + wait * 1000), 0) << wait;
    EXPECT_GT(sooner.Admit(key, now + (wait - 1) * 1000), 0) << wait;
  }
}

}  // namespace
}  // namespace pyxaro::testing
