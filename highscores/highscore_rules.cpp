#include "highscores/highscore_rules.h"

#include "core/text.h"

namespace pyxaro {

std::string PlayTimeText(int seconds) {
  if (seconds < 0) seconds = 0;
  const int rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

int StoredPoints(std::string_view text) { return LeadingNumber(text); }

int EntryRow(const OneBased<int, kTopTenRows>& points, int total) {
  for (int r = 1; r <= kTopTenRows; ++r) {
    if (points[r] < total) return r;
  }
  return 0;
}

std::string ListName(const std::optional<std::string>& answer) {
  const std::string name = answer ? ShownText(*answer) : std::string();
  if (name.empty()) return "Anonymous";
  return CharLeft(name, kNameLength);
}

std::string RowCaption(int row, const std::string& points, const std::string& name) {
  return std::to_string(row) + ". " + points + " " + name;
}

std::string RowToolTip(const std::string& lead, const std::string& points) {
  return " " + lead + "  (" + points + " p) ";
}

std::string FinalScoreText(const std::string& lead, int total, const std::string& playTime,
                           const std::string& playTimeLabel) {
  // The label says what the time after the @ is: the play time, not the
  // time of day.
  return lead + " " + std::to_string(total) + " p  @ " + playTime +
         (playTimeLabel.empty() ? "" : " " + playTimeLabel);
}

}  // namespace pyxaro
