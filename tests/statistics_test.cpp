#include "highscores/statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "highscores/statistics_form.h"

namespace pyxaro {
namespace {

using Stored = std::map<std::string, std::string>;

IniReader ReaderOf(const Stored& stored) {
  return [&stored](const std::string& section, const std::string& key) {
    const auto found = stored.find(key);
    return section == "Statistics" && found != stored.end() ? found->second : std::string();
  };
}

FinishedGame RandomGame(std::mt19937& random) {
  FinishedGame game;
  for (int k = 1; k <= kCategoryCount; ++k) {
    // About one category in eight left open, the rest anywhere up to the most.
    game.Scores[k] = random() % 8 == 0 ? 0 : 1 + static_cast<int>(random() % CategoryMax(k));
  }
  game.BonusWon = random() % 3 == 0;
  game.Total = std::accumulate(game.Scores.begin(), game.Scores.end(), game.BonusWon ? 100 : 0);
  game.RollsUsed = 40 + static_cast<int>(random() % 21);
  game.PlaySeconds = static_cast<int>(random() % 900);
  return game;
}

// Games counted one by one through the settings, as each game end reads and writes them, give the
// figures worked out from the games themselves.
TEST(StatisticsTest, GamesCountedThroughTheFileGiveTheirOwnFigures) {
  std::mt19937 random(7);
  for (const int count : {0, 1, 2, 7, 99, 100, 101, 250}) {
    Stored stored;
    std::vector<FinishedGame> games;
    for (int g = 0; g < count; ++g) {
      games.push_back(RandomGame(random));
      for (const IniChange& change : KeepStatistics(games.back(), ReaderOf(stored))) {
        stored[change.Key] = change.Value;
      }
    }
    // The file keeps no more than the recent games, however many are played.
    EXPECT_LT(std::count(stored["recent"].begin(), stored["recent"].end(), ','), kRecentGames);
    const StatisticsFigures f = Figures(ReadStatistics(ReaderOf(stored)));
    std::vector<int> totals;
    long long bonuses = 0, complete = 0, rollsLeft = 0, yatzies = 0;
    for (const FinishedGame& game : games) {
      totals.push_back(game.Total);
      bonuses += game.BonusWon;
      complete += std::count(game.Scores.begin(), game.Scores.end(), 0) == 0;
      rollsLeft += kRollPool - game.RollsUsed;
      yatzies += game.Scores[kCategoryCount] > 0;
    }
    const double n = std::max(count, 1);
    SCOPED_TRACE(count);
    EXPECT_EQ(f.Games, count);
    EXPECT_NEAR(f.Average, std::accumulate(totals.begin(), totals.end(), 0.0) / n, 1e-9);
    EXPECT_EQ(f.Best, totals.empty() ? 0 : *std::max_element(totals.begin(), totals.end()));
    EXPECT_NEAR(f.BonusRate, bonuses / n, 1e-9);
    EXPECT_NEAR(f.CompletionRate, complete / n, 1e-9);
    EXPECT_NEAR(f.YatzyRate, yatzies / n, 1e-9);
    EXPECT_NEAR(f.AverageRollsLeft, rollsLeft / n, 1e-9);
    std::sort(totals.begin(), totals.end());
    const double median =
        totals.empty() ? 0 : (totals[(totals.size() - 1) / 2] + totals[totals.size() / 2]) / 2.0;
    // Exact from the recent games, then within a bin of the true median.
    EXPECT_NEAR(f.Median, median, count <= kRecentGames ? 1e-9 : kTotalBinWidth);
    EXPECT_EQ(f.RecentTrend.size(), std::min(count, kRecentGames));
    if (count > 0) {
      EXPECT_NEAR(f.RecentTrend.back(),
                  std::accumulate(games.end() - std::min(count, kTrendGames), games.end(), 0.0,
                                  [](double s, const FinishedGame& g) { return s + g.Total; }) /
                      std::min(count, kTrendGames),
                  1e-9);
    }
  }
}

TEST(StatisticsTest, HostileStoredValuesCountAsZeroOrAreCapped) {
  // What is stored, and what of the statistics read differs from none.
  const std::pair<Stored, std::function<void(Statistics&)>> cases[] = {
      {{}, [](Statistics&) {}},
      {{{"games", "-4"}, {"complete", "x"}, {"best", "300"}}, [](Statistics&) {}},
      {{{"games", "ten"}, {"recent", "1,2"}, {"bins", "5"}}, [](Statistics&) {}},
      {{{"games", "99999999999999999999999"}}, [](Statistics& s) { s.Games = kMostGames; }},
      {{{"games", " 10"}, {"complete", "11"}, {"bonuses", "12"}, {"best", "9999"}},
       [](Statistics& s) {
         s.Games = s.Complete = s.Bonuses = 10;
         s.Best = kHighestTotal;
       }},
      {{{"games", "10"}, {"totalsum", "1e9"}, {"rollsleft", "601"}, {"seconds", "-1"}},
       [](Statistics& s) {
         s.Games = 10;
         s.TotalSum = 1;
         s.RollsLeft = 600;
       }},
      {{{"games", "10"}, {"bins", "1,,x,11,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8"}},
       [](Statistics& s) {
         s.Games = 10;
         s.Bins = {1, 0, 0, 10, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 5, 6};
       }},
      {{{"games", "3"}, {"recent", "7,1,-3,900,"}},
       [](Statistics& s) {
         s.Games = 3;
         s.Recent = {1, 0, kHighestTotal};
       }},
      {{{"games", "1"}, {"filled", "2,1"}, {"points", "9,13,5"}}, [](Statistics& s) {
         s.Games = 1;
         s.Categories[1] = {1, 6};
         s.Categories[2] = {1, 12};
       }}};
  for (const auto& [stored, change] : cases) {
    Statistics expected;
    change(expected);
    EXPECT_EQ(ReadStatistics(ReaderOf(stored)), expected) << ::testing::PrintToString(stored);
  }
}

TEST(StatisticsTest, FiguresAndChartsAreNamedInTheLanguageOrInEnglish) {
  // The language's texts, the games in the upper of two bins; the median and the totals' chart's
  // name.
  const std::tuple<Stored, long long, const char*, const char*> cases[] = {
      {{}, 100, "275", "Totals: most games between 250 and 275"},
      {{{"stats_decimal", ","}, {"stats_totals", "Summor"}},
       101,
       "300,1",
       "Summor: most games between 300 and 325"}};
  for (const auto& [language, upperBin, median, totals] : cases) {
    // More games than the recent ones: the median comes from the bins.
    Statistics s;
    s.Games = 100 + upperBin;
    s.Recent.assign(kRecentGames, 300);
    s.Bins[10] = 100;
    s.Bins[12] = upperBin;
    const StatisticsForm form = PresentStatistics(
        s, [&](const std::string& key) { return ReaderOf(language)("Statistics", key); });
    EXPECT_EQ(form.Figures[2].Value, median);
    EXPECT_EQ(form.TotalsName, totals);
    EXPECT_EQ(form.Categories[20].Text, "Yatzy: 0 of 100 points on average, filled in 0% of games");
  }
  Statistics one;
  one.Games = 1;
  EXPECT_TRUE(PresentStatistics(one, [](const std::string&) { return std::string(); }).AnyGames);
}

}  // namespace
}  // namespace pyxaro
