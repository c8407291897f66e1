#include "core/dice.h"

#include <bit>
#include <chrono>

#include "core/splitmix.h"

namespace pyxaro {

SeededDice::SeededDice()
    : state_(
          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {
}

OneBased<int, kDiceCount> SeededDice::Roll(std::uint64_t seed, int roll) const {
  // The seed is mixed first, so that seeds that differ in a few bits (one
  // day's and the next) give unrelated dice.
  std::uint64_t mixing = seed;
  const std::uint64_t mixed = SplitMix(mixing);
  OneBased<int, kDiceCount> faces;
  for (int die = 1; die <= kDiceCount; ++die) {
    std::uint64_t state =
        mixed ^ (static_cast<std::uint64_t>(roll) << 8 | static_cast<std::uint64_t>(die));
    // Drawn again while it falls in the last, short sixth of the range, so
    // that every face is exactly as likely.
    constexpr std::uint64_t kFair = ~std::uint64_t{0} - ~std::uint64_t{0} % kDiceFaces;
    std::uint64_t draw = SplitMix(state);
    while (draw >= kFair) draw = SplitMix(state);
    faces[die] = static_cast<int>(draw % kDiceFaces) + 1;
  }
  return faces;
}

std::uint64_t SeededDice::NewSeed(double secondsSinceMidnight) {
  state_ ^= std::bit_cast<std::uint64_t>(secondsSinceMidnight);
  return SplitMix(state_);
}

}  // namespace pyxaro
