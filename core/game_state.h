#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/one_based.h"
#include "highscores/highscore_entry.h"

namespace pyxaro {

inline constexpr int kDiceCount = 6;
inline constexpr int kDiceFaces = 6;
inline constexpr int kCategoryCount = 20;
inline constexpr int kUpperCategories = 6;  // categories 1..6, one per face
inline constexpr int kRollPool = 60;
inline constexpr int kBonusThreshold = 84;
inline constexpr int kUpperBonus = 100;

enum class Bonus { Open, Won, Lost };

// Every fact of one game, and nothing of how it looks. A category is open
// while its score is 0: an entry always scores more than 0.
struct GameState {
  OneBased<int, kDiceCount> Dice;       // faces 1..6; 0 = not thrown this game
  OneBased<bool, kDiceCount> Lying;     // on the table, as opposed to picked up
  OneBased<int, kCategoryCount> Score;  // 0 = open
  int RollsLeft = kRollPool;
  bool ThrowEntered = false;  // the last throw went into a category: no second entry
  std::int16_t PlaySeconds = 0;

  bool operator==(const GameState&) const = default;

  bool OnTable(int die) const { return Lying[die]; }
  bool AllOnTable() const {
    for (const bool lying : Lying) {
      if (!lying) return false;
    }
    return true;
  }
  bool Thrown() const { return Dice[1] != 0; }
  bool IsOpen(int category) const { return Score[category] == 0; }
  int OpenCount() const {
    int open = 0;
    for (const int score : Score) open += score == 0 ? 1 : 0;
    return open;
  }
  int UpperSum() const {
    int sum = 0;
    for (int k = 1; k <= kUpperCategories; ++k) sum += Score[k];
    return sum;
  }
  bool UpperFull() const {
    for (int k = 1; k <= kUpperCategories; ++k) {
      if (IsOpen(k)) return false;
    }
    return true;
  }
  Bonus BonusState() const {
    if (UpperSum() >= kBonusThreshold) return Bonus::Won;
    return UpperFull() ? Bonus::Lost : Bonus::Open;
  }
  // The points of the card, with the bonus once it is won.
  int Total() const {
    int total = BonusState() == Bonus::Won ? kUpperBonus : 0;
    for (const int score : Score) total += score;
    return total;
  }
};

// Where the move button last took the window; the next press takes it on.
enum class MoveStep { Centred, Left, Bottom, Right };

enum class WriteResult { Stored, Refused };

// Values that live for the whole run, across games and across reloads of the
// game window.
struct RunValues {
  std::string AppVersion;
  std::string SettingsFile;
  std::string LanguageFile;
  std::string PlaySound;
  std::string ShowAdvice;  // "Yes": the advice shows after every throw unasked
  bool WelcomeShown = false;
  int GamesStarted = 0;
  unsigned Throws = 0;        // every throw of the run, so the front end sees each new one
  std::string Said;           // the message on the dot display, as the last Say gave it
  unsigned MessagesSaid = 0;  // counts every Say, so a repeated message is told again
  std::string EffectFile;     // the wave file last played
  // The resource files this run unpacked, or took on from a game before it:
  // the quit deletes them, whether or not the settings could list them.
  std::vector<std::string> Unpacked;
  // The wave files there to play: the sound module loads them only while the
  // sound is on.
  std::vector<std::string> Waves;
  MoveStep WindowPlace = MoveStep::Centred;
  WriteResult LastWrite = WriteResult::Stored;
  // The package was unpacked while the splash stood, for the next opening of
  // the game window.
  bool UnpackedAhead = false;
  // The player's choices the settings file refused, by section and key:
  // they hold until the program ends.
  std::map<std::pair<std::string, std::string>, std::string> HeldChoices;

  // The dot display's pager.
  int PageStart = 1;

  // The top-ten list.
  HighscoreEntry Candidate;
  int NewRank = 0;
  int SelectedRow = 0;

  // The online list: a submission waits while the profiles window it opened
  // is still open; the address the next link opens.
  bool WaitingForProfile = false;
  std::string LinkAddress;
};

}  // namespace pyxaro
