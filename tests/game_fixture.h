#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "settings/ini.h"
#include "tests/fake_host.h"
#include "tests/helpers/folder_contents.h"
#include "tests/helpers/played_game.h"

namespace pyxaro::testing {

// The data folder of the sources: the shipped settings and language files.
std::filesystem::path ShippedData();
// The keys a language file holds, in the order of the file.
std::vector<std::string> KeysOf(const std::filesystem::path& file);

// The names in a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

// The user nobody, whom the tests that run as root become in a child to meet the game as an
// ordinary player does.
inline constexpr uid_t kNobody = 65534;

// What check returns when run in a forked child that has become nobody and ends as abruptly as a
// killed program; nullopt when the child could not become nobody (only root can).
std::optional<std::string> AsNobody(const std::function<std::string()>& check);

// The text every language key "lN" holds in the test language file.
inline std::string TestText(int n) { return "text " + std::to_string(n); }

// Sets a game up in a state the rules allow, as if it had been played there.
struct GameSetUp {
  static void Continue(Game& game, const GameState& state) { game.Continue(state); }
};

// The player's click on the board that makes the move: a throw, a pick-up, an undo or an entry,
// the rules allowing it or not.
inline void Click(Game& game, const Move& move) {
  switch (move.kind) {
    case Move::Kind::Throw:
      return game.Do(Command::Throw);
    case Move::Kind::PickUp:
      return game.PickUp(Die{move.die});
    case Move::Kind::Undo:
      return game.Do(Command::Undo);
    case Move::Kind::Enter:
      return game.Enter(CategoryNumber{move.category});
  }
}

// One advisor for every test: its plans are worked out once.
Advisor& TheAdvisor();

// The moves of a game played through the board, each heard with the state it was made in.
using MoveHook = std::function<void(const Move&, const GameState& before)>;

// Plays the game `game` holds to its end through the board, every move the player's; `game` may be
// made anew between moves. A refused move fails the test.
void PlayThrough(const std::unique_ptr<Game>& game, Player& player, const MoveHook& before = {},
                 const MoveHook& after = {});

// A Game in a temporary program folder whose settings select a complete test language, sound on and
// the picker skipped, with a fake desktop and scripted dice.
class GameTest : public ::testing::Test {
 protected:
  GameTest();

  // The program made anew on the same folder, as a new start makes it.
  void MakeGame();
  // Runs the start-up (picker skipped, splash timer) up to the first game.
  void Start() {
    game->Start();
    game->Do(Command::SplashTimeUp);
  }
  // The program started again on the same folder, as after a kill: the old one writes nothing more.
  void Restart() {
    MakeGame();
    Start();
  }
  // Scripts the faces of the dice that the next throw throws, then throws.
  void Throw(const std::vector<int>& faces) {
    dice.faces.insert(dice.faces.end(), faces.begin(), faces.end());
    game->Do(Command::Throw);
  }
  // Lays exactly these six faces on the table, as a throw of all six would.
  void Table(const std::vector<int>& faces);
  // Leaves only these categories open: the others count as entered.
  void OnlyOpen(const std::vector<int>& open, int rollsLeft = kRollPool) {
    GameState state = game->Turn().State();
    for (int k = 1; k <= kCategoryCount; ++k) state.Score[k] = 1;
    for (const int k : open) state.Score[k] = 0;
    state.RollsLeft = rollsLeft;
    Continue(state);
  }
  // Goes on with a game that stood in this state, as if it had been played there.
  void Continue(const GameState& state) { GameSetUp::Continue(*game, state); }
  // Ends a game of this total and play time: the game-end timer's tick, the check value's digit 5.
  void EndGame(int total, int playSeconds = 0);
  // The check value of a game of this total that EndGame ended on the fake desktop's day.
  static std::string CheckValueOf(int total);
  // What the board shows of the turn.
  const TurnView& Board() const { return game->Turn().View(); }
  // The message on the dot display.
  const std::string& Said() const { return game->Display().Said(); }
  std::string IniFile() const { return folder.File("Pyx4.ini"); }
  std::string Ini(const std::string& section, const std::string& key) const {
    return GetINI(section, key, IniFile());
  }
  // Changes stored behind the game's back, as another program would store them.
  int Store(const std::vector<IniChange>& changes) const { return SetINIBatch(changes, IniFile()); }
  // Profiles 1.. with these names, password "pw" + name, and the selection.
  void StoreProfiles(const std::vector<std::string>& names, const std::string& selected) const;
  // The settings file turned read-only, so that the game's every write is refused.
  void ReadOnlySettings() const;
  // What the game tells when the settings file refused to keep `what`.
  std::string NotSaved(const std::string& what) const {
    return what + " could not be saved in the settings file " + IniFile() + ".";
  }
  // New game asked for and the question answered with a new game.
  void NewGame() {
    host.choices.push_back(0);
    game->Do(Command::NewGame);
  }
  // The names of the wave files played, in order, each the game waited for marked so.
  std::vector<std::string> Sounds() const {
    std::vector<std::string> names;
    for (const auto& [path, waited] : host.played)
      names.push_back(std::filesystem::path(path).filename().string() + (waited ? " waited" : ""));
    return names;
  }

  TempFolder folder;
  FakeHost host;
  ScriptedChance chance;
  ScriptedDice dice;
  std::unique_ptr<Game> game;
};

// Another copy of the program, started up to its first game in a folder of its own laid out as a
// test's, on a desktop of its own.
struct OtherCopy {
  OtherCopy(const TempFolder& from, const LocalTime& now);
  TempFolder folder;
  FakeHost host;
  ScriptedChance chance;
  ScriptedDice dice;
  std::unique_ptr<Game> game;
};

}  // namespace pyxaro::testing
