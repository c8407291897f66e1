#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace pyxaro {

// How many dice show each face: element f - 1 counts face f. A die that has
// not been thrown yet (0) counts under no face.
using FaceCounts = std::array<int, 6>;

FaceCounts FaceCount(const std::array<double, 6>& dice);

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

struct Category {
  int number;
  std::string_view name;
  std::string_view control;
  std::string_view label;
  Rule rule;
  int max;
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

inline constexpr int kUpperCategories = 6;

// The scorecard in row order: entering a score and the hint both walk this
// one list.
inline constexpr std::array<Category, 20> kCategories{{
    {1, "Ones", "btn_Ones", "scr_01", rule::Upper(1), 6},
    {2, "Twos", "btn_Twos", "scr_02", rule::Upper(2), 12},
    {3, "Threes", "btn_Threes", "scr_03", rule::Upper(3), 18},
    {4, "Fours", "btn_Fours", "scr_04", rule::Upper(4), 24},
    {5, "Fives", "btn_Fives", "scr_05", rule::Upper(5), 30},
    {6, "Sixes", "btn_Sixes", "scr_06", rule::Upper(6), 36},
    {7, "OnePair", "btn_OnePair", "scr_07", rule::OfAKind(2), 12},
    {8, "TwoPairs", "btn_TwoPairs", "scr_08", rule::Pairs(2), 22},
    {9, "ThreePairs", "btn_ThreePairs", "scr_09", rule::Pairs(3), 30},
    {10, "ThreeKind", "btn_ThreeKind", "scr_10", rule::OfAKind(3), 18},
    {11, "FourKind", "btn_FourKind", "scr_11", rule::OfAKind(4), 24},
    {12, "FiveKind", "btn_FiveKind", "scr_12", rule::OfAKind(5), 30},
    {13, "SmallStr", "btn_SmallStr", "scr_13", rule::Straight(1, 5, 15), 15},
    {14, "LargeStr", "btn_LargeStr", "scr_14", rule::Straight(2, 6, 20), 20},
    {15, "FullStr", "btn_FullStr", "scr_15", rule::Straight(1, 6, 21), 21},
    {16, "Hut", "btn_Hut", "scr_16", rule::Combination({3, false, 3}, {2, false, 2}), 28},
    {17, "House", "btn_House", "scr_17", rule::Combination({3, true, 3}, {3, true, 3}), 33},
    {18, "Tower", "btn_Tower", "scr_18", rule::Combination({4, true, 4}, {2, true, 2}), 34},
    {19, "Chance", "btn_Chance", "scr_19", rule::SumOfFaces(), 36},
    {20, "Yatzy", "btn_Yatzy", "scr_20", rule::AllAlike(100), 100},
}};

static_assert([] {
  for (int k = 1; k <= static_cast<int>(kCategories.size()); ++k) {
    if (kCategories.at(static_cast<std::size_t>(k - 1)).number != k) return false;
  }
  return true;
}());

// The row of category 1..20; nullptr for any other number.
constexpr const Category* FindCategory(int category) {
  if (category < 1 || category > static_cast<int>(kCategories.size())) return nullptr;
  return &kCategories[static_cast<std::size_t>(category - 1)];
}

constexpr bool IsUpper(int category) {
  const Category* row = FindCategory(category);
  return row != nullptr && row->rule.kind == RuleKind::Upper;
}

// The value of the dice in a category; 0 means the dice do not fit it (and
// for any number outside 1..20).
int KategValue(int category, const std::array<double, 6>& dice);
// The value of a rule for face counts already taken, so a caller valuing
// many categories counts once.
int ValueOfCounts(const Rule& rule, const FaceCounts& counts);
int KategMax(int category);

}  // namespace pyxaro
