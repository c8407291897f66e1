#pragma once

#include <cstdint>

namespace pyxaro {

// A uniform source of numbers in [0, 1) that the game reseeds from the time
// of day before it draws; the check value's digit comes from it, the dice
// from a source of their own.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Reseed(double secondsSinceMidnight) = 0;
  virtual double Next() = 0;
};

// Reseeding mixes the time into the running state instead of restarting a
// sequence from it, so two throws within one tick of the clock still differ.
class MixingRandom : public RandomSource {
 public:
  MixingRandom();
  void Reseed(double secondsSinceMidnight) override;
  double Next() override;

 private:
  std::uint64_t state_;
};

}  // namespace pyxaro
