#pragma once

#include <optional>
#include <string>

#include "core/calendar_day.h"
#include "core/chance.h"
#include "core/dice.h"
#include "core/finished_game.h"
#include "core/forms.h"
#include "core/game_state.h"
#include "core/host.h"
#include "core/speaker.h"
#include "scoring/advisor.h"
#include "scoring/game_review.h"
#include "scoring/move_record.h"
#include "settings/game_keeper.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// The game in play: throwing, picking up and laying back the dice, entering
// them on the scorecard, the hint and the advice, and the game's end. A game
// is its seed, from which its dice come, and its moves, each played by the
// one rule of moves; both are kept in the settings as each move is made, so
// that a game the program left unfinished goes on at the next start; a
// game's end clears them.
class Turn : public GameKeeper {
 public:
  // The section of the game in progress, read at any length: a long game's
  // moves outgrow the limit of the other keys.
  static constexpr char kSavedGameSection[] = "Game";

  // `chance` gives the check value's digit, `dice` the faces; the advisor
  // advises and the reviewer reviews the finished game.
  Turn(Host& host, RandomSource& chance, DiceSource& dice, Speaker& speaker, const Languages& texts,
       SettingsStore& store, Advisor& advisor, Reviewer& reviewer);

  // A fresh game window: the dice and the card as designed, and the player's
  // choice of advice from the settings.
  void OpenWindow();
  // Puts the scorecard, the counters and the dice back for a new game and
  // greets the player. A game of the day throws that day's dice, the same
  // for every player, and says so.
  void NewGame(std::optional<CalendarDay> day = std::nullopt);
  // Goes on with the game the settings keep from an earlier run, where it
  // stood; starts a new game when they keep none, or one that does not
  // replay by the rules (and says so).
  void ResumeOrNewGame();
  // The game in progress is given up: the settings keep it no longer.
  void ForgetRecord();
  // Goes on with a game that stood in this state.
  void Continue(const GameState& state);
  // Throws the dice not on the table, spends one roll, and marks the best
  // category for what lies there.
  void Throw();
  // Picks die k up from the table so that the next throw throws it again.
  void PickUp(int die);
  // Lays the dice picked up since the last throw back on the table.
  void Undo();
  // Enters the dice of the last throw in category k, or refuses a worthless entry.
  void Enter(int category);
  // Counts one second of play.
  void PlayClockTick();
  // Marks what the advisor would do with the game as it stands and says it
  // on the dot display; asking changes nothing in the game.
  void ShowAdvice();
  // Switches showing the advice after every throw on or off, remembers the
  // choice, and shows or takes away the advice at once.
  void ToggleAdviceShown();
  // The game is over: its clocks stop and its record comes out, check value
  // included. Nothing while the game can go on.
  std::optional<FinishedGame> Finish();
  // The game window closes: the game's clocks stop with it.
  void Stop();
  // Says the score on the dot display.
  void SayScore();
  // Says row k's name and what it holds or would score on the dot display.
  void SayRow(int k);
  // The finished game's record is cleared in the game end's one write.
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) override;

  const GameState& State() const { return state_; }
  const TurnView& View() const { return view_; }
  // Every throw of the run, so the front end sees each new one.
  unsigned Throws() const { return throws_; }
  // Every game of the run, counted as it starts.
  int GamesStarted() const { return gamesStarted_; }
  // The category the hint marks, 0 for none.
  int Hinted() const;
  // A category's name for the player: English until a language names it.
  std::string CategoryTitle(int category) const;
  // Row k's name, and its score or what the dice on the table would score there.
  std::string RowTip(int k) const;

 private:
  // The turn's own option: "Yes" shows the advice after every throw unasked.
  static constexpr char kShowAdvice[] = "ShowAdvice";

  // Plays the move by the rules, keeps it and presents the game once, then
  // tells the player what it did; nothing when the rules refuse it.
  void Play(const Move& move);
  // The sounds and messages of a move just played from `before`.
  void Announce(const GameState& before, const Move& move);
  void AnnounceThrow();
  void AnnounceEntry(const GameState& before, const Move& move);
  // Writes the dice, the scorecard, its counters, the bonus and the hint
  // from the state.
  void Present();
  // Puts the scorecard's rows, scores and counters where the design has them.
  void PlaceScorecard();
  // Names the turn's controls in the player's language.
  void PresentTexts();
  // Marks and says the advice for the game as it stands.
  void PresentAdvice();
  // The advice on show ends at a throw, a pick-up, an entry or a new game.
  void EndAdvice();
  // Adds the move to the game's record and keeps the record in the settings.
  void Record(const Move& move);
  // Keeps the seed, the record, the play time and whether advice shows in
  // the settings.
  void SaveRecord();
  // "Score: 123" in the chosen language.
  std::string ScoreText(int total) const;
  std::string CheckValueOf(int total);

  Host& host_;
  RandomSource& chance_;
  DiceSource& dice_;
  Speaker& speaker_;
  const Languages& texts_;
  SettingsStore& store_;
  Advisor& advisor_;
  Reviewer& reviewer_;
  GameState state_;
  // Where the game's dice come from. A game begun before games had seeds
  // keeps the faces its record holds, and throws the rest from a seed that
  // is not kept: its record is never checked against one.
  std::uint64_t seed_ = 0;
  bool seedKept_ = true;
  // The day of a game of the day, whose seed is that day's.
  std::optional<CalendarDay> day_;
  // Every move of the game in progress; none for a game continued from a
  // state rather than played from its start.
  std::optional<MoveRecord> record_;
  unsigned throws_ = 0;
  int gamesStarted_ = 0;
  bool welcomeShown_ = false;
  std::string showAdvice_;    // "Yes": the advice shows after every throw unasked
  bool adviceShown_ = false;  // the advice's marks and words are on show
  TurnView view_;
};

}  // namespace pyxaro
