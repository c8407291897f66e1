#pragma once

#include <cstdint>
#include <string>

#include "core/one_based.h"
#include "highscores/highscore_entry.h"

namespace pyxaro {

inline constexpr int kDiceCount = 6;
inline constexpr int kCategoryCount = 20;
inline constexpr int kRollPool = 60;
inline constexpr int kBonusThreshold = 84;

// The record of one game; Restart puts every field back to its first value
// except BestCategory, which only the hint changes.
struct GameState {
  OneBased<double, kDiceCount> Dice;  // 0 = not thrown since the game began
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
  std::string IniFile;
  std::string LangFile;
  std::string PlaySound;
  int WelcomeShown = 0;
  std::string SayText;
  std::string ScoreWord;
  int SoundId = 0;
  std::string SoundFile;
  std::string MoveState;
  std::string IniResult;

  // The dot display's pager.
  int SayLen = 0;
  int SayPos = 1;
  std::string ScrollText;

  // The top-ten list.
  HighscoreEntry Candidate;
  int NewRank = 0;
  int SelectedRow = 0;
};

}  // namespace pyxaro
