#include "highscores/submission_rules.h"

#include <algorithm>
#include <cctype>

#include "core/text.h"

namespace pyxaro {

namespace {

constexpr int kMostProfiles = 999;

bool IsUnreserved(unsigned char c) {
  return std::isalnum(c) != 0 || c == '-' || c == '.' || c == '_' || c == '~';
}

// Characters that change how an address reads without being part of it: a
// browser refuses a host that holds one, so such an address would open
// nothing at all.
bool SteersAddress(char32_t c) {
  return SteersText(c) || c == 0x061C || c == 0x200E || c == 0x200F;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

std::string PercentEncoded(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(value.size() * 3);
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && IsUnreserved(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

std::string SubmissionAddress(const std::string& base, const SubmissionFields& fields) {
  return base + "?user=" + PercentEncoded(fields.User) +
         "&pass=" + PercentEncoded(fields.Password) + "&ver=" + std::to_string(fields.Version) +
         "&date=" + PercentEncoded(fields.Month) + "&points=" + PercentEncoded(fields.Points) +
         "&key=" + PercentEncoded(fields.Key);
}

std::string DaySubmissionAddress(const std::string& base, const DaySubmissionFields& fields) {
  return base + "?user=" + PercentEncoded(fields.User) +
         "&pass=" + PercentEncoded(fields.Password) + "&ver=" + std::to_string(fields.Version) +
         "&day=" + PercentEncoded(fields.Day) + "&points=" + std::to_string(fields.Points) +
         "&moves=" + PercentEncoded(fields.Moves);
}

bool IsWebAddress(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string scheme = Lower(address.substr(0, colon));
  if (scheme != "http" && scheme != "https") return false;
  const std::string_view rest = address.substr(colon + 1);
  if (rest.substr(0, 2) != "//" || rest.size() < 3) return false;
  const char first = rest[2];
  const std::u32string characters = ToCodePoints(address);
  return first != '/' && first != '?' && first != '#' &&
         std::none_of(characters.begin(), characters.end(),
                      [](char32_t c) { return c == ' ' || SteersAddress(c); });
}

int ProfileCount(std::string_view countText) {
  return std::clamp(LeadingNumber(countText), 0, kMostProfiles);
}

std::string SelectionAfterRemoval(std::string_view selected, int removed, int countBefore) {
  const int countAfter = countBefore - 1;
  if (countAfter < 1) return "";
  int now = LeadingNumber(selected);
  if (now == removed) {
    now = 1;
  } else if (now > removed) {
    --now;
  }
  if (now < 1 || now > countAfter) now = 1;
  return std::to_string(now);
}

}  // namespace pyxaro
