#include "highscores/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string_view>

namespace pyxaro {

namespace {

constexpr const char* kSection = "Statistics";
// The counts and sums, each under its key; the lists' items stand comma
// apart.
constexpr char kGames[] = "games";
constexpr char kComplete[] = "complete";
constexpr char kTotalSum[] = "totalsum";
constexpr char kBest[] = "best";
constexpr char kBins[] = "bins";
constexpr char kRecent[] = "recent";
constexpr char kFilled[] = "filled";
constexpr char kPoints[] = "points";
constexpr char kBonuses[] = "bonuses";
constexpr char kRollsLeft[] = "rollsleft";
constexpr char kSeconds[] = "seconds";
constexpr char kLosses[] = "losses";
// The game's clock stops here.
constexpr long long kLongestGame = std::numeric_limits<std::int16_t>::max();

// A count as the file holds it: leading blanks, then digits. Anything else
// (a sign, a word, nothing) is 0, and a count above cap is cap.
long long StoredCount(std::string_view text, long long cap) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), cap);
  }
  return value;
}

std::vector<std::string_view> Items(std::string_view list) {
  std::vector<std::string_view> items;
  while (!list.empty()) {
    const std::size_t comma = std::min(list.find(','), list.size());
    items.push_back(list.substr(0, comma));
    list.remove_prefix(std::min(comma + 1, list.size()));
  }
  return items;
}

template <typename Numbers>
std::string List(const Numbers& numbers) {
  std::string text;
  for (const auto n : numbers) text += (text.empty() ? "" : ",") + std::to_string(n);
  return text;
}

// No choice loses more than a Yatzy: a larger stored loss is a hand edit.
constexpr long long kMostLossHundredths = 100 * 100;

// The mean loss of the kTrendGames games that end `skip` games before the
// last; none when there are no such games.
std::optional<double> MeanLossOf(const std::vector<int>& losses, int skip) {
  const auto end = std::ssize(losses) - skip;
  if (end <= 0) return std::nullopt;
  const auto begin = std::max<std::ptrdiff_t>(0, end - kTrendGames);
  double sum = 0;
  for (auto i = begin; i < end; ++i) sum += losses[static_cast<std::size_t>(i)];
  return sum / 100 / static_cast<double>(end - begin);
}

}  // namespace

Statistics ReadStatistics(const IniReader& read) {
  const auto count = [&](const char* key, long long cap) {
    return StoredCount(read(kSection, key), cap);
  };
  Statistics s;
  s.Games = count(kGames, kMostGames);
  s.Complete = count(kComplete, s.Games);
  s.TotalSum = count(kTotalSum, s.Games * kHighestTotal);
  s.Best = static_cast<int>(count(kBest, s.Games > 0 ? kHighestTotal : 0));
  const std::string bins = read(kSection, kBins);
  const std::vector<std::string_view> binItems = Items(bins);
  for (std::size_t b = 0; b < s.Bins.size() && b < binItems.size(); ++b) {
    s.Bins[b] = StoredCount(binItems[b], s.Games);
  }
  const std::string recent = read(kSection, kRecent);
  std::vector<std::string_view> recentItems = Items(recent);
  const auto kept = std::min<long long>(s.Games, kRecentGames);
  if (std::ssize(recentItems) > kept)
    recentItems.erase(recentItems.begin(), recentItems.end() - kept);
  for (const std::string_view item : recentItems) {
    s.Recent.push_back(static_cast<int>(StoredCount(item, kHighestTotal)));
  }
  const std::string filled = read(kSection, kFilled);
  const std::string points = read(kSection, kPoints);
  const std::vector<std::string_view> filledItems = Items(filled);
  const std::vector<std::string_view> pointItems = Items(points);
  for (int k = 1; k <= kCategoryCount; ++k) {
    const auto at = static_cast<std::size_t>(k - 1);
    CategoryRecord& record = s.Categories[k];
    if (at < filledItems.size()) record.Filled = StoredCount(filledItems[at], s.Games);
    if (at < pointItems.size()) {
      record.Points = StoredCount(pointItems[at], record.Filled * CategoryMax(k));
    }
  }
  s.Bonuses = count(kBonuses, s.Games);
  s.RollsLeft = count(kRollsLeft, s.Games * kRollPool);
  s.PlaySeconds = count(kSeconds, s.Games * kLongestGame);
  const std::string losses = read(kSection, kLosses);
  std::vector<std::string_view> lossItems = Items(losses);
  if (std::ssize(lossItems) > kRecentGames)
    lossItems.erase(lossItems.begin(), lossItems.end() - kRecentGames);
  for (const std::string_view item : lossItems) {
    s.RecentLosses.push_back(static_cast<int>(StoredCount(item, kMostLossHundredths)));
  }
  return s;
}

