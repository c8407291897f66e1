#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/finished_game.h"
#include "core/game_state.h"
#include "core/one_based.h"
#include "scoring/categories.h"
#include "settings/ini.h"

namespace pyxaro {

// Every category at its most, with the upper bonus.
inline constexpr int kHighestTotal = [] {
  int sum = kUpperBonus;
  for (const Category& category : kCategories) sum += category.max;
  return sum;
}();
inline constexpr int kTotalBinWidth = 25;
inline constexpr int kTotalBins = kHighestTotal / kTotalBinWidth + 1;
inline constexpr int kRecentGames = 100;
// The running average of the recent games is taken over this many games.
inline constexpr int kTrendGames = 10;
// More games than anyone plays: a stored count beyond it is a hand edit, and
// the counts stop there, so no sum can overflow.
inline constexpr long long kMostGames = 10'000'000;

struct CategoryRecord {
  long long Filled = 0;  // games in which it was filled
  long long Points = 0;  // summed over those games
  bool operator==(const CategoryRecord&) const = default;
};

// What the settings keep of every finished game: counts and sums only, so
// that the file stays the same size however many games are played.
struct Statistics {
  long long Games = 0;
  long long Complete = 0;  // games with every category filled
  long long TotalSum = 0;
  int Best = 0;
  std::array<long long, kTotalBins> Bins{};  // games by total, kTotalBinWidth points a bin
  std::vector<int> Recent;                   // the last kRecentGames totals, oldest first
  OneBased<CategoryRecord, kCategoryCount> Categories;
  long long Bonuses = 0;
  long long RollsLeft = 0;  // summed over the games
  long long PlaySeconds = 0;
  // The last kRecentGames reviewed games' expected loss a choice against the
  // advisor, in hundredths of a point, oldest first.
  std::vector<int> RecentLosses;
  bool operator==(const Statistics&) const = default;
};

// The statistics as the settings hold them. Missing, negative or
// non-numeric values count as zero; values no real games could leave are
// capped at what they could.
Statistics ReadStatistics(const IniReader& read);
// The keys that store the statistics, every one of them.
std::vector<IniChange> StatisticsChanges(const Statistics& statistics);
Statistics AddGame(Statistics statistics, const FinishedGame& game);
// The keeper of games that counts every finished game.
std::vector<IniChange> KeepStatistics(const FinishedGame& game, const IniReader& current);

// What the statistics window shows, worked out from the statistics.
struct StatisticsFigures {
  long long Games = 0;
  double Average = 0;
  // Exact while every game is among the recent ones, then read from the bins
  // (straight-line within the bin of the middle game).
  double Median = 0;
  int Best = 0;
  double BonusRate = 0;  // 0..1, as the three rates below
  double YatzyRate = 0;
  double CompletionRate = 0;
  double AverageRollsLeft = 0;
  long long AveragePlaySeconds = 0;
  int FullestBin = -1;  // the bin with the most games; -1 when there are none
  // The running average of the recent totals over kTrendGames games, one
  // value per recent game.
  std::vector<double> RecentTrend;
  // The loss a choice over the last kTrendGames reviewed games and over the
  // kTrendGames before them; none before the first reviewed game.
  std::optional<double> RecentLoss;
  std::optional<double> EarlierLoss;
  OneBased<double, kCategoryCount> AveragePoints;  // over the games that filled it
  OneBased<double, kCategoryCount> FillRate;       // 0..1
};

StatisticsFigures Figures(const Statistics& statistics);

}  // namespace pyxaro
