#include "scoring/dice_sets.h"

#include <algorithm>
#include <cstdint>

namespace pyxaro {

// The points of a set of dice are kept in a byte each.
static_assert(std::all_of(kCategories.begin(), kCategories.end(),
                          [](const Category& category) { return category.max <= INT8_MAX; }));

namespace {

constexpr int kKeys = 7 * 7 * 7 * 7 * 7 * 7;

// Every way to show `dice` more dice on top of `counts`, from face `from`
// up, so each multiset comes out once.
void Collect(FaceCounts counts, int from, int dice, std::vector<FaceCounts>& out) {
  if (dice == 0) {
    out.push_back(counts);
    return;
  }
  for (int face = from; face <= 6; ++face) {
    ++counts[static_cast<std::size_t>(face - 1)];
    Collect(counts, face, dice - 1, out);
    --counts[static_cast<std::size_t>(face - 1)];
  }
}

}  // namespace

const DiceSets& DiceSets::Get() {
  static const DiceSets sets;
  return sets;
}

int DiceSets::Key(const FaceCounts& counts) {
  int key = 0;
  for (const int count : counts) key = key * 7 + count;
  return key;
}

int DiceSets::IndexOf(const FaceCounts& counts) const {
  for (const int count : counts) {
    if (count < 0 || count > 6) return -1;
  }
  return indexOfKey_[Slot(Key(counts))];
}

DiceSets::DiceSets() : indexOfKey_(kKeys, -1) {
  for (int size = 0; size <= 6; ++size) Collect({}, 1, size, counts_);
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    indexOfKey_[Slot(Key(counts_[i]))] = static_cast<std::int16_t>(i);
    int size = 0;
    for (const int count : counts_[i]) size += count;
    sizes_.push_back(size);
  }
  with_.resize(counts_.size() * 6);
  without_.resize(counts_.size() * 6);
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    for (std::size_t f = 0; f < 6; ++f) {
      FaceCounts more = counts_[i];
      ++more[f];
      with_[i * 6 + f] = sizes_[i] == 6 ? std::int16_t{-1} : indexOfKey_[Slot(Key(more))];
      FaceCounts fewer = counts_[i];
      --fewer[f];
      without_[i * 6 + f] = fewer[f] < 0 ? std::int16_t{kSets} : indexOfKey_[Slot(Key(fewer))];
    }
  }
  for (int full = kFirstFull; full < kSets; ++full) {
    std::array<std::int8_t, kCategoryCount> points{};
    for (const Category& category : kCategories) {
      points[Slot(category.number - 1)] =
          static_cast<std::int8_t>(ValueOfCounts(category.rule, Counts(full)));
    }
    points_.push_back(points);
    std::vector<Fit> fits;
    for (int k = 1; k <= kCategoryCount; ++k) {
      if (points[Slot(k - 1)] > 0) fits.push_back({k, points[Slot(k - 1)]});
    }
    fits_.push_back(std::move(fits));
    std::vector<std::int16_t> keeps;
    for (int set = 0; set < kFirstFull; ++set) {
      const FaceCounts& kept = Counts(set);
      const FaceCounts& shown = Counts(full);
      if (std::equal(kept.begin(), kept.end(), shown.begin(), std::less_equal<>())) {
        keeps.push_back(static_cast<std::int16_t>(set));
      }
    }
    keeps_.push_back(std::move(keeps));
  }
}

}  // namespace pyxaro
