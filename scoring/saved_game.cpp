#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "core/text.h"
#include "scoring/moves.h"
#include "scoring/turn.h"

namespace pyxaro {

namespace {

// The game in progress, a section of its own after the player's others.
constexpr const char* kSection = Turn::kSavedGameSection;
constexpr char kMoves[] = "moves";
constexpr char kPlayTime[] = "time";
constexpr char kAdviceShown[] = "advice";
// The seed the game's dice come from; a record kept before games had seeds
// has none.
constexpr char kSeed[] = "seed";
// The day of a game of the day, whose seed must be that day's.
constexpr char kDay[] = "day";

std::vector<IniChange> Cleared() {
  return {{kSection, kSeed, ""},
          {kSection, kDay, ""},
          {kSection, kMoves, ""},
          {kSection, kPlayTime, ""},
          {kSection, kAdviceShown, ""}};
}

std::optional<std::uint64_t> ParseSeed(std::string_view text) {
  std::uint64_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return seed;
}

}  // namespace

void Turn::ResumeOrNewGame() {
  const std::string stored = store_.Setting(kSection, kMoves);
  const std::string seedText = store_.Setting(kSection, kSeed);
  const std::optional<std::uint64_t> seed = ParseSeed(seedText);
  const std::optional<MoveRecord> record = ParseRecord(stored);
  std::optional<GameState> replayed;
  if (record && seed) {
    replayed = Replay(*record, dice_, *seed);
  } else if (record && seedText.empty()) {
    replayed = Replay(*record);
  }
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
  // After Continue, which gives a game it knows nothing of new dice: this one
  // goes on with its own.
  seedKept_ = seed.has_value();
  if (seed) seed_ = *seed;
  // A day that is not the seed's was edited by hand: the game goes on, but
  // not as that day's.
  const std::optional<CalendarDay> day = ParseDay(store_.Setting(kSection, kDay));
  if (day && seed && DaySeed(*day) == *seed) day_ = day;
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
  // The record is whole in every save: the next one that gets through keeps
  // every move up to it.
  const bool saved = store_.StoreGroup({{kSection, kSeed, seedKept_ ? std::to_string(seed_) : ""},
                                        {kSection, kDay, day_ ? DayText(*day_) : ""},
                                        {kSection, kMoves, RecordText(*record_)},
                                        {kSection, kPlayTime, std::to_string(state_.PlaySeconds)},
                                        {kSection, kAdviceShown, adviceShown_ ? "Yes" : ""}},
                                       LockWait::Brief);
  if (!saved) speaker_.Say(texts_.Text(text::kMoveNotSaved));
}

std::vector<IniChange> Turn::Changes(const FinishedGame&, const IniReader&) { return Cleared(); }

}  // namespace pyxaro
