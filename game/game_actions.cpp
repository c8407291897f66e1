#include <string>
#include <utility>
#include <vector>

#include "game/game.h"
#include "scoring/entry.h"
#include "settings/language_keys.h"

namespace pyxaro {

void Game::ConfirmLanguage() {
  if (texts_.Confirm()) splash_.Show();
}

void Game::SplashTimeUp() {
  const bool unpackedAhead = splash_.TimeUp();
  OpenGameWindow(unpackedAhead);
  window_.Show();
  splash_.Close();
}

void Game::OpenGameWindow(bool unpackedAhead) {
  window_.Open();
  turn_.OpenWindow();
  topTen_.OpenWindow();
  profiles_.OpenWindow();
  display_.Reset();
  // The boxes of the opening speak the chosen language too.
  texts_.UseChosenLanguage();
  if (!unpackedAhead) sounds_.Unpack();
  window_.Place();
  sounds_.LoadChoice();
  PresentTexts();
  turn_.ResumeOrNewGame();
}

void Game::NewGame(std::optional<CalendarDay> day) {
  PresentTexts();
  turn_.NewGame(day);
  if (day) dayResults_.Begin(*day);
}

void Game::PresentTexts() {
  texts_.UseChosenLanguage();
  display_.PresentTexts();
  sounds_.PresentTexts();
  window_.PresentTexts();
  profiles_.PresentTexts();
  topTen_.Present();
}

CalendarDay Game::Today() {
  const LocalTime now = host_.Now();
  return {now.Year, now.Month, now.Day};
}

void Game::AskNewGame() {
  const int game = turn_.GamesStarted();
  const std::optional<int> chosen =
      host_.Choose(texts_.Text(text::kAskNewGame), texts_.Text(text::kQuestionTitle),
                   {texts_.Text(text::kNewGameButton), texts_.Text(text::kDayGameButton)},
                   texts_.Text(text::kCancel));
  if (!chosen) return;
  // Today is the day the player chose it on, even past midnight.
  StartChosenGame(game, *chosen == 1 ? std::optional(Today()) : std::nullopt);
}

void Game::AskDayGame() {
  const int game = turn_.GamesStarted();
  if (!host_.Ask(texts_.Text(text::kAskDayGame), texts_.Text(text::kQuestionTitle), true)) return;
  StartChosenGame(game, Today());
}

void Game::StartChosenGame(int game, std::optional<CalendarDay> day) {
  // The game end may have run while the question stood and already started
  // the next game.
  if (turn_.GamesStarted() != game) return;
  // A game that has just finished is waiting for its end: score it now rather
  // than throw it away; the chosen game follows it.
  if (IsOver(turn_.State())) {
    EndGame(day);
  } else {
    NewGame(day);
  }
}

void Game::AskQuit() {
  if (host_.Ask(texts_.Text(text::kAskQuit), texts_.Text(text::kQuestionTitle), false)) {
    Close();
  }
}

void Game::ChangeLanguage() {
  if (!host_.Ask(texts_.Text(text::kAskLanguage), texts_.Text(text::kQuestionTitle), false)) {
    return;
  }
  // The profiles window belongs to the game window and goes with it, as
  // Cancel would close it.
  if (profiles_.Window().Visible) profiles_.Cancel();
  texts_.ShowPicker();
  // The game window closes and the game in progress goes with it; a closed
  // window's timers must not run on (a pending game end would otherwise
  // score the discarded game).
  turn_.Stop();
  turn_.ForgetRecord();
  display_.Stop();
  window_.Close();
}

void Game::Close() {
  sounds_.DeleteResources();
  host_.EndProgram();
}

void Game::SendRow() {
  profiles_.SendTimerTick();
  turn_.SayScore();
}

void Game::EndGame(std::optional<CalendarDay> next) {
  const std::optional<FinishedGame> finished = turn_.Finish();
  if (!finished) return;
  KeepFinishedGame(*finished);
  NewGame(next);
}

void Game::KeepFinishedGame(const FinishedGame& finished) {
  // A second copy of the game that resumed this finished game from the shared
  // settings ends it too: the first end counts, the other asks nothing.
  const IniReader settings = [this](const std::string& section, const std::string& key) {
    return store_.Setting(section, key);
  };
  if (Coach::AlreadyEnded(finished, settings)) return;
  for (GameKeeper* keeper : keepers_) keeper->Prepare(finished);
  // One write for every keeper, worked out from the settings as they stand
  // under the lock: a game that ended meanwhile in another copy keeps its part.
  bool endedElsewhere = false;
  const bool stored = store_.UpdateGroup([&](const IniReader& current) {
    std::vector<IniChange> changes;
    endedElsewhere = Coach::AlreadyEnded(finished, current);
    if (endedElsewhere) return changes;
    for (GameKeeper* keeper : keepers_) {
      for (IniChange& change : keeper->Changes(finished, current)) {
        changes.push_back(std::move(change));
      }
    }
    return changes;
  });
  if (endedElsewhere) return;
  for (GameKeeper* keeper : keepers_) keeper->Written(finished, stored);
}

}  // namespace pyxaro
