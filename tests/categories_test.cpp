#include "scoring/categories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <string_view>

namespace pyxaro {
namespace {

using Dice = std::array<int, 6>;

// Categories by the name the scorecard gives them.
int C(std::string_view name) {
  for (const Category& category : kCategories) {
    if (category.name == name) return category.number;
  }
  ADD_FAILURE() << "no category " << name;
  return 0;
}

TEST(CategoryValueTest, WorkedExamples) {
  const struct {
    Dice dice;
    const char* values;  // category name, value, ...
  } examples[] = {
      {{0, 0, 0, 0, 0, 0}, "Ones 0 OnePair 0 Chance 0 Yatzy 0"},
      {{6, 6, 6, 1, 2, 3}, "ThreeKind 18 Chance 24 OnePair 12"},
      {{6, 6, 6, 6, 6, 6}, "Sixes 36 FiveKind 30 Yatzy 100 TwoPairs 0 Hut 0 Tower 0"},
      {{2, 2, 4, 4, 6, 6}, "OnePair 12 TwoPairs 20 ThreePairs 24"},
      {{5, 5, 5, 5, 3, 1}, "TwoPairs 0 FourKind 20 Hut 0"},
      {{5, 5, 5, 5, 2, 2}, "TwoPairs 14 ThreePairs 0 Hut 19 Tower 24 House 0"},
      {{3, 3, 3, 6, 6, 6}, "ThreeKind 18 OnePair 12 TwoPairs 18 Hut 24 House 27"},
      {{5, 5, 5, 6, 6, 6}, "Hut 28 House 33"},
      {{1, 1, 1, 1, 6, 6}, "Tower 16 Hut 15"},
      {{6, 5, 4, 3, 2, 1}, "SmallStr 15 LargeStr 20 FullStr 21 OnePair 0"},
      {{1, 2, 3, 4, 5, 5}, "SmallStr 15 LargeStr 0 FullStr 0"},
      {{1, 1, 1, 1, 1, 1}, "Ones 6 Yatzy 100 OnePair 2"},
  };
  for (const auto& e : examples) {
    std::istringstream values(e.values);
    std::string name;
    for (int value = 0; values >> name >> value;) {
      EXPECT_EQ(CategoryValue(C(name), e.dice), value) << name << " of " << e.values;
    }
  }
  EXPECT_EQ(CategoryValue(21, {6, 6, 6, 6, 6, 6}), 0);
  EXPECT_EQ(CategoryMax(0), 0);
}

// Whether the dice fit, told from the shape of the throw (the counts sorted
// from the largest) and the faces shown: a second reading of the rules that
// shares no code with them.
bool Fits(int category, const std::array<int, 7>& count) {
  if (category <= 6) return count.at(static_cast<std::size_t>(category)) > 0;
  std::array<int, 6> s{};
  std::copy(count.begin() + 1, count.end(), s.begin());
  std::sort(s.rbegin(), s.rend());
  auto shown = [&](int low, int high) {
    return std::all_of(count.begin() + low, count.begin() + high + 1, [](int c) { return c > 0; });
  };
  const std::string_view name = kCategories.at(static_cast<std::size_t>(category - 1)).name;
  if (name == "OnePair") return s[0] >= 2;
  if (name == "TwoPairs") return s[1] >= 2;
  if (name == "ThreePairs") return s[2] >= 2;
  if (name == "ThreeKind") return s[0] >= 3;
  if (name == "FourKind") return s[0] >= 4;
  if (name == "FiveKind") return s[0] >= 5;
  if (name == "SmallStr") return shown(1, 5);
  if (name == "LargeStr") return shown(2, 6);
  if (name == "FullStr") return shown(1, 6);
  if (name == "Hut") return s[0] >= 3 && s[1] >= 2;
  if (name == "House") return s[0] == 3 && s[1] == 3;
  if (name == "Tower") return s[0] == 4 && s[1] == 2;
  return name == "Chance" || s[0] == 6;  // Yatzy
}

TEST(CategoryValueTest, PropertiesOverEveryThrow) {
  std::array<int, 21> highest{};
  for (int n = 0; n < 46656; ++n) {
    Dice dice{};
    std::array<int, 7> count{};
    for (int k = 0, rest = n; k < 6; ++k, rest /= 6) {
      dice.at(static_cast<std::size_t>(k)) = rest % 6 + 1;
      ++count.at(static_cast<std::size_t>(rest % 6 + 1));
    }
    Dice sorted = dice;
    std::sort(sorted.begin(), sorted.end());
    for (int c = 1; c <= 20; ++c) {
      const int value = CategoryValue(c, dice);
      int& top = highest.at(static_cast<std::size_t>(c));
      top = std::max(top, value);
      ASSERT_TRUE(value >= 0 && value <= CategoryMax(c)) << c;
      ASSERT_EQ(value != 0, Fits(c, count)) << c << " " << ::testing::PrintToString(dice);
      ASSERT_EQ(CategoryValue(c, sorted), value) << c;
    }
  }
  for (int c = 1; c <= 20; ++c)
    EXPECT_EQ(highest.at(static_cast<std::size_t>(c)), CategoryMax(c)) << c;
}

}  // namespace
}  // namespace pyxaro
