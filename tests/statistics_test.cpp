#include "highscores/statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <random>

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

// Games counted one by one through the settings, as each game end reads and writes them, give the
// figures worked out from the games themselves.
TEST(StatisticsTest, GamesCountedThroughTheFileGiveTheirOwnFigures) {
  std::mt19937 random(7);
  for (const int count : {0, 1, 2, 7, 99, 100, 101, 250}) {
    SCOPED_TRACE(count);
    Stored stored;
    std::vector<int> totals;
    std::vector<double> losses;  // to the hundredth, as the file keeps them
    double bonuses = 0, complete = 0, rollsLeft = 0;
    int seconds = 0;
    OneBased<double, kCategoryCount> filled{}, points{};
    for (int g = 0; g < count; ++g) {
      // About one category in eight left open, the rest anywhere up to the most; most games
      // reviewed, as a game not played from its start is not.
      FinishedGame game;
      for (int k = 1; k <= kCategoryCount; ++k) {
        game.Scores[k] = random() % 8 == 0 ? 0 : 1 + static_cast<int>(random() % CategoryMax(k));
        filled[k] += game.Scores[k] > 0;
        points[k] += game.Scores[k];
      }
      game.BonusWon = random() % 3 == 0;
      game.Total = std::accumulate(game.Scores.begin(), game.Scores.end(), game.BonusWon ? 100 : 0);
      game.RollsUsed = 40 + static_cast<int>(random() % 21);
      game.PlaySeconds = static_cast<int>(random() % 900);
      if (random() % 5 != 0) game.MeanLoss = static_cast<double>(random() % 3000) / 1000;
      for (const IniChange& change : KeepStatistics(game, ReaderOf(stored)))
        stored[change.Key] = change.Value;
      totals.push_back(game.Total);
      if (game.MeanLoss) losses.push_back(std::round(*game.MeanLoss * 100) / 100);
      bonuses += game.BonusWon;
      complete += std::count(game.Scores.begin(), game.Scores.end(), 0) == 0;
      rollsLeft += kRollPool - game.RollsUsed;
      seconds += game.PlaySeconds;
    }
    // The file keeps no more than the recent games, however many are played.
    EXPECT_LT(std::count(stored["recent"].begin(), stored["recent"].end(), ','), kRecentGames);
    const StatisticsFigures f = Figures(ReadStatistics(ReaderOf(stored)));
    const double n = std::max(count, 1);
    const int trend = std::min(count, kTrendGames);
    EXPECT_EQ(std::tuple(f.Games, f.AveragePlaySeconds, f.RecentTrend.size()),
              std::tuple(count, seconds / std::max(count, 1), std::min(count, kRecentGames)));
    for (const auto& [figure, expected] :
         {std::pair{f.Average, std::accumulate(totals.begin(), totals.end(), 0.0) / n},
          {f.BonusRate, bonuses / n},
          {f.CompletionRate, complete / n},
          {f.AverageRollsLeft, rollsLeft / n},
          {f.YatzyRate, filled[kYatzy] / n},
          {count > 0 ? f.RecentTrend.back() : 0,
           std::accumulate(totals.end() - trend, totals.end(), 0.0) / std::max(trend, 1)}})
      EXPECT_NEAR(figure, expected, 1e-9);
    for (int k = 1; k <= kCategoryCount; ++k) {
      EXPECT_NEAR(f.FillRate[k], filled[k] / n, 1e-9) << k;
      EXPECT_NEAR(f.AveragePoints[k], filled[k] > 0 ? points[k] / filled[k] : 0, 1e-9) << k;
    }
    std::sort(totals.begin(), totals.end());
    EXPECT_EQ(f.Best, totals.empty() ? 0 : totals.back());
    const double median =
        totals.empty() ? 0 : (totals[(totals.size() - 1) / 2] + totals[totals.size() / 2]) / 2.0;
    // Exact from the recent games, then within a bin of the true median.
    EXPECT_NEAR(f.Median, median, count <= kRecentGames ? 1e-9 : kTotalBinWidth);
    // The loss a choice of the last reviewed games, and of those before them.
    const auto lossOf = [&losses](std::size_t skip) -> std::optional<double> {
      if (losses.size() <= skip) return std::nullopt;
      const auto end = losses.end() - static_cast<std::ptrdiff_t>(skip);
      const auto begin = end - std::min<std::ptrdiff_t>(kTrendGames, end - losses.begin());
      return std::accumulate(begin, end, 0.0) / static_cast<double>(end - begin);
    };
    for (const auto& [figure, expected] :
         {std::pair{f.RecentLoss, lossOf(0)}, {f.EarlierLoss, lossOf(kTrendGames)}}) {
      ASSERT_EQ(figure.has_value(), expected.has_value() && count > 0);
      EXPECT_NEAR(figure.value_or(0), expected.value_or(0), 1e-9);
    }
  }
}

