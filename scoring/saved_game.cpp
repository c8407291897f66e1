#include <algorithm>
#include <limits>

#include "core/text.h"
#include "scoring/turn.h"

namespace pyxaro {

namespace {

// The game in progress, a section of its own after the player's others.
constexpr char kSection[] = "Game";
constexpr char kMoves[] = "moves";
constexpr char kPlayTime[] = "time";
constexpr char kAdviceShown[] = "advice";

std::vector<IniChange> Cleared() {
  return {{kSection, kMoves, ""}, {kSection, kPlayTime, ""}, {kSection, kAdviceShown, ""}};
}

}  // namespace

void Turn::ResumeOrNewGame() {
  const std::string stored = store_.Setting(kSection, kMoves);
  const std::optional<MoveRecord> record = ParseRecord(stored);
  const std::optional<GameState> replayed = record ? Replay(*record) : std::nullopt;
  if (stored.empty() || !replayed) {
    NewGame();
    if (!stored.empty()) speaker_.Say(texts_.Text(text::kGameNotContinued));
    return;
  }
  ++gamesStarted_;
  welcomeShown_ = true;
  GameState resumed = *replayed;
  resumed.PlaySeconds = static_cast<std::int16_t>(
      std::clamp(LeadingNumber(store_.Setting(kSection, kPlayTime)), 0,
                 static_cast<int>(std::numeric_limits<std::int16_t>::max())));
  PresentTexts();
  PlaceScorecard();
  Continue(resumed);
  record_ = *record;
  speaker_.Say(texts_.Text(text::kGameContinued));
  if (store_.Setting(kSection, kAdviceShown) == "Yes") PresentAdvice();
}

void Turn::ForgetRecord() {
  record_.reset();
  if (!store_.Setting(kSection, kMoves).empty()) store_.StoreGroup(Cleared());
}

void Turn::Record(const Move& move) {
  if (!record_) return;
  AddMove(*record_, move);
  SaveRecord();
}

void Turn::SaveRecord() {
  if (!record_) return;
  store_.StoreGroup({{kSection, kMoves, RecordText(*record_)},
                     {kSection, kPlayTime, std::to_string(state_.PlaySeconds)},
                     {kSection, kAdviceShown, adviceSaid_.empty() ? "" : "Yes"}});
}

std::vector<IniChange> Turn::Changes(const FinishedGame&, const IniReader&) { return Cleared(); }

}  // namespace pyxaro
