#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "core/one_based.h"
#include "highscores/highscore_entry.h"

namespace pyxaro {

inline constexpr int kDiceCount = 6;
inline constexpr int kDiceFaces = 6;
inline constexpr int kCategoryCount = 20;
inline constexpr int kRollPool = 60;
inline constexpr int kBonusThreshold = 84;

// The record of one game; Restart puts every field back to its first value
// except BestCategory, which only the hint changes.
struct GameState {
  OneBased<int, kDiceCount> Dice;     // 0 = not thrown since the game began
  OneBased<int, kDiceCount> OnTable;  // 1 = lying on the table and shown
  int RollsLeft = kRollPool;
  int TotalScore = 0;
  int TableCleared = 0;
  int CategoriesLeft = kCategoryCount;
  int UpperToBonus = -kBonusThreshold;
  int UpperFilled = 0;
  OneBased<int, kCategoryCount> Score;
  int UpperBonus = 0;
  int BestCategory = 0;
  std::int16_t PlaySeconds = 0;
};

// Values that live for the whole run, across games and across reloads of the
// game window.
struct RunValues {
  std::string AppVersion;
  std::string SettingsFile;
  std::string LanguageFile;
  std::string PlaySound;
  int WelcomeShown = 0;
  int GamesStarted = 0;
  std::string Message;
  unsigned MessagesSaid = 0;  // counts every Say, so a repeated message is told again
  std::string ScoreWord;
  int EffectNumber = 0;
  std::string EffectFile;
  std::string MoveStep;
  std::string LastWriteResult;
  // The package was unpacked while the splash stood, for the next opening of
  // the game window.
  bool Unpacked = false;
  // The player's choices the settings file refused, by section and key:
  // they hold until the program ends.
  std::map<std::pair<std::string, std::string>, std::string> HeldChoices;

  // The dot display's pager.
  int MessageLength = 0;
  int PageStart = 1;
  std::string PageText;

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
