#include "highscores/check_value.h"

#include <algorithm>
#include <cstdint>

#include "core/game.h"
#include "core/text.h"
#include "highscores/highscore_rules.h"

namespace pyxaro {

int VersionNumber(std::string_view appVersion) {
  const int length = CharCount(appVersion);
  return 100 * LeadingNumber(CharLeft(appVersion, 1)) +
         LeadingNumber(CharMid(appVersion, length - 1, 2));
}

std::string CheckValue(int digit, int total, int month, int version) {
  const int b = (1000 - total) - (10 * digit + digit);
  const int c = (9999 - month) - digit;
  // The receiving side reads this part as a 16-bit number.
  const auto a = static_cast<std::int16_t>(version + (12 - digit));
  return std::to_string(digit) + std::to_string(b) + std::to_string(c) + std::to_string(a);
}

void Game::MakeCheckValue(int total) {
  const LocalTime now = host_.Now();
  chance_.Reseed(now.SecondsSinceMidnight);
  const int digit = std::clamp(static_cast<int>(chance_.Next() * 9) + 1, 1, 9);
  run.Candidate.Key =
      CheckValue(digit, total, GameMonth(now.Year, now.Month), VersionNumber(run.AppVersion));
}

}  // namespace pyxaro
