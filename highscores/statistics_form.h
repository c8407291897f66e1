#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/one_based.h"
#include "highscores/statistics.h"
#include "settings/texts.h"

namespace pyxaro {

struct StatisticsFigure {
  std::string Label;
  std::string Value;
  bool operator==(const StatisticsFigure&) const = default;
};

struct CategoryBar {
  double AveragePoints = 0;  // against Max
  double FillRate = 0;       // 0..1
  int Max = 0;
  std::string Value;  // the average, as the bar is labelled
  std::string Text;   // what the bar shows, for screen readers
  bool operator==(const CategoryBar&) const = default;
};

// The statistics window as data: the figures as text and what its charts
// draw, each chart with a title and a sentence that says what it shows.
struct StatisticsForm {
  bool Visible = false;
  std::string Caption;
  std::vector<StatisticsFigure> Figures;
  std::string Note;
  std::string ResetCaption;
  std::string ReviewCaption;
  std::string CloseCaption;

  std::string TotalsTitle;
  std::string TotalsName;
  std::array<long long, kTotalBins> Bins{};
  std::string AverageMark;
  std::string BestMark;
  double Average = 0;
  int Best = 0;
  bool AnyGames = false;
  std::string NoGames;  // shown in a chart with nothing to draw

  std::string RecentTitle;
  std::string RecentName;
  std::string TrendMark;
  std::vector<int> Recent;
  std::vector<double> RecentTrend;

  std::string CategoriesTitle;
  std::string CategoriesName;
  OneBased<CategoryBar, kCategoryCount> Categories;
  bool operator==(const StatisticsForm&) const = default;
};

// A text of the player's language, or its English when the language file lacks it.
using LanguageText = std::function<std::string(const TextKey& text)>;

// A category's name in the player's language, English where it has none.
std::string CategoryText(const LanguageText& text, int category);

// A text of the statistics window: the language file's, or the English one.
std::string StatisticsText(const LanguageText& text, const std::string& key);

// The window's data for the statistics, in the language's words where the
// language file has them and in English where it does not.
StatisticsForm PresentStatistics(const Statistics& statistics, const LanguageText& text);

}  // namespace pyxaro
