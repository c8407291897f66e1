#include "highscores/statistics_form.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>

#include "core/text.h"
#include "highscores/highscore_rules.h"
#include "scoring/categories.h"

namespace pyxaro {

namespace {

// The window's texts where the language file has none.
const std::map<std::string, std::string>& English() {
  static const std::map<std::string, std::string> kTexts{
      {"stats_title", "Statistics"},
      {"stats_games", "Games"},
      {"stats_average", "Average"},
      {"stats_median", "Median"},
      {"stats_best", "Best"},
      {"stats_bonus", "Bonus rate"},
      {"stats_yatzy", "Yatzy rate"},
      {"stats_rolls", "Average rolls left"},
      {"stats_complete", "Completion rate"},
      {"stats_time", "Average game time"},
      {"stats_loss", "Loss a choice"},
      {"stats_none", "no games yet"},
      {"stats_totals", "Totals"},
      {"stats_most", "most games between %1 and %2"},
      {"stats_recent", "Last 100 games"},
      {"stats_trend", "running average from %1 to %2"},
      {"stats_running", "running average"},
      {"stats_categories", "Categories"},
      {"stats_categories_name", "most often filled: %1; most often left open: %2"},
      {"stats_bar", "%1: %2 of %3 points on average, filled in %4 of games"},
      {"stats_note", "Games abandoned with NEW before their end are not counted."},
      {"stats_reset", "Reset"},
      {"stats_review", "Review the last game"},
      {"stats_reset_ask", "Clear the statistics? The top ten stays as it is."},
      {"stats_close", "Close"},
      {"stats_decimal", "."},
      {"stats_percent", "%1%"},
  };
  return kTexts;
}

}  // namespace

std::string CategoryText(const LanguageText& text, int category) {
  const std::string key = "category" + std::to_string(category);
  return text({key, CategoryRow(category).spoken});
}

std::string StatisticsText(const LanguageText& text, const std::string& key) {
  return text({key, English().at(key)});
}

namespace {

class Words {
 public:
  explicit Words(const LanguageText& text) : text_(text) {}

  std::string operator()(const std::string& key) const { return StatisticsText(text_, key); }
  // One decimal, left out when it is 0.
  std::string Number(double value) const {
    const long long tenths = std::llround(value * 10);
    if (tenths % 10 == 0) return std::to_string(tenths / 10);
    return std::to_string(tenths / 10) + (*this)("stats_decimal") + std::to_string(tenths % 10);
  }
  // The category's name in the player's language, English where it has none.
  std::string Category(int k) const { return CategoryText(text_, k); }
  std::string Percent(double share) const {
    return FillIn((*this)("stats_percent"), {std::to_string(std::lround(share * 100))});
  }

 private:
  const LanguageText& text_;
};

// The loss a choice of the recent games, and which way it went against the
// games before them: down is better.
std::string LossText(const StatisticsFigures& f, const Words& words) {
  if (!f.RecentLoss) return "-";
  std::string text = words.Number(*f.RecentLoss);
  if (!f.EarlierLoss) return text;
  constexpr double kSteady = 0.05;
  const double change = *f.RecentLoss - *f.EarlierLoss;
  return text + (change < -kSteady ? " \u2198" : change > kSteady ? " \u2197" : " \u2192");
}

std::vector<StatisticsFigure> FigureList(const StatisticsFigures& f, const Words& words) {
  const bool any = f.Games > 0;
  const auto or_dash = [any](std::string value) { return any ? value : std::string("-"); };
  return {{words("stats_games"), std::to_string(f.Games)},
          {words("stats_average"), or_dash(words.Number(f.Average))},
          {words("stats_median"), or_dash(words.Number(f.Median))},
          {words("stats_best"), or_dash(std::to_string(f.Best))},
          {words("stats_bonus"), or_dash(words.Percent(f.BonusRate))},
          {words("stats_yatzy"), or_dash(words.Percent(f.YatzyRate))},
          {words("stats_rolls"), or_dash(words.Number(f.AverageRollsLeft))},
          {words("stats_complete"), or_dash(words.Percent(f.CompletionRate))},
          {words("stats_time"), or_dash(PlayTimeText(static_cast<int>(f.AveragePlaySeconds)))},
          {words("stats_loss"), LossText(f, words)}};
}

void PresentCategories(StatisticsForm& form, const StatisticsFigures& f, const Words& words) {
  form.CategoriesTitle = words("stats_categories");
  int most = 1;
  int least = 1;
  for (int k = 1; k <= kCategoryCount; ++k) {
    CategoryBar& bar = form.Categories[k];
    bar.AveragePoints = f.AveragePoints[k];
    bar.FillRate = f.FillRate[k];
    bar.Max = CategoryMax(k);
    bar.Value = f.FillRate[k] > 0 ? words.Number(bar.AveragePoints) : "-";
    bar.Text = FillIn(words("stats_bar"), {words.Category(k), words.Number(bar.AveragePoints),
                                           std::to_string(bar.Max), words.Percent(bar.FillRate)});
    if (bar.FillRate > f.FillRate[most]) most = k;
    if (bar.FillRate < f.FillRate[least]) least = k;
  }
  form.CategoriesName = form.CategoriesTitle + ": " +
                        (f.Games > 0 ? FillIn(words("stats_categories_name"),
                                              {words.Category(most), words.Category(least)})
                                     : words("stats_none"));
}

}  // namespace

StatisticsForm PresentStatistics(const Statistics& statistics, const LanguageText& text) {
  const Words words(text);
  const StatisticsFigures f = Figures(statistics);
  StatisticsForm form;
  form.Caption = words("stats_title");
  form.Figures = FigureList(f, words);
  form.Note = words("stats_note");
  form.ResetCaption = words("stats_reset");
  form.ReviewCaption = words("stats_review");
  form.CloseCaption = words("stats_close");
  form.AnyGames = f.Games > 0;
  form.NoGames = words("stats_none");

  form.TotalsTitle = words("stats_totals");
  form.Bins = statistics.Bins;
  form.AverageMark = words("stats_average");
  form.BestMark = words("stats_best");
  form.Average = f.Average;
  form.Best = f.Best;
  const int low = f.FullestBin * kTotalBinWidth;
  form.TotalsName =
      form.TotalsTitle + ": " +
      (f.FullestBin < 0 ? words("stats_none")
                        : FillIn(words("stats_most"),
                                 {std::to_string(low), std::to_string(low + kTotalBinWidth)}));

  form.RecentTitle = words("stats_recent");
  form.TrendMark = words("stats_running");
  form.Recent = statistics.Recent;
  form.RecentTrend = f.RecentTrend;
  form.RecentName =
      form.RecentTitle + ": " +
      (f.RecentTrend.empty() ? words("stats_none")
                             : FillIn(words("stats_trend"), {words.Number(f.RecentTrend.front()),
                                                             words.Number(f.RecentTrend.back())}));

  PresentCategories(form, f, words);
  return form;
}

}  // namespace pyxaro
