#include "core/chance.h"

#include <bit>
#include <chrono>

#include "core/splitmix.h"

namespace pyxaro {

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
