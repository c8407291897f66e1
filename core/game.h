#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/chance.h"
#include "core/finished_game.h"
#include "core/forms.h"
#include "core/game_state.h"
#include "core/host.h"
#include "highscores/statistics_form.h"
#include "scoring/advisor.h"
#include "settings/ini.h"
#include "settings/sound.h"
#include "settings/texts.h"

namespace pyxaro {

// What the player can do and what the game does in return. A routine asks
// the rules (scoring/entry.h) what a move does, keeps the new facts in
// state, reaches the desktop only through Host and presents the facts in the
// windows' data. Each routine is defined in the source file of its subsystem.
class Game {
 public:
  Game(Host& host, RandomSource& chance, std::string appFolder);

  GameState state;
  RunValues run;
  MainForm main;
  LanguageForm language;
  SplashForm splash;
  ProfilesForm profiles;
  StatisticsForm statistics;

  const std::string& AppFolder() const { return appFolder_; }

  // Where the files the game writes go (core/folders.cpp): the program
  // folder when the player may write there, else personalFolder, made for
  // the player alone and given the shipped settings on the first start.
  // When it cannot be made, the player is told that nothing will be saved.
  void SettleDataFolder(const std::string& personalFolder);

  // Start-up (settings/languages.cpp for the picker, core/startup.cpp).
  // Fixes the version and the settings file, lists the languages, and shows
  // the picker or goes straight on to the splash.
  void OpenLanguagePicker();
  // Shows the splash window with the version and starts the two seconds it stands.
  void ShowSplash();
  // While the splash stands: unpacks what the game window needs, so that it
  // opens at the splash's end with no wait. A missing package is told when
  // the window opens, as it would be without this.
  void PrepareGameWindow();
  // The splash has stood long enough: open the game window in its place.
  void SplashTimeUp();
  // Prepares a fresh game window from the settings and starts the first game.
  void OpenGameWindow();

  // Throwing and picking up (core/rolling.cpp).
  // Throws the dice not on the table, spends one roll, and marks the best
  // category for what lies there.
  void Throw();
  // Picks die k up from the table so that the next throw throws it again.
  void PickUp(int k);
  // Counts one second of play.
  void PlayClockTick();

  // Undo (core/undo.cpp).
  // Lays the dice picked up since the last throw back on the table.
  void Undo();

  // New game, game end and quitting (core/new_game.cpp).
  // Puts the scorecard, the counters and the dice back for a new game and
  // greets the player.
  void Restart();
  // Asks before throwing the current game away for a new one.
  void NewGameClicked();
  // Asks before quitting.
  void QuitClicked();
  // Cleans up and ends the program.
  void CloseClicked();
  // The game is over: give it its check value and hand it to every keeper
  // of games, the top-ten list first, in one write; then a new game.
  void EndGame();
  // Adds a keeper of games: what it returns for a finished game goes into
  // the game end's one write, after the top-ten list's.
  void KeepGames(GameKeeper keeper);

  // Window placement (core/window_placement.cpp).
  // Places the window on its screen, as it opens and whenever the display
  // changes, and warns when the screen is too small for it.
  void PlaceWindow();
  // Moves the window on to the next of its four places on the screen.
  void MoveButtonClicked();
  void MinimiseClicked();

  // Advice (scoring/advice.cpp).
  // Marks what the advisor would do with the game as it stands and says it
  // on the dot display; asking changes nothing in the game.
  void ShowAdvice();
  // Switches showing the advice after every throw on or off, remembers the
  // choice, and shows or takes away the advice at once.
  void ToggleAdviceShown();

  // The scorecard (scoring/scorecard.cpp, scoring/hint.cpp).
  // Enters the dice of the last throw in category k, or refuses a worthless entry.
  void EnterCategory(int k);

  // The top-ten list (highscores/).
  // Places a finished game in the top-ten list, asking the player's name,
  // and gives it to the other keepers of games in the same write.
  void RecordScore(const FinishedGame& game);
  // Shows the stored top-ten list, the newest entry in bold.
  void ShowTopTen();
  // Asks, then empties the top-ten list.
  void ClearTopTen();
  // A click on top-ten row r: offer that row for the online list.
  void TopTenRowClicked(int r);
  // Makes the check value that vouches for a finished game's total.
  void MakeCheckValue(int total);
  // Offers the selected top-ten row to the online list.
  void OfferToSend();
  // While the profile is settled, builds the address of the selected row.
  void ProfileTimerTick();
  // Hands the built address to the browser and returns to the score.
  void SendTimerTick();
  // Hands run.LinkAddress to the browser, when it is a web address.
  void OpenLink();
  // Opens the online list's home page.
  void HomeLinkClicked();

  // Statistics (highscores/game_statistics.cpp).
  // Opens the statistics window with the figures as the settings hold them.
  void OpenStatistics();
  // Shows the stored statistics in the window's data.
  void ShowStatistics();
  // Asks, then clears the statistics and nothing else.
  void ResetStatistics();
  void StatisticsWindowClosed();

