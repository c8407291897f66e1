#include "scoring/check_value.h"

#include <cstdint>

#include "core/text.h"

namespace pyxaro {

int GameMonth(int year, int month) { return 100 * (year % 100) + month; }

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

}  // namespace pyxaro