std::vector<IniChange> StatisticsChanges(const Statistics& s) {
  // One item a category, by its number: the numbers are append-only. A new
  // category takes the next number and none is ever renumbered, or the
  // counts stored would be read as another category's.
  std::vector<long long> filled;
  std::vector<long long> points;
  for (const CategoryRecord& record : s.Categories) {
    filled.push_back(record.Filled);
    points.push_back(record.Points);
  }
  return {{kSection, kGames, std::to_string(s.Games)},
          {kSection, kComplete, std::to_string(s.Complete)},
          {kSection, kTotalSum, std::to_string(s.TotalSum)},
          {kSection, kBest, std::to_string(s.Best)},
          {kSection, kBins, List(s.Bins)},
          {kSection, kRecent, List(s.Recent)},
          {kSection, kFilled, List(filled)},
          {kSection, kPoints, List(points)},
          {kSection, kBonuses, std::to_string(s.Bonuses)},
          {kSection, kRollsLeft, std::to_string(s.RollsLeft)},
          {kSection, kSeconds, std::to_string(s.PlaySeconds)},
          {kSection, kLosses, List(s.RecentLosses)}};
}

Statistics AddGame(Statistics s, const FinishedGame& game) {
  if (s.Games >= kMostGames) return s;
  const int total = std::clamp(game.Total, 0, kHighestTotal);
  ++s.Games;
  s.TotalSum += total;
  s.Best = std::max(s.Best, total);
  ++s.Bins[static_cast<std::size_t>(total / kTotalBinWidth)];
  s.Recent.push_back(total);
  if (std::ssize(s.Recent) > kRecentGames) s.Recent.erase(s.Recent.begin());
  if (game.MeanLoss) {
    s.RecentLosses.push_back(static_cast<int>(
        std::llround(std::clamp(*game.MeanLoss * 100, 0.0, double{kMostLossHundredths}))));
    if (std::ssize(s.RecentLosses) > kRecentGames) s.RecentLosses.erase(s.RecentLosses.begin());
  }
  bool complete = true;
  for (int k = 1; k <= kCategoryCount; ++k) {
    const int points = std::clamp(game.Scores[k], 0, CategoryMax(k));
    complete = complete && points > 0;
    if (points == 0) continue;
    ++s.Categories[k].Filled;
    s.Categories[k].Points += points;
  }
  s.Complete += complete ? 1 : 0;
  s.Bonuses += game.BonusWon ? 1 : 0;
  s.RollsLeft += kRollPool - std::clamp(game.RollsUsed, 0, kRollPool);
  s.PlaySeconds += std::clamp<long long>(game.PlaySeconds, 0, kLongestGame);
  return s;
}

std::vector<IniChange> KeepStatistics(const FinishedGame& game, const IniReader& current) {
  return StatisticsChanges(AddGame(ReadStatistics(current), game));
}

namespace {

double Share(long long part, long long whole) {
  return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0;
}

double BinnedMedian(const std::array<long long, kTotalBins>& bins) {
  const long long games = std::accumulate(bins.begin(), bins.end(), 0LL);
  if (games == 0) return 0;
  const double middle = static_cast<double>(games) / 2;
  long long below = 0;
  std::size_t b = 0;
  while (static_cast<double>(below + bins[b]) < middle) below += bins[b++];
  return static_cast<double>(b) * kTotalBinWidth +
         kTotalBinWidth * (middle - static_cast<double>(below)) / static_cast<double>(bins[b]);
}

double ExactMedian(std::vector<int> totals) {
  std::sort(totals.begin(), totals.end());
  const std::size_t half = totals.size() / 2;
  return totals.size() % 2 == 1 ? totals[half] : (totals[half - 1] + totals[half]) / 2.0;
}

std::vector<double> RunningAverage(const std::vector<int>& totals) {
  std::vector<double> trend;
  double sum = 0;
  for (std::size_t i = 0; i < totals.size(); ++i) {
    sum += totals[i];
    if (i >= kTrendGames) sum -= totals[i - kTrendGames];
    trend.push_back(sum / static_cast<double>(std::min<std::size_t>(i + 1, kTrendGames)));
  }
  return trend;
}

}  // namespace

StatisticsFigures Figures(const Statistics& s) {
  StatisticsFigures f;
  f.Games = s.Games;
  if (s.Games == 0) return f;
  f.Average = Share(s.TotalSum, s.Games);
  f.Median = std::ssize(s.Recent) >= s.Games ? ExactMedian(s.Recent) : BinnedMedian(s.Bins);
  f.Best = s.Best;
  f.BonusRate = Share(s.Bonuses, s.Games);
  f.YatzyRate = Share(s.Categories[kYatzy].Filled, s.Games);
  f.CompletionRate = Share(s.Complete, s.Games);
  f.AverageRollsLeft = Share(s.RollsLeft, s.Games);
  f.AveragePlaySeconds = s.PlaySeconds / s.Games;
  const auto fullest = std::max_element(s.Bins.begin(), s.Bins.end());
  if (*fullest > 0) f.FullestBin = static_cast<int>(fullest - s.Bins.begin());
  f.RecentTrend = RunningAverage(s.Recent);
  f.RecentLoss = MeanLossOf(s.RecentLosses, 0);
  f.EarlierLoss = MeanLossOf(s.RecentLosses, kTrendGames);
  for (int k = 1; k <= kCategoryCount; ++k) {
    f.AveragePoints[k] = Share(s.Categories[k].Points, s.Categories[k].Filled);
    f.FillRate[k] = Share(s.Categories[k].Filled, s.Games);
  }
  return f;
}

}  // namespace pyxaro