// Stored values no games could leave read as the nearest ones some could; that those read as
// themselves is the test above.
TEST(StatisticsTest, HostileStoredValuesCountAsZeroOrAreCapped) {
  const std::string most = std::to_string(kHighestTotal);
  // Lists longer than the file ever keeps: their newest items count.
  const auto items = [](const std::string& item, int count) {
    std::string list;
    for (int i = 0; i < count; ++i) list += item + ",";
    return list;
  };
  const std::string recentGames = items("12", kRecentGames);
  const std::pair<Stored, Stored> cases[] = {
      {{{"games", "-4"}, {"complete", "x"}, {"best", "300"}}, {}},
      {{{"games", "ten"}, {"recent", "1,2"}, {"bins", "5"}}, {}},
      {{{"games", "99999999999999999999999"}}, {{"games", std::to_string(kMostGames)}}},
      {{{"games", " 10"}, {"complete", "11"}, {"bonuses", "12"}, {"best", "9999"}},
       {{"games", "10"}, {"complete", "10"}, {"bonuses", "10"}, {"best", most}}},
      {{{"games", "10"}, {"totalsum", "1e9"}, {"rollsleft", "601"}, {"seconds", "-1"}},
       {{"games", "10"}, {"totalsum", "1"}, {"rollsleft", "600"}}},
      {{{"games", "10"}, {"bins", "1,,x,11,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8"}},
       {{"games", "10"}, {"bins", "1,0,0,10,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8,9,1,2,3,4,5,6"}}},
      {{{"games", "3"}, {"recent", "7,1,-3,900,"}}, {{"games", "3"}, {"recent", "1,0," + most}}},
      {{{"games", "1"}, {"filled", "2,1"}, {"points", "9,13,5"}},
       {{"games", "1"}, {"filled", "1,1"}, {"points", "6,12"}}},
      {{{"games", "1"}, {"losses", "-5,x,99999999,12"}},
       {{"games", "1"}, {"losses", "0,0,10000,12"}}},
      {{{"games", "200"},
        {"recent", items("7", 5) + recentGames},
        {"losses", "7,7," + recentGames}},
       {{"games", "200"}, {"recent", recentGames}, {"losses", recentGames}}}};
  for (const auto& [stored, read] : cases) {
    EXPECT_EQ(ReadStatistics(ReaderOf(stored)), ReadStatistics(ReaderOf(read)))
        << ::testing::PrintToString(stored);
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
    const StatisticsForm form = PresentStatistics(s, [&](const TextKey& text) {
      const auto found = language.find(std::string(text.key));
      return found != language.end() ? found->second : std::string(text.english);
    });
    EXPECT_EQ(
        std::tuple(form.Figures[2].Value, form.TotalsName, form.Categories[20].Text),
        std::tuple(median, totals, "Yatzy: 0 of 100 points on average, filled in 0% of games"));
  }
  Statistics one;
  one.Games = 1;
  EXPECT_TRUE(PresentStatistics(one, [](const TextKey&) { return std::string(); }).AnyGames);
  // The window's own captions, each its key's text.
  const StatisticsForm named =
      PresentStatistics(one, [](const TextKey& text) { return std::string(text.key); });
  EXPECT_EQ(std::tuple(named.Caption, named.Note, named.ResetCaption, named.ReviewCaption,
                       named.CloseCaption, named.NoGames),
            std::tuple("stats_title", "stats_note", "stats_reset", "stats_review", "stats_close",
                       "stats_none"));
}

}  // namespace
}  // namespace pyxaro
