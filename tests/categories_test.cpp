#include "scoring/categories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace pyxaro {
namespace {

// The value of a throw in each category (1..20), read from the rules on the
// count of each face (count[0] holds the dice not thrown, which fit
// nothing): a second reading that shares no code with the game's.
std::array<int, 21> Expected(const std::array<int, 7>& count) {
  // The faces shown at least n times (exactly n when exact), the highest first.
  const auto faces = [&](int n, bool exact, int besides = 0) {
    std::vector<int> found;
    for (int f = 6; f >= 1; --f) {
      if (f != besides && (exact ? count.at(f) == n : count.at(f) >= n)) found.push_back(f);
    }
    return found;
  };
  const auto highest = [](const std::vector<int>& found, int times) {
    return found.empty() ? 0 : times * found[0];
  };
  // Two different faces: the highest that fits the first part, then the
  // highest other one that fits the second.
  const auto both = [&](int n, int m, bool exact, int times, int timesM) {
    const auto first = faces(n, exact);
    if (first.empty()) return 0;
    const auto second = faces(m, exact, first[0]);
    return second.empty() ? 0 : times * first[0] + timesM * second[0];
  };
  const auto shown = [&](int low, int high) {
    return std::all_of(count.begin() + low, count.begin() + high + 1, [](int c) { return c > 0; });
  };
  std::array<int, 21> value{};
  for (int f = 1; f <= 6; ++f) {
    value.at(f) = f * count.at(f);
    value[19] += f * count.at(f);
  }
  const auto pairs = faces(2, false);
  value[7] = highest(pairs, 2);
  value[8] = pairs.size() < 2 ? 0 : 2 * (pairs[0] + pairs[1]);
  value[9] = pairs.size() < 3 ? 0 : 2 * (pairs[0] + pairs[1] + pairs[2]);
  for (int n = 3; n <= 5; ++n) value.at(n + 7) = highest(faces(n, false), n);
  value[13] = shown(1, 5) ? 15 : 0;
  value[14] = shown(2, 6) ? 20 : 0;
  value[15] = shown(1, 6) ? 21 : 0;
  value[16] = both(3, 2, false, 3, 2);
  value[17] = both(3, 3, true, 3, 3);
  value[18] = both(4, 2, true, 4, 2);
  value[20] = faces(6, true).empty() ? 0 : 100;
  return value;
}

// Every throw of six dice, each die also not thrown yet (0).
TEST(CategoryValueTest, EveryThrowIsWorthWhatTheRulesSay) {
  std::array<int, 21> best{};
  for (int n = 0; n < 7 * 7 * 7 * 7 * 7 * 7; ++n) {
    std::array<int, 6> dice{};
    std::array<int, 7> count{};
    for (int k = 0, rest = n; k < 6; ++k, rest /= 7) {
      dice.at(k) = rest % 7;
      ++count.at(rest % 7);
    }
    const std::array<int, 21> expected = Expected(count);
    for (int c = 1; c <= 20; ++c) {
      const int value = CategoryValue(c, dice);
      ASSERT_EQ(value, expected.at(c)) << c << " " << ::testing::PrintToString(dice);
      best.at(c) = std::max(best.at(c), value);
    }
  }
  for (int c = 1; c <= 20; ++c) EXPECT_EQ(best.at(c), CategoryMax(c)) << c;
  for (const int outside : {0, 21}) {
    EXPECT_EQ(CategoryValue(outside, {6, 6, 6, 6, 6, 6}), 0);
    EXPECT_EQ(CategoryMax(outside), 0);
  }
}

}  // namespace
}  // namespace pyxaro
