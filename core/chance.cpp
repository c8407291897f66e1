#include "core/chance.h"

#include <bit>
#include <chrono>

namespace pyxaro {

namespace {

// SplitMix64: a small generator whose every state is valid, so any mixing of
// the state keeps it uniform.
std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

}  // namespace

MixingRandom::MixingRandom()
    : state_(
          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())) {
}

void MixingRandom::Reseed(double secondsSinceMidnight) {
  state_ ^= std::bit_cast<std::uint64_t>(secondsSinceMidnight);
  SplitMix(state_);
}

double MixingRandom::Next() {
  // The top 53 bits make a double in [0, 1) with every value equally likely.
  return static_cast<double>(SplitMix(state_) >> 11) * 0x1.0p-53;
}

}  // namespace pyxaro
