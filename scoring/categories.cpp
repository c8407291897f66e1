#include "scoring/categories.h"

namespace pyxaro {

namespace {

constexpr int kFaces = 6;

int Count(const FaceCounts& counts, int face) { return counts[static_cast<std::size_t>(face - 1)]; }

bool Matches(const FacePart& part, int count) {
  return part.exact ? count == part.count : count >= part.count;
}

// The highest face other than `besides` whose count matches the part; 0 for
// none. Looking from the top down makes the higher face win every tie.
int HighestFace(const FaceCounts& counts, const FacePart& part, int besides) {
  for (int face = kFaces; face >= 1; --face) {
    if (face != besides && Matches(part, Count(counts, face))) return face;
  }
  return 0;
}

}  // namespace

FaceCounts FaceCount(const std::array<int, 6>& dice) {
  FaceCounts counts{};
  for (const int die : dice) {
    // Anything but a face 1..6 (an unthrown 0 above all) counts nowhere.
    if (die >= 1 && die <= kFaces) ++counts[static_cast<std::size_t>(die - 1)];
  }
  return counts;
}

int ValueOfCounts(const Rule& rule, const FaceCounts& counts) {
  switch (rule.kind) {
    case RuleKind::Upper:
      return rule.size * Count(counts, rule.size);
    case RuleKind::OfAKind: {
      const int face = HighestFace(counts, {rule.size, false, rule.size}, 0);
      return rule.size * face;
    }
    case RuleKind::Pairs: {
      // A face counts once however many dice show it: four fives are one pair.
      int pairs = 0;
      int value = 0;
      for (int face = kFaces; face >= 1 && pairs < rule.size; --face) {
        if (Count(counts, face) >= 2) {
          ++pairs;
          value += 2 * face;
        }
      }
      return pairs == rule.size ? value : 0;
    }
    case RuleKind::Straight:
      for (int face = rule.low; face <= rule.high; ++face) {
        if (Count(counts, face) == 0) return 0;
      }
      return rule.worth;
    case RuleKind::Combination: {
      const int a = HighestFace(counts, rule.first, 0);
      if (a == 0) return 0;
      const int b = HighestFace(counts, rule.second, a);
      if (b == 0) return 0;
      return rule.first.times * a + rule.second.times * b;
    }
    case RuleKind::Chance: {
      int sum = 0;
      for (int face = 1; face <= kFaces; ++face) sum += face * Count(counts, face);
      return sum;
    }
    case RuleKind::Yatzy:
      for (int face = 1; face <= kFaces; ++face) {
        if (Count(counts, face) == 6) return rule.worth;
      }
      return 0;
  }
  return 0;
}

int CategoryValue(int category, const std::array<int, 6>& dice) {
  const Category* row = FindCategory(category);
  return row == nullptr ? 0 : ValueOfCounts(row->rule, FaceCount(dice));
}

int CategoryMax(int category) {
  const Category* row = FindCategory(category);
  return row == nullptr ? 0 : row->max;
}

}  // namespace pyxaro
