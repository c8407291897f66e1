#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/game_state.h"

namespace pyxaro {

// How many dice show each face: element f - 1 counts face f. A die that has
// not been thrown yet (0) counts under no face.
using FaceCounts = std::array<int, 6>;

FaceCounts FaceCount(const std::array<int, 6>& dice);

// The few shapes a category's rule can take; the parameters of each row say
// which dice it wants.
enum class RuleKind {
  Upper,        // face x its count
  OfAKind,      // highest face shown at least `size` times, worth size x face
  Pairs,        // the `size` highest faces shown at least twice, each worth 2 x face
  Straight,     // every face from `low` to `high` shown: worth `worth`
  Combination,  // two different faces, each matching its part
  Chance,       // the sum of the faces
  Yatzy,        // all six dice alike: worth `worth`
};

// One face of a combination: shown `count` times (exactly, or at least),
// worth `times` x face.
struct FacePart {
  int count = 0;
  bool exact = false;
  int times = 0;
};

struct Rule {
  RuleKind kind = RuleKind::Chance;
  int size = 0;
  int low = 0;
  int high = 0;
  int worth = 0;
  FacePart first{};
  FacePart second{};
};

// Everything that belongs to one category: its rule and best value, its
// names, the dice its row shows (groups apart, blank between), and where its
// row and its score stand on the card (twips from the window's top).
struct Category {
  int number;
  std::string_view name;
  Rule rule;
  int max;
  std::string_view spoken;
  std::string_view picture;
  int rowTop;
  int scoreTop;
};

namespace rule {
constexpr Rule Upper(int face) { return {.kind = RuleKind::Upper, .size = face}; }
constexpr Rule OfAKind(int size) { return {.kind = RuleKind::OfAKind, .size = size}; }
constexpr Rule Pairs(int pairs) { return {.kind = RuleKind::Pairs, .size = pairs}; }
constexpr Rule Straight(int low, int high, int worth) {
  return {.kind = RuleKind::Straight, .low = low, .high = high, .worth = worth};
}
constexpr Rule Combination(FacePart first, FacePart second) {
  return {.kind = RuleKind::Combination, .first = first, .second = second};
}
constexpr Rule SumOfFaces() { return {.kind = RuleKind::Chance}; }
constexpr Rule AllAlike(int worth) { return {.kind = RuleKind::Yatzy, .worth = worth}; }
}  // namespace rule

inline constexpr int kChance = 19;
inline constexpr int kYatzy = 20;

// The scorecard in row order: entering a score, the hint, the layout, the
// painter and the screen reader all walk this one list.
inline constexpr std::array<Category, kCategoryCount> kCategories{{
    {1, "Ones", rule::Upper(1), 6, "Ones", "1", 1500, 1550},
    {2, "Twos", rule::Upper(2), 12, "Twos", "2", 1800, 1865},
    {3, "Threes", rule::Upper(3), 18, "Threes", "3", 2130, 2180},
    {4, "Fours", rule::Upper(4), 24, "Fours", "4", 2430, 2490},
    {5, "Fives", rule::Upper(5), 30, "Fives", "5", 2760, 2810},
    {6, "Sixes", rule::Upper(6), 36, "Sixes", "6", 3060, 3120},
    {7, "OnePair", rule::OfAKind(2), 12, "One pair", "44", 3360, 3440},
    {8, "TwoPairs", rule::Pairs(2), 22, "Two pairs", "33 55", 3690, 3750},
    {9, "ThreePairs", rule::Pairs(3), 30, "Three pairs", "22 44 66", 4020, 4070},
    {10, "ThreeKind", rule::OfAKind(3), 18, "Three of a kind", "555", 4320, 4380},
    {11, "FourKind", rule::OfAKind(4), 24, "Four of a kind", "4444", 4650, 4710},
    {12, "FiveKind", rule::OfAKind(5), 30, "Five of a kind", "66666", 4950, 5020},
    {13, "SmallStr", rule::Straight(1, 5, 15), 15, "Small straight", "12345", 5280, 5340},
    {14, "LargeStr", rule::Straight(2, 6, 20), 20, "Large straight", "23456", 5580, 5640},
    {15, "FullStr", rule::Straight(1, 6, 21), 21, "Full straight", "123456", 5910, 5960},
    {16, "Hut", rule::Combination({3, false, 3}, {2, false, 2}), 28, "Hut", "444 22", 6210, 6270},
    {17, "House", rule::Combination({3, true, 3}, {3, true, 3}), 33, "House", "222 555", 6540,
     6590},
    {18, "Tower", rule::Combination({4, true, 4}, {2, true, 2}), 34, "Tower", "6666 11", 6840,
     6910},
    {19, "Chance", rule::SumOfFaces(), 36, "Chance", "253", 7170, 7220},
    {20, "Yatzy", rule::AllAlike(100), 100, "Yatzy", "666666", 7470, 7530},
}};

static_assert(
    [] {
      for (int k = 1; k <= static_cast<int>(kCategories.size()); ++k) {
        if (kCategories.at(static_cast<std::size_t>(k - 1)).number != k) return false;
      }
      return true;
    }(),
    "every row of kCategories is numbered by its place, and kCategoryCount counts the rows");

// The row of category 1..20; nullptr for any other number.
constexpr const Category* FindCategory(int category) {
  if (category < 1 || category > static_cast<int>(kCategories.size())) return nullptr;
  return &kCategories[static_cast<std::size_t>(category - 1)];
}

// The row of category 1..20, which must be one.
constexpr const Category& CategoryRow(int category) { return *FindCategory(category); }

// The value of the dice in a category; 0 means the dice do not fit it (and
// for any number outside 1..20).
int CategoryValue(int category, const std::array<int, 6>& dice);
// The value of a rule for face counts already taken, so a caller valuing
// many categories counts once.
int ValueOfCounts(const Rule& rule, const FaceCounts& counts);
int CategoryMax(int category);

}  // namespace pyxaro
