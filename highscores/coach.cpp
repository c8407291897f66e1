#include "highscores/coach.h"

#include <string>

#include "core/text.h"

namespace pyxaro {

namespace {

constexpr char kLastGame[] = "last";
// What the advisor made on the dice of the last game, when it was a game of
// the day.
constexpr char kAdvisorTotal[] = "advisor";

}  // namespace

Coach::Coach(SettingsStore& store, const Languages& texts, Reviewer& reviewer)
    : store_(store), texts_(texts), reviewer_(reviewer) {}

bool Coach::AlreadyEnded(const FinishedGame& game, const IniReader& current) {
  return !game.Moves.empty() && current(kSection, kLastGame) == RecordText(game.Moves);
}

std::vector<IniChange> Coach::Changes(const FinishedGame& game, const IniReader&) {
  if (game.Moves.empty()) return {};
  return {{kSection, kLastGame, RecordText(game.Moves)},
          {kSection, kAdvisorTotal, game.AdvisorTotal ? std::to_string(*game.AdvisorTotal) : ""}};
}

void Coach::Written(const FinishedGame& game, bool) {
  if (!game.Moves.empty()) Show(game.Moves, game.AdvisorTotal);
}

void Coach::OpenLast() {
  const std::optional<MoveRecord> moves = ParseRecord(store_.Setting(kSection, kLastGame));
  const std::string advisorTotal = store_.Setting(kSection, kAdvisorTotal);
  if (moves && !moves->empty()) {
    Show(*moves, advisorTotal.empty() ? std::nullopt : std::optional(LeadingNumber(advisorTotal)));
  }
}

void Coach::Show(const MoveRecord& moves, std::optional<int> advisorTotal) {
  const GameReview& review = reviewer_.Review(moves);
  // A record that does not replay has nothing to review.
  if (review.choices == 0) return;
  window_ = PresentReview(review, [this](const TextKey& text) { return texts_.Text(text); });
  if (advisorTotal) {
    window_.Summary += "\n" + texts_.Text(text::kAdvisorOnDay, std::to_string(*advisorTotal));
  }
  window_.Visible = true;
}

void Coach::OpenRow(int row) {
  if (row < 0 || row >= static_cast<int>(window_.Rows.size())) return;
  window_.Opened = row;
  window_.OpenRows = OpenRowsOf(window_.Rows[static_cast<std::size_t>(row)].Position,
                                [this](const TextKey& text) { return texts_.Text(text); });
}

void Coach::Closed() { window_.Visible = false; }

}  // namespace pyxaro
