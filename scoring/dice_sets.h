#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scoring/categories.h"

namespace pyxaro {

// Every multiset of up to six dice, numbered so that smaller sets come
// first: the dice kept on the table, and the six a throw shows. Only which
// faces show matters to every rule, never which die shows them, so a turn
// is planned over 924 sets instead of 6^6 throws.
class DiceSets {
 public:
  static constexpr int kSets = 924;
  static constexpr int kFullSets = 462;
  static constexpr int kFirstFull = kSets - kFullSets;

  static const DiceSets& Get();

  int IndexOf(const FaceCounts& counts) const;
  const FaceCounts& Counts(int set) const { return counts_[Slot(set)]; }
  int Size(int set) const { return sizes_[Slot(set)]; }
  // The set with one more die showing `face`; -1 when the set is full.
  int With(int set, int face) const { return with_[Slot(set * 6 + face - 1)]; }
  // For all six faces of each set in a row, for the planner's loops: With, and the set with one
  // die showing the face fewer (kSets, past the last set, when none shows it).
  const std::int16_t* WithAll() const { return with_.data(); }
  const std::int16_t* WithoutAll() const { return without_.data(); }
  // The points six dice score in category 1..kCategoryCount (0: they do not fit it).
  int Points(int fullSet, int category) const {
    return points_[Slot(fullSet - kFirstFull)][Slot(category - 1)];
  }
  // The categories a full set fits, in card order, with their points.
  struct Fit {
    int category;
    int points;
  };
  const std::vector<Fit>& Fits(int fullSet) const { return fits_[Slot(fullSet - kFirstFull)]; }
  // Every smaller set a full set holds: the dice a player may keep before a
  // throw (keeping none is picking all six up).
  const std::vector<std::int16_t>& Keeps(int fullSet) const {
    return keeps_[Slot(fullSet - kFirstFull)];
  }

 private:
  DiceSets();
  static std::size_t Slot(int i) { return static_cast<std::size_t>(i); }
  static int Key(const FaceCounts& counts);

  std::vector<FaceCounts> counts_;
  std::vector<int> sizes_;
  std::vector<std::int16_t> with_;
  std::vector<std::int16_t> without_;
  std::vector<std::array<std::int8_t, kCategoryCount>> points_;
  std::vector<std::vector<Fit>> fits_;
  std::vector<std::vector<std::int16_t>> keeps_;
  std::vector<std::int16_t> indexOfKey_;
};

}  // namespace pyxaro
