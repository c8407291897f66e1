#include "highscores/coach.h"

namespace pyxaro {

namespace {

constexpr char kLastGame[] = "last";

}  // namespace

Coach::Coach(SettingsStore& store, const Languages& texts, Reviewer& reviewer)
    : store_(store), texts_(texts), reviewer_(reviewer) {}

bool Coach::AlreadyEnded(const FinishedGame& game, const IniReader& current) {
  return !game.Moves.empty() && current(kSection, kLastGame) == RecordText(game.Moves);
}

std::vector<IniChange> Coach::Changes(const FinishedGame& game, const IniReader&) {
  if (game.Moves.empty()) return {};
  return {{kSection, kLastGame, RecordText(game.Moves)}};
}

void Coach::Written(const FinishedGame& game, bool) {
  if (!game.Moves.empty()) Show(game.Moves);
}

void Coach::OpenLast() {
  const std::optional<MoveRecord> moves = ParseRecord(store_.Setting(kSection, kLastGame));
  if (moves && !moves->empty()) Show(*moves);
}

void Coach::Show(const MoveRecord& moves) {
  const GameReview& review = reviewer_.Review(moves);
  // A record that does not replay has nothing to review.
  if (review.choices == 0) return;
  window_ = PresentReview(review, [this](const TextKey& text) { return texts_.Text(text); });
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
