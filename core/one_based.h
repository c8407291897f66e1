#pragma once

#include <array>
#include <cstddef>

namespace pyxaro {

// The game numbers its dice 1..6, its categories 1..20 and its top-ten rows
// 1..10; indexing from 1 keeps every routine's loops in the game's own terms.
template <typename T, std::size_t N>
struct OneBased {
  std::array<T, N> items{};

  T& operator[](int k) { return items.at(static_cast<std::size_t>(k - 1)); }
  const T& operator[](int k) const { return items.at(static_cast<std::size_t>(k - 1)); }
  static constexpr int size() { return static_cast<int>(N); }
  auto begin() { return items.begin(); }
  auto end() { return items.end(); }
  auto begin() const { return items.begin(); }
  auto end() const { return items.end(); }
  bool operator==(const OneBased&) const = default;
};

}  // namespace pyxaro
