#pragma once

#include <array>
#include <string_view>

#include "core/game_state.h"

namespace pyxaro {

// The categories as a player calls them, in scorecard order: what a screen
// reader says where the language file names none.
inline constexpr std::array<std::string_view, kCategoryCount> kCategoryWords{
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