  // Player profiles (highscores/profiles.cpp).
  // Opens the profiles window, asking for a first profile when there is none;
  // an open window stays as it is.
  void OpenProfiles();
  // Asks for a name and a password and adds them as the selected profile.
  void AddProfile();
  // Selects the profile in row `row` (from 0) of the list.
  void ProfileRowClicked(int row);
  // Removes the profile whose row is selected in the list.
  void RemoveProfile();
  // Keeps the choice of showing the window, shows the player, closes.
  void ConfirmProfiles();
  // Closes the window and abandons a submission that waits for it.
  void CancelProfiles();
  // The desktop closed the window: a waiting submission keeps waiting.
  void ProfilesWindowClosed();
  // Shows the selected profile's name on the player label.
  void ShowPlayer();

  // Languages (settings/languages.cpp).
  // Selects row `row` of the language list.
  void LanguageRowClicked(int row);
  // Stores the chosen language and goes on to the splash.
  void ConfirmLanguage();
  // Asks, then closes the game window and shows the language list again.
  void ChangeLanguage();
  // Takes the texts from the language file the settings select.
  void UseChosenLanguage();
  // Gives the screen reader's words of the game window in that language.
  void PresentSpokenTexts();
  // Gives the words painted into the game window's picture in that language.
  void PresentPaintedTexts();

  // Resources and sound (settings/).
  // Unpacks the game's sounds into the program folder.
  void UnpackResources();
  // The same, telling nobody; false when there is no package to unpack.
  bool UnpackPackage();
  // Deletes the unpacked sounds again.
  void DeleteResources();
  // Plays a sound effect when sound is on.
  void PlayEffect(Effect effect);
  // Switches sound on or off and remembers the choice.
  void ToggleSound();
  // Has the desktop load the unpacked waves while sound is on, so the first
  // effect does not wait for them; with sound off nothing is loaded.
  void PrepareSound();

  // The message display, its clock and the scorecard layout (display/).
  // Shows a message on the dot display, paging through it when it is long.
  void Say(const std::string& message);
  // Shows the next page of a long message.
  void NextPage();
  // Sets the clock to the time of day.
  void ClockTick();
  // Puts the scorecard's rows, scores and counters where the design has them.
  void PlaceScorecard();

  // Settings and language texts, read at the moment of use.
  std::string Setting(const std::string& section, const std::string& key) const;
  // Stores one setting; true when stored. Each store sets run.LastWrite.
  bool Store(const std::string& section, const std::string& key, const std::string& value);
  // Stores a group of settings that belong together in one write; true when stored.
  bool StoreGroup(const std::vector<IniChange>& changes);
  // Works a group out from the settings as they are at the moment of writing,
  // with no other writer between, and stores it; true when stored.
  bool UpdateGroup(const IniEdit& edit);
  // Stores a choice of the player's; when the file refuses it, the choice
  // holds for this run all the same and the player is told.
  bool StoreChoice(const std::vector<IniChange>& changes);
  // Tells the player, in an OK box with the exclamation icon, what could not
  // be saved, naming the settings file.
  void TellNotSaved(const TextKey& what);
  std::string LangText(const std::string& key) const;
  // The text of a key, or its English when the language file lacks it
  // (settings/languages.cpp); the second fills in what "%1" stands for.
  std::string Text(const TextKey& text) const;
  std::string Text(const TextKey& text, const std::string& value) const;
  // " " + text + " ", or the fallback when the text is empty.
  std::string ToolTipText(const std::string& key, const std::string& fallback) const;
  // A file the game only reads: the language files, pictures, the package.
  std::string AppFile(const std::string& name) const;
  // A file the game writes: the settings file and the unpacked sounds. It
  // lies in the folder SettleDataFolder chose, the program folder until then.
  std::string DataFile(const std::string& name) const;

 private:
  // Writes the scorecard, its counters, the bonus and the hint from state.
  void PresentScorecard();
  // Writes the dice and the throw and undo areas from state.
  void PresentDice();
  // "Score: 123" in the chosen language.
  std::string ScoreText(int total) const;
  // Lights the dots of the display's page that starts at run.PageStart.
  void ShowPage();
  // The advice on show ends at a throw, a pick-up, an entry or a new game.
  void EndAdvice();
  // A category's name for the player: English until a language names it.
  std::string CategoryTitle(int k) const;

  Host& host_;
  RandomSource& chance_;
  std::string appFolder_;
  std::string dataFolder_;
  std::vector<GameKeeper> keepers_;
  // Made at the first request: its tables are in the program, and its
  // plan of the turn in progress serves every later request of the turn.
  std::unique_ptr<Advisor> advisor_;
  std::string adviceSaid_;  // the advice's text while it is on show
};

}  // namespace pyxaro
