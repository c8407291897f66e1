#pragma once

#include <string>
#include <string_view>

namespace pyxaro {

// The month of a game as the list stores it: 100 x (year mod 100) + month.
int GameMonth(int year, int month);

// "5.04" gives 504: the first character in hundreds, the last two as a number.
int VersionNumber(std::string_view appVersion);

// The check value of a finished game from its random digit (1..9), its total,
// its month (100 x (year mod 100) + month) and the program's version number.
std::string CheckValue(int digit, int total, int month, int version);

}  // namespace pyxaro
