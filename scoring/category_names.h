#pragma once

#include <array>
#include <string_view>

namespace pyxaro {

// Each category's name as an English-speaking player reads and hears it,
// in card order.
inline constexpr std::array<std::string_view, 20> kCategoryTitles{
    "Ones",           "Twos",
    "Threes",         "Fours",
    "Fives",          "Sixes",
    "One pair",       "Two pairs",
    "Three pairs",    "Three of a kind",
    "Four of a kind", "Five of a kind",
    "Small straight", "Large straight",
    "Full straight",  "Hut",
    "House",          "Tower",
    "Chance",         "Yatzy"};

}  // namespace pyxaro
