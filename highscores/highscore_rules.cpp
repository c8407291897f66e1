#include "highscores/highscore_rules.h"

#include "core/text.h"

namespace pyxaro {

std::string PlayTimeText(int seconds) {
  if (seconds < 0) seconds = 0;
  const int rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

int GameMonth(int year, int month) { return 100 * (year % 100) + month; }

int StoredPoints(std::string_view text) { return LeadingNumber(text); }

int EntryRow(const OneBased<int, kTopTenRows>& points, int total) {
  for (int r = 1; r <= kTopTenRows; ++r) {
    if (points[r] < total) return r;
  }
  return 0;
}

namespace {

// Characters that would steer the text rather than be part of it: control
// characters and the bidirectional overrides and isolates, which could make
// a row read as someone else's.
bool Steers(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string ListName(const std::optional<std::string>& answer) {
  std::u32string name = answer ? ToCodePoints(*answer) : std::u32string();
  std::erase_if(name, Steers);
  if (name.empty()) return "Anonymous";
  return CharLeft(ToUtf8(name), kNameLength);
}

std::string RowCaption(int row, const std::string& points, const std::string& name) {
  return std::to_string(row) + ". " + points + " " + name;
}

std::string RowToolTip(const std::string& lead, const std::string& points) {
  return " " + lead + "  (" + points + " p) ";
}

std::string FinalScoreText(const std::string& lead, int total, const std::string& playTime) {
  return lead + " " + std::to_string(total) + " p  @ " + playTime;
}

}  // namespace pyxaro
