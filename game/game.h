#pragma once

#include <string>
#include <vector>

#include "core/chance.h"
#include "core/dice.h"
#include "core/game_state.h"
#include "core/host.h"
#include "display/message_display.h"
#include "game/command.h"
#include "game/game_speaker.h"
#include "game/game_window.h"
#include "game/manual.h"
#include "game/splash.h"
#include "highscores/coach.h"
#include "highscores/day_results.h"
#include "highscores/game_statistics.h"
#include "highscores/profiles.h"
#include "highscores/top_ten.h"
#include "scoring/advisor.h"
#include "scoring/game_review.h"
#include "scoring/turn.h"
#include "settings/game_keeper.h"
#include "settings/languages.h"
#include "settings/settings_store.h"
#include "settings/sounds.h"

namespace pyxaro {

namespace testing {
struct GameSetUp;
}

// Where the subsystems meet: it builds them, hands each what it needs of
// the others, and turns what the player or a timer does into their
// routines. It keeps no fact of its own.
class Game {
 public:
  // Builds the subsystems for a program whose files lie in appFolder;
  // `chance` gives the check values' digits, `dice` the games' faces.
  Game(Host& host, RandomSource& chance, DiceSource& dice, std::string appFolder);

  // Chooses where the files the game writes go (SettingsStore::SettleDataFolder).
  void SettleDataFolder(const std::string& personalFolder);
  // The first window of the run: fixes the settings file, lists the
  // languages, and shows the picker or goes straight on to the splash.
  void Start();
  // Does what the player or a timer asked.
  void Do(Command command);
  // Picks die k up from the table.
  void PickUp(Die die);
  // Enters the dice of the last throw in a category.
  void Enter(CategoryNumber category);
  // The player moved the keyboard mark onto a scorecard row: the display says
  // what the row holds or would score.
  void Mark(CategoryNumber category);
  // Picks a row of a list.
  void Pick(List list, Row row);
  // Ticks a box or clears it.
  void Tick(TickBox box, bool ticked);
  // Adds a keeper of finished games after the top-ten list and the statistics.
  void KeepGames(GameKeeper& keeper);

  // The settings file and the folders.
  const SettingsStore& Settings() const { return store_; }
  // The languages, the picker and the texts.
  const Languages& Texts() const { return texts_; }
  // The sound effects and the switch.
  const Sounds& Sound() const { return sounds_; }
  // The dot display and the clock.
  const MessageDisplay& Display() const { return display_; }
  // The game in play, its dice and its scorecard.
  const pyxaro::Turn& Turn() const { return turn_; }
  // The top-ten list.
  const pyxaro::TopTen& TopTen() const { return topTen_; }
  // The statistics and their window.
  const GameStatistics& Statistics() const { return statistics_; }
  // The review of the last finished game.
  const pyxaro::Coach& Coach() const { return coach_; }
  // The profiles, their window and the online list.
  const pyxaro::Profiles& Profiles() const { return profiles_; }
  // The rules window and the About box.
  const pyxaro::Manual& Manual() const { return manual_; }
  // The game window as a whole.
  const GameWindow& Window() const { return window_; }
  // The splash.
  const pyxaro::Splash& Splash() const { return splash_; }

 private:
  // The tests set a game up in any state the rules allow, as if it had been
  // played there.
  friend struct testing::GameSetUp;
  void Continue(const GameState& state);

  void ConfirmLanguage();
  void SplashTimeUp();
  // Prepares a fresh game window from the settings and goes on with the game
  // an earlier run left unfinished, or starts the first game.
  void OpenGameWindow(bool unpackedAhead);
  // Every subsystem speaks the chosen language.
  void PresentTexts();
  // Puts everything back for a new game, of the day when one is given, and
  // greets the player.
  void NewGame(std::optional<CalendarDay> day = std::nullopt);
  // Asks before throwing the current game away for a new one, or for today's.
  void AskNewGame();
  void AskDayGame();
  // The game the player chose instead of the one in play, asked when `game`
  // was the game in play.
  void StartChosenGame(int game, std::optional<CalendarDay> day);
  // The player's calendar day now.
  CalendarDay Today();
  // Asks before quitting.
  void AskQuit();
  // Asks, then closes the game window and shows the language list again.
  void ChangeLanguage();
  // Cleans up and ends the program.
  void Close();
  // The game is over: every keeper of games takes it in one write, then a
  // new game, of the day when one is given.
  void EndGame(std::optional<CalendarDay> next = std::nullopt);
  // The game end's one write for every keeper, once for each game.
  void KeepFinishedGame(const FinishedGame& finished);
  // Hands the offered top-ten row to the browser; the display returns to the score.
  void SendRow();

  Host& host_;
  SettingsStore store_;
  // The advisor is everyone's: the turn's hint and advice, the coach's review.
  Advisor advisor_;
  Reviewer reviewer_;
  Languages texts_;
  Sounds sounds_;
  MessageDisplay display_;
  GameSpeaker speaker_;
  pyxaro::Turn turn_;
  pyxaro::TopTen topTen_;
  GameStatistics statistics_;
  pyxaro::Profiles profiles_;
  pyxaro::Coach coach_;
  DayResults dayResults_;
  pyxaro::Manual manual_;
  GameWindow window_;
  pyxaro::Splash splash_;
  std::vector<GameKeeper*> keepers_;
};

}  // namespace pyxaro
